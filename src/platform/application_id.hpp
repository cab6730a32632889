// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// The game's application id (set once, in CMakeLists.txt): it names the
// desktop entry, the metainfo, the icons and the window, so that the desktop
// knows the window as the game.
inline constexpr const char* applicationId = TIEFSCHACHT_APP_ID;

}  // namespace tiefschacht
