// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a run leaves behind when it ends, as the command line asked: the
// state dump, the recorded input and the screenshot of the last frame.
#include <string>

namespace tiefschacht {

struct CommandLine;

// Writes each output the command line names; `dump` is the state dump taken
// before shut-down. An output that names a regular file, or nothing yet, is
// written beside it and renamed over it (replaceFile), so a failed write
// keeps the file that was there. Every output that cannot be written is
// reported with the system's reason. Returns the exit code: 0, or 1 when any
// output failed.
int writeRunOutputs(const CommandLine& cl, const std::string& dump);

}  // namespace tiefschacht
