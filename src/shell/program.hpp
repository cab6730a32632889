// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// The program entry with its command line; returns the process exit code.
int runProgram(int argc, char** argv);

}  // namespace tiefschacht
