// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <cstdint>

namespace tiefschacht {

// The pickup of the item in the hero's cell: replacement, points (with the
// coin sound when they are positive), action.
void pickUpItem(int32_t code);
// The first entry's replacement and points for a code; 0 without an entry.
int32_t itemReplacement(int32_t code);
int32_t itemPoints(int32_t code);
void applyItemAction(int32_t code);
// Opens the first gate found from the hero's row upwards.
void openGate();

}  // namespace tiefschacht
