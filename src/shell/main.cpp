// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <csignal>

#include "shell/program.hpp"

int main(int argc, char** argv) {
    // A write past a file-size limit then fails with EFBIG and is reported
    // like any other failed write, instead of killing the game mid-write.
    std::signal(SIGXFSZ, SIG_IGN);
    return tiefschacht::runProgram(argc, argv);
}
