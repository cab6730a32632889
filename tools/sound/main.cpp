// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Synthesises the game's fourteen sounds into OUT_DIR (the runtime folder's
// Sound/): sound OUT_DIR [STAMP]
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "effects.hpp"
#include "title_music.hpp"

using namespace tiefschacht;

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: sound OUT_DIR [STAMP]\n");
        return 2;
    }
    using namespace synth;
    const std::string dir = argv[1];
    std::filesystem::create_directories(dir);
    struct Entry {
        const char* name;
        Buffer (*make)();
    };
    const Entry sounds[] = {
        {"Titelmusik", titleMusic},
        {"Geist", ghost},
        {"Geld", coins},
        {"krepier", death},
        {"Uhu", owl},
        {"Vogel1", birdChirps},
        {"Vogel2", birdTrill},
        {"drip", drip},
        {"ersauf", splash},
        {"pock", gate},
        {"tuer", door},
        {"Schritt", step},
        {"Kletter", climb},
        {"Vampir", vampire},
    };
    for (const Entry& s : sounds) {
        const std::string path = dir + "/" + s.name + ".wav";
        if (!writeWav(path, s.make())) {
            std::fprintf(stderr, "sound: cannot write %s\n", path.c_str());
            return 1;
        }
    }
    if (argc > 2) std::ofstream(argv[2]) << std::size(sounds) << " sounds\n";
    std::printf("sound: %zu sounds in %s\n", std::size(sounds), dir.c_str());
    return 0;
}
