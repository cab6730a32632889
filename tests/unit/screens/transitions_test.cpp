// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <unistd.h>

#include <filesystem>
#include <string>

#include "screens/buttons.hpp"
#include "screens/exit_screen.hpp"
#include "screens/main_menu.hpp"
#include "screens/outside_actions.hpp"
#include "screens/title_screen.hpp"
#include "screens/won_screen.hpp"
#include "unit/screens/fixture.hpp"
#include "world/level.hpp"

using namespace tiefschacht;

namespace {

bool isManualAddress(const std::string& s) {
    const std::string tail = "/Data/Spielanleitung.htm";
    return s.rfind("file:///", 0) == 0 && s.size() > tail.size() &&
           s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace

// The screens start games, so the level and the enemy file are there.
class TransitionTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        writeNewGameFiles();
        app.gameState = StateMainMenu;
    }
};
using MainMenuTest = TransitionTest;

TEST_F(TransitionTest, SpielenLooksPushedInUntilReleased) {
    app.gameState = StateTitle;
    placeAllButtons();
    clickOn(0);
    runTitleScreen(*game);
    EXPECT_EQ(button(0).pressed, 1);
    EXPECT_FLOAT_EQ(button(0).position->z, 60.5f);
    EXPECT_EQ(button(1).pressed, 0);
    input.mouseDown = 0;  // released: the flag is cleared in the next frame
    runTitleScreen(*game);
    EXPECT_EQ(button(0).pressed, 0);
    EXPECT_FLOAT_EQ(button(0).position->z, 60.0f);
}

TEST_F(TransitionTest, HeldButtonOutsideActsOnceTheCursorEntersSpielen) {
    app.gameState = StateTitle;
    placeAllButtons();
    input.mouseDown = 1;
    input.cursorScreenX = 900.0f;
    input.cursorScreenY = 10.0f;
    runTitleScreen(*game);
    EXPECT_EQ(app.gameState, StateTitle);
    clickOn(0);
    runTitleScreen(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);
}

