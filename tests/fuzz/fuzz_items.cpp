// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The item file: a count, then four labelled numbers per item.
#include "fuzz_support.hpp"
#include "world/data_tables.hpp"

using namespace tiefschacht;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input("Data/Items.txt", data, size);
    readItems("Data/Items.txt");
    // Play walks the first `count` entries of each column.
    FUZZ_CHECK(itemTable.count >= 0 && itemTable.count <= itemCapacity);
    return 0;
}
