// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
#include <string>

namespace tiefschacht {

// Why no display could be reached, for the message the game ends with:
// which kinds of display were tried (X11 and Wayland, or those named in
// SDL_VIDEODRIVER) and, one line each, why each failed: its variable is not
// set, nothing listens where it points, or something answers there that SDL
// could still not use. SDL itself says only that a driver is "not
// available". Kept apart from the SDL code: Xlib's header defines macros
// that clash with the game's own names.
std::string whyNoDisplay();

}  // namespace tiefschacht