// Each screen's buttons, clicked (or only pointed at) for some frames: the
// screen they lead to, what the shell is asked to open, whether the window
// closes. The score a finished game made is kept on the way to the list.
TEST_F(TransitionTest, EachButtonLeadsWhereItShould) {
    const std::string web = "http://www.example.org", manual = "manual";
    struct Case {
        void (*run)(Game&);
        GameState from;
        int button;
        bool pressed;
        int frames;
        GameState to;
        std::string opened;  // every frame's request; "manual": the manual's address
        bool closes;
    } const cases[] = {
        {runTitleScreen, StateTitle, 0, true, 1, StateMainMenu, "", false},
        {runTitleScreen, StateTitle, 1, true, 1, StateTitle, web, true},
        {runTitleScreen, StateTitle, 2, true, 3, StateTitle, manual, false},
        {runExitScreen, StateExit, 4, true, 1, StateExit, "", true},
        {runExitScreen, StateExit, 3, true, 1, StateExit, web, true},
        {runExitScreen, StateExit, 4, false, 1, StateExit, "", false},
        {runMainMenu, StateMainMenu, 5, true, 1, StatePlaying, "", false},
        {runMainMenu, StateMainMenu, 5, false, 1, StateMainMenu, "", false},
        {runMainMenu, StateMainMenu, 6, true, 1, StateHighscore, "", false},
        {runMainMenu, StateMainMenu, 7, true, 1, StateExit, "", false},
        {runMainMenu, StateMainMenu, 9, true, 1, StateMainMenu, web, true},
        {runMainMenu, StateMainMenu, 10, true, 1, StateMainMenu, manual, false},
        {runWonScreen, StateWon, 5, true, 1, StateWon, "", false},  // not on this screen
        {runWonScreen, StateWon, 7, true, 1, StateHighscore, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("state " + std::to_string(c.from) + ", button " + std::to_string(c.button));
        app = AppState{};
        app.gameState = c.from;
        shell->log.clear();
        play.score = 4321;
        for (int frame = 0; frame < c.frames; ++frame) {
            placeAllButtons();
            clickOn(c.button);
            input.mouseDown = c.pressed;
            c.run(*game);
        }
        EXPECT_EQ(app.gameState, c.to);
        EXPECT_EQ(play.score, c.to == StatePlaying ? 0 : 4321);
        EXPECT_EQ(app.closeRequested, c.closes);
        ASSERT_EQ(shell->log.size(), c.opened.empty() ? 0u : static_cast<size_t>(c.frames));
        for (const std::string& r : shell->log)
            EXPECT_TRUE(c.opened == manual ? isManualAddress(r) : r == c.opened) << r;
        if (c.button == 4) {
            EXPECT_EQ(button(4).pressed, c.pressed ? 1 : 0);
        }
        for (int i : {5, 6, 7, 9, 10}) EXPECT_EQ(button(i).pressed, 0) << i;
    }
}

TEST_F(MainMenuTest, SpielStartenResetsTheGameButOnlyTheHerosX) {
    play.score = 1234;
    play.lives = -1;
    play.keyCount = 4;
    play.highscoreEligible = 0;
    Hero& hero = *game->hero;
    hero.position = {7.5f, 1.0f, 40.0f};
    hero.frame = 9;
    hero.active = 0;
    placeAllButtons();
    clickOn(5);
    runMainMenu(*game);
    EXPECT_EQ(app.gameState, StatePlaying);
    EXPECT_EQ(play.score, 0);
    EXPECT_EQ(play.lives, 3);
    EXPECT_EQ(play.keyCount, 0);
    EXPECT_FLOAT_EQ(hero.position.x, -1.0f);
    EXPECT_FLOAT_EQ(hero.position.y, 1.0f);
    EXPECT_EQ(hero.frame, 9);
    EXPECT_EQ(hero.active, 0);
}

TEST_F(MainMenuTest, SpielStartenReadsTheLevelAndTheEnemiesAgain) {
    // The state a finished game leaves behind.
    level.tileGrid[391][10] = 0;  // the item was taken
    level.tileGrid[395][5] = 4;   // a door was opened
    level.levelOrigin.y = -100.0f;
    Enemy& first = *game->enemies[0];
    first.active = 1;
    first.position.y = 250.0f;
    first.maxY = 260.0f;
    first.minY = 240.0f;
    game->enemies[7]->active = 1;  // beyond the file's count: left alone
    game->enemies[7]->position.x = 11.0f;
    play.animCounter = 64;

    placeAllButtons();
    clickOn(5);
    runMainMenu(*game);
    EXPECT_EQ(app.gameState, StatePlaying);
    EXPECT_EQ(level.tileGrid[391][10], 23);
    EXPECT_EQ(level.tileGrid[395][5], 0);
    EXPECT_EQ(level.tileGrid[0][0], 70);
    EXPECT_FLOAT_EQ(level.levelOrigin.y, -380.0f);
    EXPECT_EQ(first.type, 3);
    EXPECT_FLOAT_EQ(first.position.x, 4.5f);
    EXPECT_FLOAT_EQ(first.position.y, 7.0f);
    EXPECT_FLOAT_EQ(first.maxY, 9.0f);
    EXPECT_FLOAT_EQ(first.minY, 2.0f);
    EXPECT_FLOAT_EQ(first.velocityX, 0.25f);
    EXPECT_FLOAT_EQ(first.velocityY, -0.5f);
    EXPECT_EQ(game->enemies[1]->active, 1);
    EXPECT_FLOAT_EQ(game->enemies[1]->position.y, -20.0f);
    EXPECT_EQ(game->enemies[7]->active, 1);
    EXPECT_FLOAT_EQ(game->enemies[7]->position.x, 11.0f);
    EXPECT_EQ(play.animCounter, 0);
}

TEST_F(MainMenuTest, WhereRectanglesOverlapOnlyTheButtonDrawnThereActs) {
    // Rectangles of one row reaching into each other, as at 800 x 600.
    placeButton(5, 100, 700);  // 100 .. 292
    placeButton(9, 250, 700);  // 250 .. 442
    input.mouseDown = 1;
    input.cursorScreenY = 716.0f;
    for (float x : {200.0f, 260.0f, 291.0f}) {
        app = AppState{};
        app.gameState = StateMainMenu;
        shell->log.clear();
        play.score = 5;
        placeButton(5, 100, 700);
        placeButton(9, 250, 700);
        input.cursorScreenX = x;
        runMainMenu(*game);
        const bool onWebSite = x > 250.0f;
        EXPECT_EQ(app.gameState, onWebSite ? StateMainMenu : StatePlaying) << x;
        EXPECT_EQ(play.score, onWebSite ? 5 : 0) << x;
        EXPECT_EQ(app.closeRequested, onWebSite) << x;
        EXPECT_EQ(shell->log.size(), onWebSite ? 1u : 0u) << x;
    }
}

TEST(OutsideAddresses, WebSiteAndManual) {
    EXPECT_EQ(webSiteAddress(), "http://www.example.org");
    EXPECT_EQ(fileAddress("/home/anna/Tiefschacht/Data/Spielanleitung.htm"),
              "file:///home/anna/Tiefschacht/Data/Spielanleitung.htm");
    EXPECT_EQ(fileAddress("/tmp/mein Spiel/Übung#1?%.htm"),
              "file:///tmp/mein%20Spiel/%C3%9Cbung%231%3F%25.htm");
}

TEST(OutsideAddresses, ManualIsTheAbsolutePathOfTheWorkingDirectory) {
    auto recorder = std::make_unique<RecordingShellForTests>();
    auto* shell = recorder.get();
    platformLayer.shell = std::move(recorder);
    char pattern[] = "/tmp/tiefschacht mXXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const auto old = std::filesystem::current_path();
    std::filesystem::current_path(pattern);
    openManual();
    std::filesystem::current_path(old);
    std::filesystem::remove_all(pattern);
    ASSERT_EQ(shell->log.size(), 1u);
    const std::string folder = std::filesystem::canonical("/tmp").string();
    EXPECT_EQ(shell->log[0].rfind("file://" + folder + "/tiefschacht%20m", 0), 0u) << shell->log[0];
    EXPECT_TRUE(isManualAddress(shell->log[0]));
    EXPECT_FALSE(app.closeRequested);
    platformLayer.shell.reset();
}

TEST(OutsideAddresses, NoShellMeansNoRequestButStillClosing) {
    platformLayer.shell.reset();
    openManual();
    openWebSiteAndClose();
    EXPECT_TRUE(app.closeRequested);
}

TEST(OutsideAddresses, AnAddressNoProgramCanOpenIsReportedAndTheGameGoesOn) {
    auto recorder = std::make_unique<RecordingShellForTests>();
    recorder->refusal = "no program to open it with";
    platformLayer.shell = std::move(recorder);
    testing::internal::CaptureStderr();
    openWebSiteAndClose();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "tiefschacht: http://www.example.org cannot be opened: no program to open it "
              "with\n");
    EXPECT_TRUE(app.closeRequested);
    EXPECT_FALSE(app.failureReported);
    platformLayer.shell.reset();
}
