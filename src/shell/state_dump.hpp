// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state dump: the game's state at the end of a run as JSON, with the
// game's own names as keys.
#include <string>

namespace tiefschacht {

// The dump of the state as it is now (call before shut-down releases the
// Game). Sounds played and shell requests come from the platform backends.
std::string stateDumpText();

}  // namespace tiefschacht
