// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The level checker: levelcheck [--pictures] GAME_DIR
// Prints every problem of the data files in GAME_DIR and exits with 1 when
// there is any, 0 when the data is sound, 2 on a usage error.
#include <cstdio>
#include <cstring>
#include <string>

#include "levelcheck/level_check.hpp"

using namespace tiefschacht;

int main(int argc, char** argv) {
    levelcheck::Options options;
    const char* dir = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--pictures") == 0) {
            options.checkPictureFiles = true;
        } else if (!dir) {
            dir = argv[i];
        } else {
            dir = nullptr;
            break;
        }
    }
    if (!dir) {
        std::fprintf(stderr, "usage: levelcheck [--pictures] GAME_DIR\n");
        return 2;
    }
    const auto problems = levelcheck::checkGameData(dir, options);
    for (const std::string& p : problems) std::fprintf(stderr, "levelcheck: %s\n", p.c_str());
    if (!problems.empty()) {
        std::fprintf(stderr, "levelcheck: %zu problem(s) in %s\n", problems.size(), dir);
        return 1;
    }
    std::printf("levelcheck: %s is sound\n", dir);
    return 0;
}
