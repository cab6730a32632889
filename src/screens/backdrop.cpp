// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/backdrop.hpp"

#include "drawing/quad.hpp"

namespace tiefschacht {

void drawBackdrop(const SpriteTexture* picture) {
    drawQuad({0.0f, 0.0f, backgroundDepth}, picture);
}

}  // namespace tiefschacht
