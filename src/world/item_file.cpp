#include "world/data_file.hpp"
#include "world/data_tables.hpp"

ItemTable itemTable;

void readItems(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);

    reader.skipWord();
    reader.readInteger(itemTable.count);
    itemTable.count = limitCount(itemTable.count, itemCapacity, path, "items");

    // Read straight into the table: a failed conversion leaves the entry as it was.
    auto labelled = [&reader](int32_t& value) {
        reader.skipWord();
        reader.readInteger(value);
    };
    for (int32_t i = 0; i < itemTable.count; ++i) {
        labelled(itemTable.code[i]);
        labelled(itemTable.replacement[i]);
        labelled(itemTable.action[i]);
        labelled(itemTable.points[i]);
    }
}
