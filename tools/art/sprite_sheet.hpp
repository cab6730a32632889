// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Sprite sheets written as text: a palette of one-character colour names,
// then 16 x 16 grids ("sprite NAME" and 16 lines), and derived pictures
// ("mirror FROM TO", "copy FROM TO"). '.' (pure black) is see-through.
#include <map>
#include <string>

#include "image.hpp"

namespace tiefschacht {

namespace art {

using SpriteSet = std::map<std::string, Image>;

// Adds the sheet's sprites to `sprites`. False with a message naming the
// file and line on any fault.
bool readSpriteSheet(const std::string& path, SpriteSet& sprites, std::string& error);

}  // namespace art

}  // namespace tiefschacht
