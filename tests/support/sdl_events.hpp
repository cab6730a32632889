// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// Events handed to SDL as the window system would send them, for the tests
// of the SDL backends (run on SDL's display-less driver). Keys are given as
// USB usage numbers, which are SDL's scancodes.

namespace testsupport {

// A key going down (with Alt held, when asked) or up, in the first window.
void pushKey(int usage, bool down, bool alt = false);
// The left mouse button going down or up.
void pushLeftButton(bool down);
// Whether the first window is in full-screen mode.
bool firstWindowFullScreen();

}  // namespace testsupport

}  // namespace tiefschacht
