// Placeholder until this part of the game is built.
#include "world/data_tables.hpp"
ItemTable itemTable;
void readItems(const char*) {}
