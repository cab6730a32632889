// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// Puts every process-wide object back to its start value, so that a run in a
// process that has run the game before starts as a fresh one would.
void resetProcessState();

}  // namespace tiefschacht
