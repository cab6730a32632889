// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers for the world tests: the data files a World and a Game read, and
// an image decoder that hands out pictures by name and records what the
// loaders ask of it.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/seams.hpp"
#include "support/scratch_folder.hpp"

namespace tiefschacht {

namespace worldtest {

using testsupport::ScratchFolder;
inline constexpr auto& writeText = testsupport::writeFile;
inline constexpr auto& readText = testsupport::readFile;

// A level file of 400 lines whose every cell is `fill`, with `firstLine`
// (if given) as its top line.
inline std::string levelText(int fill, const std::string& firstLine = "") {
    std::string text;
    for (int row = 0; row < 400; ++row) {
        if (row == 0 && !firstLine.empty()) {
            text += firstLine + "\n";
            continue;
        }
        for (int c = 0; c < 22; ++c) text += std::to_string(fill) + " x ";
        text += "\n";
    }
    return text;
}

// The two texture lists a World needs: one ground texture, no enemy type.
inline void writeTextureLists() {
    writeText("Data/GroundTextures.txt", "Anzahl 1 Graphics/Boden0.bmp\n");
    writeText("Data/EnemyTextures.txt", "Typen 0\n");
}

// Everything a Game reads: the texture lists, a level of open cells, one
// enemy, one item and a highscore list.
inline void writeGameFiles() {
    writeTextureLists();
    writeText("Data/Level1.txt", levelText(0));
    writeText("Data/Enemies1.txt",
              "Anzahl 1 Typ 2 X 3 Y 4 MinX -5 MaxY 6 MaxX 7 MinY -8 SpeedX 0.5 SpeedY 0.25\n");
    writeText("Data/Items.txt", "Anzahl 1 Code 25 Ersatz 0 Aktion 2 Punkte 0\n");
    std::string scores;
    for (int i = 0; i < 10; ++i)
        scores += "SPIELER" + std::to_string(i) + " " + std::to_string(100 - i) + "\n";
    writeText("Data/Highscore.txt", scores);
}

// Pictures by file name; every other name fails to decode. Each decode
// attempt is listed in order.
class FakeDecoder : public ImageDecoder {
public:
    std::map<std::string, DecodedImage> pictures;
    std::vector<std::string> asked;

    PictureStatus decodeFile(const char* path, uint64_t pixelLimit, DecodedImage& out,
                             std::string& error) override {
        asked.emplace_back(path);
        auto it = pictures.find(path);
        if (it == pictures.end()) {
            error = "no such picture";
            return PictureStatus::Failed;
        }
        out = it->second;
        const uint64_t pixels =
            static_cast<uint64_t>(out.width) * static_cast<uint64_t>(out.height);
        return pixels > pixelLimit ? PictureStatus::OverLimit : PictureStatus::Ok;
    }
    PictureStatus decodeMemory(const void*, size_t, uint64_t, DecodedImage&,
                               std::string&) override {
        return PictureStatus::Failed;
    }
    bool encode(const DecodedImage&, PictureFileType, std::string&, std::string&) override {
        return false;
    }
};

inline DecodedImage picture(int w, int h, uint32_t fill) {
    DecodedImage img;
    img.width = w;
    img.height = h;
    img.argb.assign(static_cast<size_t>(w) * h, fill);
    return img;
}

}  // namespace worldtest

}  // namespace tiefschacht
