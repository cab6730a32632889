// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The full-screen pictures behind the main menu and the won screen.

namespace tiefschacht {

struct SpriteTexture;

// Depth of the full-screen background pictures: a 2 x 2 quad there spans
// the width of a 4:3 screen.
constexpr float backgroundDepth = 1.809f;

void drawBackdrop(const SpriteTexture* picture);

}  // namespace tiefschacht
