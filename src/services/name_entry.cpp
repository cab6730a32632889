// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/name_entry.hpp"

#include "services/input.hpp"

namespace tiefschacht {

namespace {

constexpr int32_t lastNameIndex = nameCapacity - 1;

// nameLength is plain state that anyone may have set; never index with a
// value outside the name.
int32_t clampedLength() {
    if (input.nameLength < 0) return 0;
    if (input.nameLength > lastNameIndex) return lastNameIndex;
    return input.nameLength;
}

}  // namespace

void appendNameLetter(char letter) {
    int32_t at = clampedLength();
    input.nameBuffer[static_cast<size_t>(at)] = letter;
    if (at < lastNameIndex) ++at;
    input.nameLength = at;
}

void deleteNameLetter() {
    int32_t at = clampedLength();
    if (input.nameBuffer[static_cast<size_t>(at)] != '\0') {
        // A full name: its last character sits at the index the next letter
        // would replace.
        input.nameBuffer[static_cast<size_t>(at)] = '\0';
    } else if (at > 0) {
        --at;
        input.nameBuffer[static_cast<size_t>(at)] = '\0';
    }
    input.nameLength = at;
}

}  // namespace tiefschacht
