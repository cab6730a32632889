// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small runtime folder for headless end-to-end runs: configuration at
// 1024 x 768 or 800 x 600, a level with one item where a new game's hero stands, one
// enemy type, a highscore list, and a few sounds. Pictures are left out (the
// game draws untextured squares for them).
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "services/sound.hpp"
#include "shell/program.hpp"
#include "support/test_wav.hpp"

namespace tiefschacht {

struct RuntimeOptions {
    int displayMode = 4;  // 2: 800 x 600, 4: 1024 x 768
    int itemAction = 0;   // what the item under the hero does
    int itemPoints = 500;
    bool guardOnHero = true;  // an enemy standing where the hero starts
};

class RuntimeFolder {
public:
    explicit RuntimeFolder(const RuntimeOptions& options = {}) {
        char pattern[] = "/tmp/tiefschacht_e2eXXXXXX";
        if (mkdtemp(pattern)) root = pattern;
        std::filesystem::create_directories(root / "Data");
        std::filesystem::create_directories(root / "Sound");
        write("Data/Resolutions.txt", "Aufloesung Modi: 1 bis 4 Modus " +
                                          std::to_string(options.displayMode) +
                                          " Puffer 1 Vollbild 0\n");
        write("Data/RenderingAndMore.txt",
              "Darstellung Modi 0 bis 3 Verarbeitung 3 Begrenzung 1 Bilder 60 Rest 0\n");
        write("Data/SpielEinstellungen.txt", "Sichtweite 1000\n");
        write("Data/GroundTextures.txt", "Anzahl 0\n");
        write("Data/EnemyTextures.txt", "Typen 1 Bilder 0 Verhalten 9 Mischung 0\n");
        write("Data/Items.txt", "Anzahl 1 Code 23 Ersatz 0 Aktion " +
                                    std::to_string(options.itemAction) + " Punkte " +
                                    std::to_string(options.itemPoints) + "\n");
        if (options.guardOnHero)
            write("Data/Enemies1.txt",
                  "Anzahl 1 Typ 0 X -1 Y 1 MinX -5 MaxY 5 MaxX 5 MinY -5 TempoX 0 TempoY 0\n");
        else
            write("Data/Enemies1.txt", "Anzahl 0\n");
        write("Data/Highscore.txt",
              "KARL 1000\nLISA 900\nMAX 800\nNINA 700\nOTTO 600\nPIA 400\nRUDI 300\n"
              "SARA 200\nTOM 100\nUTE 50\n");
        write("Data/Level1.txt", level());
        // Every sound, so that a run warns about nothing it was not meant to.
        for (const SoundFile& file : soundFiles) writeWav(file.path);
    }
    ~RuntimeFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    // Runs the game headless in this folder with an input script and any
    // further options.
    int run(const std::string& script, int frames, std::vector<std::string> options = {}) {
        std::vector<std::string> args = {"tiefschacht",         "--headless",        "--data",
                                         root.string(),         "--input",           script,
                                         "--dump-state",        dumpPath().string(), "--frames",
                                         std::to_string(frames)};
        args.insert(args.end(), options.begin(), options.end());
        std::vector<char*> argv;
        for (auto& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        return runProgram(static_cast<int>(args.size()), argv.data());
    }

    std::filesystem::path dumpPath() const { return root / "state.json"; }
    nlohmann::json dump() const {
        std::ifstream in(dumpPath());
        return nlohmann::json::parse(in, nullptr, false);
    }
    std::string read(const std::string& relative) const {
        std::ifstream in(root / relative);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    std::filesystem::path root;

private:
    void write(const std::string& relative, const std::string& text) {
        std::ofstream(root / relative) << text;
    }

    // Row 399 first. A floor under the hero's row, the item where a new game
    // puts him (row 391, column 10), open space elsewhere, solid borders.
    static std::string level() {
        std::string text;
        for (int row = 399; row >= 0; --row) {
            for (int col = 0; col < 22; ++col) {
                int code = 0;
                if (col == 0 || col == 21 || row == 399 || row <= 390) code = 70;
                if (row == 391 && col == 10) code = 23;
                text += std::to_string(code) + (code == 70 ? " #" : " .");
                text += col == 21 ? '\n' : ' ';
            }
        }
        return text;
    }

    // A tenth of a second of silence as 16-bit mono PCM.
    void writeWav(const char* path) {
        writeTestWav((root / path).string(), std::vector<int16_t>(2205, 0), 22050);
    }
};

// The path of an input script kept beside the tests.
inline std::string e2eScript(const char* name) {
    return std::string(TIEFSCHACHT_SOURCE_DIR) + "/tests/e2e/" + name;
}

}  // namespace tiefschacht
