// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// What happens when the connection to the X server breaks while the game
// runs (the session ended, the server stopped, a forwarded connection
// dropped). Kept apart from the SDL code: Xlib's header defines macros
// (None, Bool, Status) that clash with the game's own names.

// From now on a broken connection ends the program at once: the message
// "tiefschacht: the connection to the display was lost" on stderr and exit
// code 1. Xlib's own handler ends it with exit(), whose clean-up closes the
// window and then waits on the lost connection for ever, keeping a
// processor busy. Nothing the game keeps needs that clean-up (the highscore
// list is replaced whole when an entry is made, never written in place).
void endAtOnceWhenTheXServerIsLost();

}  // namespace tiefschacht
