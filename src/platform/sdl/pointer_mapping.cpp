// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/pointer_mapping.hpp"

#include <algorithm>

namespace tiefschacht {

FramePoint framePointInWindow(float windowX, float windowY, int windowWidth, int windowHeight,
                              int frameWidth, int frameHeight) {
    if (windowWidth <= 0 || windowHeight <= 0 || frameWidth <= 0 || frameHeight <= 0)
        return {windowX, windowY};
    const float scale =
        std::min(static_cast<float>(windowWidth) / static_cast<float>(frameWidth),
                 static_cast<float>(windowHeight) / static_cast<float>(frameHeight));
    const float barX =
        (static_cast<float>(windowWidth) - static_cast<float>(frameWidth) * scale) / 2.0f;
    const float barY =
        (static_cast<float>(windowHeight) - static_cast<float>(frameHeight) * scale) / 2.0f;
    return {(windowX - barX) / scale, (windowY - barY) / scale};
}

}  // namespace tiefschacht
