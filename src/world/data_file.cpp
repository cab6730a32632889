#include "world/data_file.hpp"

#include <cstdio>
#include <string>

#include "services/app_state.hpp"

void openDataFile(TokenReader& reader, const char* path) {
    std::string error;
    if (!reader.open(path, error)) failOnFile(path, error.c_str());
}

int32_t limitCount(int32_t count, int32_t capacity, const char* path, const char* what) {
    if (count < 0) return 0;
    if (count > capacity) {
        std::fprintf(stderr,
                     "tiefschacht: %s: lists %d %s, but at most %d fit; the rest of the file "
                     "is ignored\n",
                     path, static_cast<int>(count), what, static_cast<int>(capacity));
        return capacity;
    }
    return count;
}
