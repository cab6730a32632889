// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The highscore list: where the screen enters a result, the name it keeps,
// the list file it saves and what a list file reads back as.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include "platform/key_codes.hpp"
#include "screens/highscore_insert.hpp"
#include "screens/highscore_screen.hpp"
#include "services/key_rules.hpp"
#include "support/input_fakes.hpp"
#include "unit/screens/fixture.hpp"
#include "world/highscore_file.hpp"

using namespace tiefschacht;

namespace {

constexpr const char* listPath = "Data/Highscore.txt";

// Names OLDA, OLDB, ... with the given scores.
void setTable(std::initializer_list<int> scores) {
    int i = 0;
    for (int s : scores) {
        const auto slot = static_cast<size_t>(i);
        highscoreTable.scores[slot] = s;
        std::snprintf(highscoreTable.names[slot].data(), 15, "OLD%c", 'A' + i);
        ++i;
    }
}

void typeName(const char* name) {
    input.nameBuffer.fill('\0');
    std::strncpy(input.nameBuffer.data(), name, input.nameBuffer.size() - 1);
    input.nameLength = static_cast<int32_t>(std::strlen(name));
}

std::string nameAt(int i) { return highscoreTable.names[static_cast<size_t>(i)].data(); }
int scoreAt(int i) { return highscoreTable.scores[static_cast<size_t>(i)]; }

class HighscoreTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        setTable({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
        app.gameState = StateHighscore;
    }
    // "OK" clicked with the left button (Enter may still be held).
    void clickOk() {
        placeButton(8, 200, 500);
        clickOn(8);
        runHighscoreScreen(*game);
    }
};

// A result entered with Enter, then "OK": it goes above every equal score,
// the entries below move down one and the tenth drops out; equal to the
// tenth or below it there is no place, and no list file is written.
TEST_F(HighscoreTest, AResultGoesAboveItsEqualsAndPushesTheTenthOut) {
    const std::string ties = "OLDA 100\nOLDB 80\nOLDC 80\nOLDD 50\nOLDE 40\n";
    struct Case {
        const char* name;
        int score;
        bool withTies;     // the list 100 80 80 50 40 30 20 10 5 1
        std::string list;  // after the entry; empty: no entry
    } const cases[] = {
        {"ANNA", 10, false, ""},
        {"ANNA", 5, false, ""},
        {"ANNA", 11, false,
         "OLDA 100\nOLDB 90\nOLDC 80\nOLDD 70\nOLDE 60\nOLDF 50\nOLDG 40\nOLDH 30\nOLDI 20\n"
         "ANNA 11\n"},
        {"CARLA", 100, false,
         "CARLA 100\nOLDA 100\nOLDB 90\nOLDC 80\nOLDD 70\nOLDE 60\nOLDF 50\nOLDG 40\nOLDH 30\n"
         "OLDI 20\n"},
        {"DORA", 85, false,
         "OLDA 100\nOLDB 90\nDORA 85\nOLDC 80\nOLDD 70\nOLDE 60\nOLDF 50\nOLDG 40\nOLDH 30\n"
         "OLDI 20\n"},
        {"BERND", 80, true,
         "OLDA 100\nBERND 80\nOLDB 80\nOLDC 80\nOLDD 50\nOLDE 40\nOLDF 30\nOLDG 20\nOLDH 10\n"
         "OLDI 5\n"},
        {"", 65, false,
         "OLDA 100\nOLDB 90\nOLDC 80\nOLDD 70\nUNBEKANNT 65\nOLDE 60\nOLDF 50\nOLDG 40\n"
         "OLDH 30\nOLDI 20\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.score));
        if (c.withTies)
            setTable({100, 80, 80, 50, 40, 30, 20, 10, 5, 1});
        else
            setTable({100, 90, 80, 70, 60, 50, 40, 30, 20, 10});
        const std::string before = highscoreText(highscoreTable);
        std::filesystem::remove(listPath);
        app.gameState = StateHighscore;
        typeName(c.name);
        play.score = c.score;
        input.enterDown = 1;
        input.mouseDown = 0;
        runHighscoreScreen(*game);
        // Entered in the first frame: the prompt is never shown.
        EXPECT_EQ(play.highscoreEligible, 0);
        EXPECT_EQ(app.gameState, StateHighscore);
        clickOk();  // Enter still held: no second entry
        EXPECT_EQ(app.gameState, StateMainMenu);

        const bool entered = !c.list.empty();
        EXPECT_EQ(highscoreText(highscoreTable), entered ? c.list : before);
        EXPECT_EQ(testsupport::readFile(listPath), c.list);
        EXPECT_EQ(std::filesystem::exists(listPath), entered);
        EXPECT_EQ(play.score, entered ? 0 : c.score);  // kept until a new game starts
    }
}

// Without Enter the screen waits; only a click on "OK" enters the score,
// once.
TEST_F(HighscoreTest, OkEntersAPendingScoreOnceAndOnlyWhenHit) {
    typeName("EMIL");
    play.score = 35;
    runHighscoreScreen(*game);
    runHighscoreScreen(*game);
    EXPECT_EQ(play.highscoreEligible, 1);
    EXPECT_EQ(scoreAt(7), 30);

    placeButton(8, 200, 500);
    input.cursorScreenX = 200.0f;  // on the button's left edge
    input.cursorScreenY = 510.0f;
    input.mouseDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateHighscore);
    clickOn(8);
    input.mouseDown = 0;  // on the button, but not pressed
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateHighscore);
    EXPECT_EQ(play.highscoreEligible, 1);

