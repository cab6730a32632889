// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/screens/highscore_fixture.hpp"

using namespace tiefschacht;

TEST_F(HighscoreTest, PlacementKeepsTiesBelowTheNewEntry) {
    // Equal to the tenth would replace it (the screen never asks for that);
    // below it there is no place at all.
    EXPECT_EQ(highscorePlacement(10), 9);
    EXPECT_EQ(highscorePlacement(5), 10);
    EXPECT_EQ(highscorePlacement(11), 9);
    EXPECT_EQ(highscorePlacement(100), 0);  // equal to the best goes above it
    EXPECT_EQ(highscorePlacement(5000), 0);
    EXPECT_EQ(highscorePlacement(85), 2);
    setTable({100, 80, 80, 50, 40, 30, 20, 10, 5, 1});
    EXPECT_EQ(highscorePlacement(80), 1);
}

TEST_F(HighscoreTest, EqualToTheTenthDoesNotQualify) {
    play.score = 10;
    input.enterDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(play.highscoreEligible, 0);
    EXPECT_EQ(play.score, 10);  // kept until a new game starts
    EXPECT_EQ(scoreAt(9), 10);
}

TEST_F(HighscoreTest, OneMorePushesTheOldTenthOut) {
    typeName("ANNA");
    play.score = 11;
    input.enterDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(scoreAt(8), 20);
    EXPECT_EQ(scoreAt(9), 11);
    EXPECT_EQ(nameAt(9), "ANNA");
    EXPECT_EQ(nameAt(8), "OLDI");
    EXPECT_EQ(play.score, 0);
}

TEST_F(HighscoreTest, InsertionShiftsTheEntriesBelow) {
    setTable({100, 80, 80, 50, 40, 30, 20, 10, 5, 1});
    typeName("BERND");
    play.score = 80;
    insertHighscore(*game);
    const int expectedScores[10] = {100, 80, 80, 80, 50, 40, 30, 20, 10, 5};
    const char* expectedNames[10] = {"OLDA", "BERND", "OLDB", "OLDC", "OLDD",
                                     "OLDE", "OLDF",  "OLDG", "OLDH", "OLDI"};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(scoreAt(i), expectedScores[i]) << i;
        EXPECT_EQ(nameAt(i), expectedNames[i]) << i;
    }
    EXPECT_EQ(play.score, 0);
}

TEST_F(HighscoreTest, TheBestScoreGoesOnTop) {
    typeName("CARLA");
    play.score = 100;
    insertHighscore(*game);
    EXPECT_EQ(nameAt(0), "CARLA");
    EXPECT_EQ(scoreAt(0), 100);
    EXPECT_EQ(nameAt(1), "OLDA");
    EXPECT_EQ(scoreAt(9), 20);
}

TEST_F(HighscoreTest, EnterHeldOnArrivalEntersBeforeThePromptIsShown) {
    typeName("DORA");
    play.score = 55;
    input.enterDown = 1;
    runHighscoreScreen(*game);
    // Entered in the first frame: the prompt's flag is already clear when
    // the screen is drawn.
    EXPECT_EQ(play.highscoreEligible, 0);
    EXPECT_EQ(scoreAt(5), 55);
    EXPECT_EQ(app.gameState, StateHighscore);

    // Enter still held, then "OK": no second entry, back to the menu.
    placeButton(8, 200, 500);
    clickOn(8);
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);
    EXPECT_EQ(scoreAt(5), 55);
    EXPECT_EQ(scoreAt(6), 50);
    int dora = 0;
    for (int i = 0; i < 10; ++i) dora += nameAt(i) == "DORA";
    EXPECT_EQ(dora, 1);
}

TEST_F(HighscoreTest, OkEntersAPendingScoreOnceAndReturnsToTheMenu) {
    typeName("EMIL");
    play.score = 35;
    runHighscoreScreen(*game);
    EXPECT_EQ(play.highscoreEligible, 1);  // waits for Enter or "OK"
    EXPECT_EQ(scoreAt(7), 30);
    runHighscoreScreen(*game);
    EXPECT_EQ(play.highscoreEligible, 1);

    placeButton(8, 200, 500);
    clickOn(8);
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);
    EXPECT_EQ(play.highscoreEligible, 0);
    EXPECT_EQ(nameAt(7), "EMIL");
    EXPECT_EQ(scoreAt(7), 35);
    EXPECT_EQ(play.score, 0);

    // Clicking "OK" again enters nothing more.
    runHighscoreScreen(*game);
    EXPECT_EQ(scoreAt(8), 30);
}

TEST_F(HighscoreTest, OkMissedOrMouseUpStaysOnTheList) {
    play.score = 35;
    placeButton(8, 200, 500);
    input.cursorScreenX = 200.0f;  // on the left edge
    input.cursorScreenY = 510.0f;
    input.mouseDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateHighscore);
    clickOn(8);
    input.mouseDown = 0;
    runHighscoreScreen(*game);
    EXPECT_EQ(app.gameState, StateHighscore);
    EXPECT_EQ(play.highscoreEligible, 1);
}

TEST_F(HighscoreTest, TheNameIsOfferedAgainForTheNextGame) {
    typeName("FRIDA");
    play.score = 95;
    input.enterDown = 1;
    runHighscoreScreen(*game);
    input.enterDown = 0;
    EXPECT_EQ(std::string(input.nameBuffer.data()), "FRIDA");
    EXPECT_EQ(input.nameLength, 5);

    play.score = 45;  // the next game
    input.enterDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(nameAt(1), "FRIDA");
    EXPECT_EQ(nameAt(7), "FRIDA");
    EXPECT_EQ(scoreAt(7), 45);
}

TEST_F(HighscoreTest, AnEmptyNameIsStoredReadably) {
    play.score = 65;
    input.enterDown = 1;
    runHighscoreScreen(*game);
    EXPECT_EQ(nameAt(4), "UNBEKANNT");
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
