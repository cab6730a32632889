// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Large lettering for the title and won pictures, from a small built-in
// 5 x 8 pixel font drawn as stone blocks.
#include <string_view>

#include "image.hpp"

namespace tiefschacht {

namespace art {

// Width in pixels of `text` at `cell` pixels per font pixel.
int lettersWidth(std::string_view text, int cell);
// Draws `text` with its top-left corner at (x, y): a dark outline, a drop
// shadow and a fill running from `top` to `bottom` colour.
void drawLetters(Image& image, std::string_view text, int x, int y, int cell, Rgb top, Rgb bottom);

}  // namespace art

}  // namespace tiefschacht
