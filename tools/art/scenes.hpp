// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The two full-screen pictures (1024 x 768): the title (the shaft's mouth in a
// forest clearing at dusk) and the won picture (the hero with the treasure in
// the vault).
#include "image.hpp"

namespace tiefschacht {

namespace art {

Image titlePicture();
Image wonPicture(const Image& hero16, const Image& treasure16);

}  // namespace art

}  // namespace tiefschacht
