// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// Editing the typed player name in input.nameBuffer / input.nameLength.
// A name has at most nameCapacity characters; nameLength is where the next
// letter goes, so when the name is full each further letter replaces the last.

void appendNameLetter(char letter);
// Removes the last character, if there is one; the next letter goes into its place.
void deleteNameLetter();

}  // namespace tiefschacht