    clickOk();
    EXPECT_EQ(app.gameState, StateMainMenu);
    EXPECT_EQ(play.highscoreEligible, 0);
    EXPECT_EQ(nameAt(7), "EMIL");
    EXPECT_EQ(scoreAt(7), 35);
    EXPECT_EQ(play.score, 0);
    runHighscoreScreen(*game);  // "OK" still held enters nothing more
    EXPECT_EQ(scoreAt(8), 30);
}

TEST_F(HighscoreTest, TheNameIsOfferedAgainForTheNextGame) {
    typeName("FRIDA");
    play.score = 95;
    input.enterDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(std::string(input.nameBuffer.data()), "FRIDA");
    EXPECT_EQ(input.nameLength, 5);

    play.score = 45;  // the next game
    runHighscoreScreen(*game);
    EXPECT_EQ(nameAt(1), "FRIDA");
    EXPECT_EQ(nameAt(7), "FRIDA");
    EXPECT_EQ(scoreAt(7), 45);
}

TEST(HighscoreName, KeepsCapitalLettersOnlyAndAtMostFourteen) {
    auto name = [](const char* typed) {
        auto n = entryName(typed, std::strlen(typed) + 1);
        EXPECT_EQ(n[14], '\0');
        return std::string(n.data());
    };
    EXPECT_EQ(name("ABCDEFGHIJKLMNOPQ"), "ABCDEFGHIJKLMN");
    EXPECT_EQ(name("AB CD\tE"), "ABCDE");
    EXPECT_EQ(name(""), "UNBEKANNT");
    EXPECT_EQ(name("  "), "UNBEKANNT");
    EXPECT_EQ(name("abc"), "UNBEKANNT");
    EXPECT_EQ(std::string(entryName(nullptr, 0).data()), "UNBEKANNT");
    // An unterminated buffer is read no further than its capacity.
    const char raw[3] = {'X', 'Y', 'Z'};
    EXPECT_EQ(std::string(entryName(raw, 2).data()), "XY");
}

TEST_F(HighscoreTest, UnterminatedSlotsStayBoundedWhenShifted) {
    std::memset(highscoreTable.names[0].data(), 'Q', 15);  // no terminator at all
    play.score = 200;
    typeName("GUSTAV");
    insertHighscore(*game);
    EXPECT_EQ(nameAt(1), std::string(14, 'Q'));
    drawHighscoreScreen(*game);  // must not read past the slot
}

// Every letter the keyboard types reaches the list file: typed key by key
// through the polls, entered with Enter, written and read back.
TEST_F(HighscoreTest, EveryTypedLetterReachesTheListFile) {
    constexpr std::array<uint8_t, 26> letterKeys{
        KeyA, KeyB, KeyC, KeyD, KeyE, KeyF, KeyG, KeyH, KeyI, KeyJ, KeyK, KeyL, KeyM,
        KeyN, KeyO, KeyP, KeyQ, KeyR, KeyS, KeyT, KeyU, KeyV, KeyW, KeyX, KeyY, KeyZ};
    auto fake = std::make_unique<FakeInputDevices>();
    FakeInputDevices& devices = *fake;
    platformLayer.inputDevices = std::move(fake);
    ASSERT_EQ(initInput(), 0);
    const auto poll = [&](KeyboardSnapshot keys) {
        devices.keyboardReads.push_back(keys);
        pollKeyboard();
        applyKeyRules();
    };
    for (const std::string name : {"ABCDEFGHIJKLMN", "OPQRSTUVWXYZ"}) {
        typeName("");
        for (char c : name) {
            poll(keysDown({letterKeys[static_cast<size_t>(c - 'A')]}));
            poll({});
        }
        play.score = 1000;
        poll(keysDown({KeyEnter}));
        runHighscoreScreen(*game);
        EXPECT_EQ(nameAt(0), name);
    }
    const std::string list = testsupport::readFile(listPath);
    EXPECT_EQ(list.rfind("OPQRSTUVWXYZ 1000\nABCDEFGHIJKLMN 1000\n", 0), 0u) << list;
    platformLayer.inputDevices.reset();
}

