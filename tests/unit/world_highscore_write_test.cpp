#include <gtest/gtest.h>

#include <filesystem>

#include "unit/world_test_support.hpp"
#include "world/data_tables.hpp"

using worldtest::readText;
using worldtest::ScratchFolder;
using worldtest::writeText;

namespace {
void fillTable() {
    const char* names[] = {"ANNA", "BERND", "CARL", "DORA", "EMIL",
                           "FRIEDA", "GUSTAV", "HEINZ", "IDA", "JOSEF"};
    for (int i = 0; i < highscoreCount; ++i) {
        highscoreTable.names[i].fill('\0');
        std::strncpy(highscoreTable.names[i].data(), names[i], 14);
        highscoreTable.scores[i] = 1000 - 100 * i;
    }
}
}  // namespace

TEST(WorldHighscoreWrite, RoundTripGivesTheSameTableAndTenLines) {
    ScratchFolder dir;
    fillTable();
    highscoreTable.scores[9] = -7;
    writeHighscores("Data/Highscore.txt");

    const std::string text = readText("Data/Highscore.txt");
    EXPECT_EQ(text.substr(0, 20), "ANNA 1000\nBERND 900\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_FALSE(std::filesystem::exists("Data/Highscore.txt.tmp"));

    const HighscoreTable written = highscoreTable;
    highscoreTable = HighscoreTable{};
    readHighscores("Data/Highscore.txt");
    EXPECT_EQ(highscoreTable.names, written.names);
    EXPECT_EQ(highscoreTable.scores, written.scores);
}

TEST(WorldHighscoreWrite, LongNameIsCutOnReadingAndStoredCut) {
    ScratchFolder dir;
    std::string text = "ABCDEFGHIJKLMNOPQRST 50\n";
    for (int i = 1; i < 10; ++i) text += "X 1\n";
    writeText("Data/Highscore.txt", text);
    readHighscores("Data/Highscore.txt");
    writeHighscores("Data/Highscore.txt");
    EXPECT_EQ(readText("Data/Highscore.txt").substr(0, 18), "ABCDEFGHIJKLMN 50\n");
}

TEST(WorldHighscoreWrite, NamesTheFormatCannotCarryStillReadBackInPlace) {
    ScratchFolder dir;
    fillTable();
    highscoreTable.names[2].fill('\0');                           // empty
    std::strncpy(highscoreTable.names[4].data(), "EM IL", 14);    // a blank inside
    writeHighscores("Data/Highscore.txt");
    highscoreTable = HighscoreTable{};
    readHighscores("Data/Highscore.txt");
    // Every score stays with its line.
    for (int i = 0; i < highscoreCount; ++i) EXPECT_EQ(highscoreTable.scores[i], 1000 - 100 * i);
    EXPECT_STREQ(highscoreTable.names[3].data(), "DORA");
    EXPECT_STREQ(highscoreTable.names[4].data(), "EM_IL");
}

TEST(WorldHighscoreWriteDeathTest, InterruptedWriteLeavesTheOldListIntact) {
    ScratchFolder dir;
    const std::string old = "OLD 5\nOLD 4\nOLD 3\nOLD 2\nOLD 1\nOLD 0\nOLD 0\nOLD 0\nOLD 0\nOLD 0\n";
    writeText("Data/Highscore.txt", old);
    fillTable();
    EXPECT_EXIT(writeHighscores("Data/Highscore.txt", HighscoreWriteFault::AfterTempWritten),
                testing::ExitedWithCode(1), "Data/Highscore.txt");
    EXPECT_EQ(readText("Data/Highscore.txt"), old);
    EXPECT_FALSE(std::filesystem::exists("Data/Highscore.txt.tmp"));
}

TEST(WorldHighscoreWriteDeathTest, UnwritableFolderEndsTheProgramNamingTheFile) {
    ScratchFolder dir;
    fillTable();
    EXPECT_EXIT(writeHighscores("NoSuchFolder/Highscore.txt"), testing::ExitedWithCode(1),
                "NoSuchFolder/Highscore.txt");
}
