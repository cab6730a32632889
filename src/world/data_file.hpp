#pragma once
// Opening a data file for one of the readers, and the warning a reader gives
// when a file lists more entries than its table holds.
#include "services/token_reader.hpp"

// Reads the whole file into `reader`. A file that cannot be opened ends the
// program (after shut-down) with a message naming the file and the reason.
void openDataFile(TokenReader& reader, const char* path);

// Limits a count read from a file to 0..capacity. A count above the
// capacity prints one warning naming the file and the limit.
int32_t limitCount(int32_t count, int32_t capacity, const char* path, const char* what);