// What each list file reads as: the damage named once on reading (none for a
// clean list), and the list it holds, as it would be saved again. A damaged
// score or name never shifts the entries after it.
TEST_F(HighscoreTest, AListFileReadsBackAsWrittenAndItsDamageIsNamed) {
    // The text of a list with an empty name and a blank inside one.
    setTable({1000, 900, 800, 700, 600, 500, 400, 300, 200, -7});
    highscoreTable.names[2].fill('\0');
    std::strncpy(highscoreTable.names[4].data(), "EM IL", 14);
    const std::string written = highscoreText(highscoreTable);
    EXPECT_EQ(written,
              "OLDA 1000\nOLDB 900\n- 800\nOLDD 700\nEM_IL 600\nOLDF 500\nOLDG 400\nOLDH 300\n"
              "OLDI 200\nOLDJ -7\n");

    const std::string rest =
        "LISA 900\nMAX 800\nNINA 700\nOTTO 600\nPIA 500\nRUDI 400\nSARA 300\nTOM 200\nUTE 100\n";
    const std::string empty = "- 0\n";
    struct Case {
        std::string text;
        std::string damage;  // empty: none
        std::string readsAs;
    } const cases[] = {
        {written, "", written},
        {"KARL -2147483648\n" + rest, "", "KARL -2147483648\n" + rest},
        {"KARL 1e3\n" + rest, "entry 1: the score \"1e3\" is not a whole number",
         "KARL 1\n" + rest},
        {"KARL 1000.5\n" + rest, "entry 1: the score \"1000.5\" is not a whole number",
         "KARL 1000\n" + rest},
        {"KARL 99999999999\n" + rest, "entry 1: the score \"99999999999\" is out of range",
         "KARL 2147483647\n" + rest},
        {"KARL -99999999999\n" + rest, "entry 1: the score \"-99999999999\" is out of range",
         "KARL -2147483648\n" + rest},
        {"1000\n" + rest, "entry 1: the score \"LISA\" is not a whole number",
         "1000 0\n900 0\n800 0\n700 0\n600 0\n500 0\n400 0\n300 0\n200 0\n100 0\n"},
        {rest, "it holds 9 complete entries instead of 10", rest + empty},
        {"", "it holds 0 complete entries instead of 10", ""},
        {"KARL 1000\n" + rest + "VIKTOR 50\n", "there is more text after the tenth entry",
         "KARL 1000\n" + rest},
        // A name is one token cut to 14 letters; "0x10" is one score token.
        {"ABCDEFGHIJKLMNOPQRST 900\nBOB 0x10\n" + std::string(300, 'Z') + " 7\nEVE -5\n",
         "entry 1: the name \"ABCDEFGHIJKLMNOPQRST\" is longer than 14 letters; it is cut to "
         "\"ABCDEFGHIJKLMN\"",
         "ABCDEFGHIJKLMN 900\nBOB 0\nZZZZZZZZZZZZZZ 7\nEVE -5\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 30));
        testsupport::writeFile(listPath, c.text);
        highscoreTable.scores[9] = 123;  // nothing of an earlier list stays
        testing::internal::CaptureStderr();
        readHighscores(listPath);
        const std::string said = testing::internal::GetCapturedStderr();
        std::string readsAs = c.readsAs;
        while (std::count(readsAs.begin(), readsAs.end(), '\n') < 10) readsAs += empty;
        EXPECT_EQ(highscoreText(highscoreTable), readsAs);
        const std::string named = c.damage.empty()
                                      ? ""
                                      : "tiefschacht: Data/Highscore.txt: the list is damaged (" +
                                            c.damage + "); it is read as far as it goes";
        EXPECT_EQ(said.substr(0, named.size()), named);
        EXPECT_EQ(said.empty(), c.damage.empty()) << said;
    }
}

// An entry is saved into the list as the file holds it at that moment (other
// games may have entered results since this one read it); a list that cannot
// be saved is reported, and the entry stays shown.
TEST_F(HighscoreTest, AnEntryIsSavedIntoTheListAsTheFileHoldsItNowOrReported) {
    const std::array<char, 15> name{'N', 'E', 'U'};
    setTable({1000, 900, 800, 700, 600, 500, 400, 300, 200, 100});
    HighscoreTable now = highscoreTable;
    std::strncpy(now.names[0].data(), "ANDERE", 14);
    now.scores[0] = 2000;
    testsupport::writeFile(listPath, highscoreText(now));
    ASSERT_EQ(saveHighscoreEntry(listPath, 5000, name), EntryOutcome::Saved);
    EXPECT_EQ(nameAt(0), "NEU");
    EXPECT_EQ(nameAt(1), "ANDERE");
    EXPECT_EQ(testsupport::readFile(listPath), highscoreText(highscoreTable));
    EXPECT_FALSE(app.failureReported);

    testing::internal::CaptureStderr();
    EXPECT_EQ(saveHighscoreEntry("NoSuchFolder/Highscore.txt", 6000, name), EntryOutcome::Failed);
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said.rfind("tiefschacht: NoSuchFolder/Highscore.txt: the new list cannot be saved: "
                         "NoSuchFolder/Highscore.txt.lock: No such file or directory",
                         0),
              0u)
        << said;
    EXPECT_TRUE(app.failureReported);
    EXPECT_EQ(scoreAt(0), 6000);
    EXPECT_EQ(scoreAt(1), 5000);
}

}  // namespace
