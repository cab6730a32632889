// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The game's key code (key_codes.hpp) of an SDL scancode, by key position:
// SDL scancodes are USB usage numbers, which name positions just as the old
// codes do. 0 for a scancode the keyboard table has no code for.
#include <cstdint>

namespace tiefschacht {

uint8_t keyCodeForScancode(int scancode);

}  // namespace tiefschacht
