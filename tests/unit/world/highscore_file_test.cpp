// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The highscore list's file: its text, what a damaged one reads as, and an
// entry saved into the file as it is at that moment.
#include <gtest/gtest.h>

#include <limits>

#include "services/app_state.hpp"
#include "unit/world/test_support.hpp"
#include "world/highscore_file.hpp"

using namespace tiefschacht;

using testsupport::ScratchFolder;
using worldtest::readText;
using worldtest::writeText;

namespace {
constexpr const char* listPath = "Data/Highscore.txt";

HighscoreTable tableOf(std::initializer_list<std::pair<const char*, int32_t>> entries) {
    HighscoreTable t;
    size_t i = 0;
    for (const auto& [name, score] : entries) {
        std::strncpy(t.names[i].data(), name, 14);
        t.scores[i++] = score;
    }
    return t;
}

HighscoreTable fullTable() {
    return tableOf({{"ANNA", 1000},
                    {"BERND", 900},
                    {"CARL", 800},
                    {"DORA", 700},
                    {"EMIL", 600},
                    {"FRIEDA", 500},
                    {"GUSTAV", 400},
                    {"HEINZ", 300},
                    {"IDA", 200},
                    {"JOSEF", -7}});
}

HighscoreReading parse(const std::string& text) {
    TokenReader reader(text);
    return parseHighscores(reader);
}

// A best score's name.
const std::array<char, 15> newName = tableOf({{"NEU", 0}}).names[0];
}  // namespace

TEST(WorldHighscoreFile, WrittenTextReadsBackAsTheSameTable) {
    HighscoreTable table = fullTable();
    table.names[2].fill('\0');                         // empty
    std::strncpy(table.names[4].data(), "EM IL", 14);  // a blank inside
    const std::string text = highscoreText(table);
    EXPECT_EQ(text.substr(0, 20), "ANNA 1000\nBERND 900\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);

    const HighscoreReading back = parse(text);
    EXPECT_EQ(back.damage, "");
    EXPECT_EQ(back.table.scores, table.scores);  // every score stays with its line
    EXPECT_STREQ(back.table.names[2].data(), "-");
    EXPECT_STREQ(back.table.names[4].data(), "EM_IL");
    EXPECT_STREQ(back.table.names[9].data(), "JOSEF");
}

TEST(WorldHighscoreFile, DamageIsNamedAndNeverShiftsTheEntriesAfterIt) {
    const std::string rest =
        "LISA 900\nMAX 800\nNINA 700\nOTTO 600\nPIA 500\nRUDI 400\n"
        "SARA 300\nTOM 200\nUTE 100\n";
    struct Case {
        std::string first;
        int32_t score;
        std::string damage;
    };
    const Case cases[] = {
        {"KARL 1e3\n", 1, "entry 1: the score \"1e3\" is not a whole number"},
        {"KARL 1000.5\n", 1000, "entry 1: the score \"1000.5\" is not a whole number"},
        {"KARL 99999999999\n", std::numeric_limits<int32_t>::max(),
         "entry 1: the score \"99999999999\" is out of range"},
        {"KARL -99999999999\n", std::numeric_limits<int32_t>::min(),
         "entry 1: the score \"-99999999999\" is out of range"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.first);
        const HighscoreReading r = parse(c.first + rest);
        EXPECT_EQ(r.damage, c.damage);
        EXPECT_EQ(r.table.scores[0], c.score);
        EXPECT_STREQ(r.table.names[1].data(), "LISA");
        EXPECT_EQ(r.table.scores[9], 100);
    }
    EXPECT_EQ(parse("1000\n" + rest).damage, "entry 1: the score \"LISA\" is not a whole number");
    EXPECT_EQ(parse(rest).damage, "it holds 9 complete entries instead of 10");
    EXPECT_EQ(parse("").damage, "it holds 0 complete entries instead of 10");
    EXPECT_EQ(parse("KARL 1000\n" + rest + "VIKTOR 50\n").damage,
              "there is more text after the tenth entry");
    EXPECT_EQ(parse("KARL -2147483648\n" + rest).damage, "");
}

TEST(WorldHighscoreFile, AnEntryGoesIntoTheListAsTheFileHoldsItNow) {
    ScratchFolder dir;
    highscoreTable = fullTable();  // what this game read at its start
    // Another game has entered a result since.
    HighscoreTable now = fullTable();
    std::strncpy(now.names[0].data(), "ANDERE", 14);
    now.scores[0] = 2000;
    writeText(listPath, highscoreText(now));

    ASSERT_EQ(saveHighscoreEntry(listPath, 5000, newName), EntryOutcome::Saved);
    EXPECT_STREQ(highscoreTable.names[0].data(), "NEU");
    EXPECT_STREQ(highscoreTable.names[1].data(), "ANDERE");
    EXPECT_EQ(readText(listPath), highscoreText(highscoreTable));
    EXPECT_FALSE(app.failureReported);
}

TEST(WorldHighscoreFile, AListThatCannotBeSavedIsReportedAndTheEntryStaysShown) {
    ScratchFolder dir;
    highscoreTable = fullTable();
    testing::internal::CaptureStderr();
    EXPECT_EQ(saveHighscoreEntry("NoSuchFolder/Highscore.txt", 5000, newName),
              EntryOutcome::Failed);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tiefschacht: NoSuchFolder/Highscore.txt: the new list cannot be saved: "
                         "NoSuchFolder/Highscore.txt.lock: No such file or directory",
                         0),
              0u)
        << said;
    EXPECT_TRUE(app.failureReported);
    EXPECT_STREQ(highscoreTable.names[0].data(), "NEU");
    EXPECT_EQ(highscoreTable.scores[1], 1000);
}
