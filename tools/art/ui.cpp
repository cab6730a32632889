// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui.hpp"

namespace tiefschacht {

namespace art {

Image buttonPiece(ButtonPiece piece) {
    Image t(32, 32);
    const int top = 6, bottom = 26;
    for (int y = top; y < bottom; ++y) {
        const double v = (y - top) / double(bottom - top);
        // Rows vary, columns don't: the middle piece joins its neighbours.
        const Rgb stone = mix({150, 146, 138}, {92, 88, 84}, v);
        for (int x = 0; x < 32; ++x) {
            int edge = 32;
            if (piece == ButtonPiece::Left) edge = x;
            if (piece == ButtonPiece::Right) edge = 31 - x;
            // Rounded ends: corners cut on a circle of radius 6.
            const int inset = 6;
            if (edge < inset) {
                const int dy = y < top + inset
                                   ? top + inset - y
                                   : (y >= bottom - inset ? y - (bottom - inset - 1) : 0);
                const int dx = inset - edge;
                if (dx * dx + dy * dy > inset * inset) continue;
            }
            Rgb c = stone;
            if (y == top || y == top + 1) c = mix(c, {240, 236, 226}, 0.6);
            if (y >= bottom - 2) c = mix(c, {20, 18, 16}, 0.6);
            if (edge <= 1)
                c = mix(c, piece == ButtonPiece::Left ? Rgb{230, 226, 216} : Rgb{30, 28, 26}, 0.5);
            t.set(x, y, c);
        }
    }
    return t;
}

}  // namespace art

}  // namespace tiefschacht
