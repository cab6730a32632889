// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The built runtime folder holds every file the game loads, in the formats
// the game and its colour key expect.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

namespace {

const std::string gameDir = TIEFSCHACHT_GAME_DIR;

std::vector<uint8_t> readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
uint32_t le32(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (uint32_t(b[at + 3]) << 24);
}
uint16_t le16(const std::vector<uint8_t>& b, size_t at) {
    return uint16_t(b[at] | (b[at + 1] << 8));
}

struct Bmp {
    int width = 0, height = 0;
    std::vector<uint32_t> rgb;  // rows top first
};

// Reads the 24-bit uncompressed BMP files the art generator writes.
bool readBmp(const std::string& path, Bmp& out) {
    const auto b = readBytes(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || le16(b, 28) != 24 || le32(b, 30) != 0)
        return false;
    out.width = int(le32(b, 18));
    out.height = int(le32(b, 22));
    const size_t rowBytes = (size_t(out.width) * 3 + 3) & ~size_t(3);
    const size_t data = le32(b, 10);
    if (out.width <= 0 || out.height <= 0 || b.size() < data + rowBytes * out.height) return false;
    out.rgb.resize(size_t(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        for (int x = 0; x < out.width; ++x) {
            const size_t at = data + (out.height - 1 - y) * rowBytes + x * 3;
            out.rgb[size_t(y) * out.width + x] = (b[at + 2] << 16) | (b[at + 1] << 8) | b[at];
        }
    return true;
}

std::vector<std::string> listedFiles(const char* list, bool enemyList) {
    std::ifstream in(gameDir + "/" + list);
    std::vector<std::string> names;
    std::string word;
    while (in >> word)
        if (word.rfind("Graphics/", 0) == 0) names.push_back(word);
    (void)enemyList;
    return names;
}

int blackPixels(const Bmp& bmp) {
    int n = 0;
    for (uint32_t p : bmp.rgb) n += p == 0;
    return n;
}

}  // namespace

TEST(ContentRuntimeFiles, EveryDataFileIsThere) {
    for (const char* f : {"Resolutions.txt", "RenderingAndMore.txt", "SpielEinstellungen.txt",
                          "Level1.txt", "Enemies1.txt", "Items.txt", "Highscore.txt",
                          "GroundTextures.txt", "EnemyTextures.txt", "Spielanleitung.htm"}) {
        EXPECT_TRUE(std::ifstream(gameDir + "/Data/" + f).good()) << f;
    }
}

TEST(ContentRuntimeFiles, FixedPicturesHaveTheirSizes) {
    std::vector<std::pair<std::string, int>> pictures = {
        {"Titelbild", 1024}, {"Gewonnen", 1024},  {"Cursor", 32},     {"ButtonLeft", 32},
        {"ButtonMid", 32},   {"ButtonRight", 32}, {"Schluessel", 32},
    };
    for (int i = 1; i <= 9; ++i) pictures.push_back({"wasser" + std::to_string(i), 32});
    for (const char* hero :
         {"Hero1",   "HeroL1",  "HeroL2",  "HeroL3",  "HeroL4",  "HeroR1",  "HeroR2",  "HeroR3",
          "HeroR4",  "HeroK1",  "HeroK2",  "HeroK3",  "HeroK4",  "HeroSL1", "HeroSL2", "HeroSL3",
          "HeroSL4", "HeroSR1", "HeroSR2", "HeroSR3", "HeroSR4", "HeroS1",  "HeroS2",  "HeroT1"}) {
        pictures.push_back({hero, 32});
    }
    for (const auto& [name, width] : pictures) {
        Bmp bmp;
        ASSERT_TRUE(readBmp(gameDir + "/Graphics/" + name + ".bmp", bmp)) << name;
        EXPECT_EQ(bmp.width, width) << name;
        EXPECT_EQ(bmp.height, width == 1024 ? 768 : 32) << name;
    }
}

TEST(ContentRuntimeFiles, FullScreenPicturesAndGroundTilesAreOpaque) {
    // Opaque black is see-through in this game: backgrounds must not have any.
    for (const char* name : {"Graphics/Titelbild.bmp", "Graphics/Gewonnen.bmp"}) {
        Bmp bmp;
        ASSERT_TRUE(readBmp(gameDir + "/" + name, bmp)) << name;
        EXPECT_EQ(blackPixels(bmp), 0) << name;
    }
    for (const std::string& name : listedFiles("Data/GroundTextures.txt", false)) {
        Bmp bmp;
        ASSERT_TRUE(readBmp(gameDir + "/" + name, bmp)) << name;
        EXPECT_EQ(bmp.width, 32) << name;
        EXPECT_EQ(blackPixels(bmp), 0) << name;
    }
}

TEST(ContentRuntimeFiles, SpritesAreCutOutByTheColourKey) {
    // Hero, enemy and overlay pictures stand on see-through black, and are not empty.
    std::vector<std::string> names = listedFiles("Data/EnemyTextures.txt", true);
    for (const char* extra :
         {"Graphics/Hero1.bmp", "Graphics/HeroT1.bmp", "Graphics/Cursor.bmp",
          "Graphics/Schluessel.bmp", "Graphics/wasser1.bmp", "Graphics/wasser9.bmp"}) {
        names.push_back(extra);
    }
    for (const std::string& name : names) {
        Bmp bmp;
        ASSERT_TRUE(readBmp(gameDir + "/" + name, bmp)) << name;
        const int black = blackPixels(bmp);
        EXPECT_GT(black, 0) << name;
        EXPECT_LT(black, bmp.width * bmp.height) << name;
    }
}

TEST(ContentRuntimeFiles, SoundsAreMono16BitPcm) {
    for (const char* name : {"Titelmusik", "Geist", "Geld", "krepier", "Uhu", "Vogel1", "Vogel2",
                             "drip", "ersauf", "pock", "tuer", "Schritt", "Kletter", "Vampir"}) {
        const auto b = readBytes(gameDir + "/Sound/" + name + ".wav");
        ASSERT_GE(b.size(), 44u) << name;
        EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF") << name;
        EXPECT_EQ(le16(b, 20), 1) << name;  // PCM
        EXPECT_EQ(le16(b, 22), 1) << name;  // mono
        EXPECT_TRUE(le32(b, 24) == 22050 || le32(b, 24) == 44100) << name;
        EXPECT_EQ(le16(b, 34), 16) << name;
        EXPECT_EQ(le32(b, 40), b.size() - 44) << name;
        EXPECT_GT(b.size(), 44u + 200) << name << " is nearly silent";
    }
}

TEST(ContentRuntimeFiles, TitleMusicLoopsWithoutAClick) {
    const auto b = readBytes(gameDir + "/Sound/Titelmusik.wav");
    ASSERT_GE(b.size(), 44u);
    const uint32_t rate = le32(b, 24);
    std::vector<int> s;
    for (size_t at = 44; at + 1 < b.size(); at += 2) s.push_back(int16_t(le16(b, at)));
    EXPECT_GE(s.size(), size_t(30) * rate);
    // The jump from the last sample back to the first is no larger than the
    // biggest step inside the piece: the seam is as smooth as the music.
    int largestStep = 0;
    for (size_t i = 1; i < s.size(); ++i)
        largestStep = std::max(largestStep, std::abs(s[i] - s[i - 1]));
    EXPECT_LE(std::abs(s.front() - s.back()), largestStep);
    // And it starts and ends at a zero crossing.
    EXPECT_LT(std::abs(s.front()), 300);
    EXPECT_LT(std::abs(s.back()), 300);
}
