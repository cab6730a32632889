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

using TitleScreenTest = ScreenTest;
using ExitScreenTest = ScreenTest;
// The main menu starts games, so the level and the enemy file are there.
class MainMenuTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        writeNewGameFiles();
        app.gameState = StateMainMenu;
    }
};
using WonScreenTest = ScreenTest;

TEST_F(TitleScreenTest, SpielenLeadsToTheMainMenuAndLooksPushedIn) {
    placeAllButtons();
    clickOn(0);
    runTitleScreen(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);
    EXPECT_EQ(button(0).pressed, 1);
    EXPECT_FLOAT_EQ(button(0).position->z, 60.5f);
    EXPECT_EQ(button(1).pressed, 0);
    EXPECT_EQ(button(2).pressed, 0);
    EXPECT_TRUE(shell->log.empty());
    EXPECT_FALSE(app.closeRequested);

    input.mouseDown = 0;  // released: the flag is cleared in the next frame
    runTitleScreen(*game);
    EXPECT_EQ(button(0).pressed, 0);
    EXPECT_FLOAT_EQ(button(0).position->z, 60.0f);
}

TEST_F(TitleScreenTest, HeldButtonOutsideActsOnceTheCursorEntersSpielen) {
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

TEST_F(TitleScreenTest, WebSiteOpensThenClosesTheWindow) {
    placeAllButtons();
    clickOn(1);
    runTitleScreen(*game);
    ASSERT_EQ(shell->log.size(), 1u);
    EXPECT_EQ(shell->log[0], "http://www.example.org");
    EXPECT_TRUE(app.closeRequested);
    EXPECT_EQ(app.gameState, StateTitle);
}

TEST_F(TitleScreenTest, ManualIsRequestedInEveryFrameTheButtonIsHeld) {
    for (int frame = 0; frame < 3; ++frame) {
        placeAllButtons();
        clickOn(2);
        runTitleScreen(*game);
    }
    ASSERT_EQ(shell->log.size(), 3u);
    for (const auto& r : shell->log) EXPECT_TRUE(isManualAddress(r)) << r;
    EXPECT_EQ(app.gameState, StateTitle);
    EXPECT_FALSE(app.closeRequested);
}

TEST_F(ExitScreenTest, SpielBeendenClosesTheWindow) {
    app.gameState = StateExit;
    placeAllButtons();
    clickOn(4);
    runExitScreen(*game);
    EXPECT_TRUE(app.closeRequested);
    EXPECT_TRUE(shell->log.empty());
    EXPECT_EQ(button(4).pressed, 1);
    EXPECT_EQ(button(3).pressed, 0);
}

TEST_F(ExitScreenTest, WebSiteOpensThenCloses) {
    app.gameState = StateExit;
    placeAllButtons();
    clickOn(3);
    runExitScreen(*game);
    ASSERT_EQ(shell->log.size(), 1u);
    EXPECT_EQ(shell->log[0], "http://www.example.org");
    EXPECT_TRUE(app.closeRequested);
}

TEST_F(ExitScreenTest, WithoutAClickNothingHappens) {
    app.gameState = StateExit;
    placeAllButtons();
    clickOn(4);
    input.mouseDown = 0;
    runExitScreen(*game);
    EXPECT_FALSE(app.closeRequested);
    EXPECT_EQ(app.gameState, StateExit);
}

TEST_F(MainMenuTest, EachButtonLeadsWhereItShould) {
    struct Case {
        int button;
        int32_t state;
        size_t shellRequests;
        bool closes;
    };
    const Case cases[] = {
        {5, StatePlaying, 0, false}, {6, StateHighscore, 0, false}, {7, StateExit, 0, false},
        {9, StateMainMenu, 1, true}, {10, StateMainMenu, 1, false},
    };
    for (const Case& c : cases) {
        app = AppState{};
        app.gameState = StateMainMenu;
        shell->log.clear();
        placeAllButtons();
        clickOn(c.button);
        runMainMenu(*game);
        EXPECT_EQ(app.gameState, c.state) << "button " << c.button;
        EXPECT_EQ(shell->log.size(), c.shellRequests) << "button " << c.button;
        EXPECT_EQ(app.closeRequested, c.closes) << "button " << c.button;
        for (int i : {5, 6, 7, 9, 10}) EXPECT_EQ(button(i).pressed, 0);
    }
    EXPECT_TRUE(isManualAddress(shell->log.at(0)));
}

TEST_F(MainMenuTest, NothingHappensWithoutTheMouseButton) {
    placeAllButtons();
    clickOn(5);
    input.mouseDown = 0;
    play.score = 77;
    runMainMenu(*game);
    EXPECT_EQ(app.gameState, StateMainMenu);
    EXPECT_EQ(play.score, 77);
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

TEST_F(WonScreenTest, OnwardButtonLeadsToTheListWithTheScoreKept) {
    app.gameState = StateWon;
    play.score = 4321;
    placeAllButtons();
    clickOn(5);  // a main-menu button: not on this screen
    runWonScreen(*game);
    EXPECT_EQ(app.gameState, StateWon);
    clickOn(7);
    runWonScreen(*game);
    EXPECT_EQ(app.gameState, StateHighscore);
    EXPECT_EQ(play.score, 4321);
    EXPECT_EQ(button(7).pressed, 0);
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
