// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The button pieces of the menus.
#include "image.hpp"

namespace tiefschacht {

namespace art {

enum class ButtonPiece { Left, Middle, Right };

// A stone slab with a bevel; the middle piece repeats seamlessly.
Image buttonPiece(ButtonPiece piece);

}  // namespace art

}  // namespace tiefschacht
