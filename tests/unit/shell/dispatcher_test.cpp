// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "services/app_state.hpp"
#include "services/graphics.hpp"
#include "shell/dispatcher.hpp"
#include "shell/main_loop.hpp"
#include "support/stand_in_device.hpp"
#include "world/game.hpp"

using namespace tiefschacht;

namespace {
// What the stand-in handlers did, and where each one switches to.
struct Trace {
    std::vector<int> ran;
    std::array<int32_t, 6> switchTo{-2, -2, -2, -2, -2, -2};
};
Trace trace;

constexpr std::array<GameState, 6> order{StatePlaying,   StateMainMenu, StateWon,
                                         StateHighscore, StateTitle,    StateExit};

template <size_t I>
void handler(Game&) {
    trace.ran.push_back(order[I]);
    if (trace.switchTo[I] != -2) setGameState(static_cast<GameState>(trace.switchTo[I]));
}

const DispatchTable table{{{order[0], handler<0>},
                           {order[1], handler<1>},
                           {order[2], handler<2>},
                           {order[3], handler<3>},
                           {order[4], handler<4>},
                           {order[5], handler<5>}}};

size_t slotOf(int32_t state) {
    return static_cast<size_t>(std::find(order.begin(), order.end(), state) - order.begin());
}

std::vector<int> frame(Game& g) {
    trace.ran.clear();
    dispatchStateWith(g, table);
    return trace.ran;
}
}  // namespace

TEST(ShellDispatcher, TheGameUsesTheFixedOrder) {
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(gameStateHandlers[i].state, order[i]);
}

TEST(ShellDispatcher, SwitchesToLaterStatesRunInTheSameFrame) {
    Game g{BareTag{}};
    // Play won: the won screen runs right after play.
    trace = Trace{};
    trace.switchTo[slotOf(StatePlaying)] = StateWon;
    setGameState(StatePlaying);
    EXPECT_EQ(frame(g), (std::vector<int>{StatePlaying, StateWon}));

    // The last life lost: the highscore screen in the same frame.
    trace = Trace{};
    trace.switchTo[slotOf(StatePlaying)] = StateHighscore;
    setGameState(StatePlaying);
    EXPECT_EQ(frame(g), (std::vector<int>{StatePlaying, StateHighscore}));

    // A chain of later states all runs in one frame.
    trace = Trace{};
    trace.switchTo[slotOf(StateMainMenu)] = StateWon;
    trace.switchTo[slotOf(StateWon)] = StateHighscore;
    trace.switchTo[slotOf(StateHighscore)] = StateExit;
    setGameState(StateMainMenu);
    EXPECT_EQ(frame(g), (std::vector<int>{StateMainMenu, StateWon, StateHighscore, StateExit}));
}

TEST(ShellDispatcher, SwitchesToEarlierStatesWaitForTheNextFrame) {
    Game g{BareTag{}};
    trace = Trace{};
    trace.switchTo[slotOf(StateTitle)] = StateMainMenu;
    setGameState(StateTitle);
    EXPECT_EQ(frame(g), (std::vector<int>{StateTitle}));
    trace.switchTo[slotOf(StateMainMenu)] = StatePlaying;
    EXPECT_EQ(frame(g), (std::vector<int>{StateMainMenu}));
    EXPECT_EQ(frame(g), (std::vector<int>{StatePlaying}));
    EXPECT_EQ(app.gameState, StatePlaying);
}

TEST(ShellDispatcher, NoHandlerBeforeStartUpEndsOrAfterItFailed) {
    Game g{BareTag{}};
    trace = Trace{};
    EXPECT_EQ(app.gameState, StateStarting);
    EXPECT_TRUE(frame(g).empty());
    setGameState(StateInitFailed);
    EXPECT_TRUE(frame(g).empty());
    setGameState(static_cast<GameState>(7));
    EXPECT_TRUE(frame(g).empty());
}

TEST(ShellDispatcher, StatesVisitedListsEachStateOnceInTheOrderFirstEntered) {
    setGameState(StateTitle);
    setGameState(StateMainMenu);
    setGameState(StateTitle);
    setGameState(StateExit);
    setGameState(StateExit);
    EXPECT_EQ(app.statesVisited,
              (std::vector<GameState>{StateStarting, StateTitle, StateMainMenu, StateExit}));
}

TEST(ShellDispatcher, AFrameClearsBeginsDispatchesEndsAndPresents) {
    auto device = std::make_unique<testsupport::StandInDevice>();
    const std::vector<std::string>& calls = device->calls;
    graphics.device = std::move(device);
    theGame = std::make_unique<Game>(BareTag{});
    // Before start-up has ended the frame is still cleared and presented.
    renderFrame();
    EXPECT_EQ(calls,
              (std::vector<std::string>{"clear 4278190080", "beginScene", "endScene", "present"}));
    theGame.reset();
    graphics.device.reset();
}

// A paused frame dispatches nothing and draws nothing, but presents the
// frame on screen again, so a window that lost its picture gets it back.
TEST(ShellDispatcher, APausedFramePresentsTheFrameOnScreenAgain) {
    auto device = std::make_unique<testsupport::StandInDevice>();
    const std::vector<std::string>& calls = device->calls;
    graphics.device = std::move(device);
    theGame = std::make_unique<Game>(BareTag{});
    app.paused = true;
    runFrame();
    EXPECT_EQ(calls, (std::vector<std::string>{"present"}));
    EXPECT_EQ(app.frames, 1u);
    theGame.reset();
    graphics.device.reset();
}
