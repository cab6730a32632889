// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The level checker: the shipped data passes, and each kind of fault in a
// copy of it is found and named.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "levelcheck/level_check.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

const std::string shippedGame = std::string(TIEFSCHACHT_SOURCE_DIR) + "/game";

// A copy of the shipped Data/ folder in a fresh temporary directory.
class BrokenCopy : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("levelcheck_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(shippedGame + "/Data", dir / "Data");
        readLevelCells();
    }
    void TearDown() override { fs::remove_all(dir); }

    void readLevelCells() {
        std::ifstream in(dir / "Data/Level1.txt");
        std::string code, label;
        while (in >> code >> label) cells.push_back(code + " " + label);
    }
    // Rewrites one cell (row 0 is the bottom line of the file).
    void setCell(int row, int column, const std::string& entry) {
        cells[(399 - row) * 22 + column] = entry;
        std::ofstream out(dir / "Data/Level1.txt");
        for (size_t i = 0; i < cells.size(); ++i) out << cells[i] << ((i % 22 == 21) ? "\n" : " ");
    }
    void writeFile(const char* name, const std::string& text) { std::ofstream(dir / name) << text; }
    std::string readFile(const char* name) {
        std::ifstream in(dir / name);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::vector<std::string> check() { return levelcheck::checkGameData(dir.string()); }
    static bool mentions(const std::vector<std::string>& problems, const std::string& text) {
        for (const auto& p : problems) {
            if (p.find(text) != std::string::npos) return true;
        }
        return false;
    }

    fs::path dir;
    std::vector<std::string> cells;
};

}  // namespace

TEST(ContentLevelCheck, ShippedDataIsSound) {
    const auto problems = levelcheck::checkGameData(shippedGame);
    for (const auto& p : problems) ADD_FAILURE() << p;
}

TEST_F(BrokenCopy, FindsHolesInTheBorder) {
    setCell(200, 0, "7 .");
    setCell(399, 5, "6 ^");
    const auto problems = check();
    EXPECT_TRUE(mentions(problems, "border at row 200 column 0")) << problems.size();
    EXPECT_TRUE(mentions(problems, "top row is not solid at column 5"));
}

TEST_F(BrokenCopy, FindsCodesWithoutPicturesOrItemEntries) {
    setCell(300, 5, "95 ?");
    writeFile("Data/Items.txt", "Anzahl 1 Schatz_Code 43 Ersatz 9 Aktion 4 Punkte 5000\n");
    const auto problems = check();
    EXPECT_TRUE(mentions(problems, "code 95 at row 300 column 5 has no ground texture"));
    EXPECT_TRUE(mentions(problems, "has no entry in Data/Items.txt"));
}

TEST_F(BrokenCopy, NeedsExactlyOneLevelEnd) {
    setCell(100, 5, "43 $");
    EXPECT_TRUE(mentions(check(), "2 level-end items"));
}

TEST_F(BrokenCopy, FindsEnemiesOutsideTheirBoundsAndMissingFrames) {
    writeFile("Data/Enemies1.txt",
              "N 2\n"
              "T 0 X 5 Y 1 MinX -3 MaxY 1 MaxX 3 MinY 1 VX 0.1 VY 0\n"
              "T 3 X 0 Y 9 MinX -3 MaxY 5 MaxX 3 MinY 1 VX 0.1 VY 0.1\n");
    std::string textures = readFile("Data/EnemyTextures.txt");
    // Type 3 (an animated flyer) keeps only two of the four pictures it shows.
    const auto at = textures.find("Fledermaus_Bilder 4");
    ASSERT_NE(at, std::string::npos);
    textures.replace(at, 19, "Fledermaus_Bilder 2");
    const auto third = textures.find("Graphics/Fledermaus3.bmp");
    textures.erase(third, textures.find("Spinne_Bilder") - third);
    writeFile("Data/EnemyTextures.txt", textures);

    const auto problems = check();
    EXPECT_TRUE(mentions(problems, "enemy 0 starts at x 5"));
    EXPECT_TRUE(mentions(problems, "enemy 1 starts at y 9"));
    EXPECT_TRUE(mentions(problems, "type 3 shows frames 0 to 3 but lists only 2"));
}

// Each kind of motion shows a fixed set of frames (patrols 8, flyers 2,
// animated flyers and bobbing patrols 4): a type that lists exactly those
// passes, one that lists one fewer is named.
TEST_F(BrokenCopy, EachKindOfMotionNeedsAllTheFramesItShows) {
    constexpr int needed[] = {8, 2, 4, 4};  // by behaviour 0 to 3
    for (int missing : {0, 1}) {
        std::string textures = "Anzahl_Gegnertypen 4\n";
        std::string enemies = "Anzahl_Gegner 4\n";
        for (int type = 0; type < 4; ++type) {
            const int frames = needed[type] - missing;
            textures += "Bilder " + std::to_string(frames) + " Verhalten " + std::to_string(type) +
                        " Additiv 0\n";
            for (int f = 0; f < frames; ++f) textures += "Graphics/Schnecke1.bmp\n";
            enemies += "Typ " + std::to_string(type) +
                       " X -9 Y 1 MinX -15 MaxY 1 MaxX -5 MinY 1 TempoX 0.03 TempoY 0\n";
        }
        writeFile("Data/EnemyTextures.txt", textures);
        writeFile("Data/Enemies1.txt", enemies);
        const auto problems = check();
        for (int type = 0; type < 4; ++type)
            EXPECT_EQ(mentions(problems, "type " + std::to_string(type) + " shows frames 0 to " +
                                             std::to_string(needed[type] - 1)),
                      missing == 1)
                << "type " << type << ", " << missing << " missing";
    }
}

TEST_F(BrokenCopy, FindsASwitchWithNoGateAboveAndTooFewKeys) {
    setCell(395, 3, "27 L");  // a lever above every gate
    setCell(2, 5, "68 D");    // one door more than there are keys
    const auto problems = check();
    EXPECT_TRUE(mentions(problems, "gate switch at row 395 column 3"));
    EXPECT_TRUE(mentions(problems, "locked doors but only"));
}

TEST_F(BrokenCopy, FindsAnItemThatShowsAsASquareInTheSky) {
    // The built pictures beside the copied data. The shipped level passes,
    // its start lantern in the sky included (a framed tile); a coin planted
    // in the sky carries the earth background, and so does what it leaves.
    fs::create_directory_symlink(fs::path(TIEFSCHACHT_GAME_DIR) / "Graphics", dir / "Graphics");
    levelcheck::Options withPictures;
    withPictures.checkPictureFiles = true;
    EXPECT_TRUE(levelcheck::checkGameData(dir.string(), withPictures).empty());
    setCell(394, 7, "23 o");
    const auto problems = levelcheck::checkGameData(dir.string(), withPictures);
    EXPECT_EQ(problems.size(), 2u);
    EXPECT_TRUE(mentions(problems, "picture (code 23) at row 394 column 7 shows as a square"));
    EXPECT_TRUE(mentions(problems, "replacement of the item (code 5) at row 394 column 7"));
}

TEST_F(BrokenCopy, ReportsAnUnreadableFileByName) {
    fs::remove(dir / "Data/Items.txt");
    const auto problems = check();
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_TRUE(mentions(problems, "Data/Items.txt: cannot be read"));
}
