// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/app_state.hpp"
#include "services/graphics.hpp"
#include "shell/dispatcher.hpp"
#include "shell/main_loop.hpp"
#include "support/stand_in_device.hpp"
#include "world/game.hpp"

using namespace tiefschacht;

namespace {
// What the stand-in handlers did ("u<state>" for an update, "d<state>" for a
// draw), and where each update switches to.
struct Trace {
    std::vector<std::string> ran;
    std::array<int32_t, 6> switchTo{-2, -2, -2, -2, -2, -2};
};
Trace trace;

constexpr std::array<GameState, 6> order{StatePlaying,   StateMainMenu, StateWon,
                                         StateHighscore, StateTitle,    StateExit};

std::string step(char kind, int32_t state) {
    std::string s(1, kind);
    s += std::to_string(state);
    return s;
}

template <size_t I>
void update(Game&) {
    trace.ran.push_back(step('u', order[I]));
    if (trace.switchTo[I] != -2) setGameState(static_cast<GameState>(trace.switchTo[I]));
}

template <size_t I>
void draw(const Game&) {
    trace.ran.push_back(step('d', order[I]));
}

const DispatchTable table{{{order[0], update<0>, draw<0>},
                           {order[1], update<1>, draw<1>},
                           {order[2], update<2>, draw<2>},
                           {order[3], update<3>, draw<3>},
                           {order[4], update<4>, draw<4>},
                           {order[5], update<5>, draw<5>}}};

size_t slotOf(int32_t state) {
    return static_cast<size_t>(std::find(order.begin(), order.end(), state) - order.begin());
}

// One frame's updates, then its draws.
std::vector<std::string> frame(Game& g) {
    trace.ran.clear();
    const StatesRun run = updateStatesWith(g, table);
    drawStates(g, run);
    return trace.ran;
}

std::vector<std::string> updatedThenDrawn(std::initializer_list<int32_t> states) {
    std::vector<std::string> out;
    for (int32_t s : states) out.push_back(step('u', s));
    for (int32_t s : states) out.push_back(step('d', s));
    return out;
}
}  // namespace

TEST(ShellDispatcher, TheGameUsesTheFixedOrder) {
    for (size_t i = 0; i < order.size(); ++i) EXPECT_EQ(gameStateHandlers[i].state, order[i]);
    for (const StateHandler& h : gameStateHandlers) EXPECT_TRUE(h.update && h.draw);
}

// Every state whose update ran is drawn after all the updates, in the same
// order, the later ones over the earlier.
TEST(ShellDispatcher, SwitchesToLaterStatesRunInTheSameFrame) {
    Game g{BareTag{}};
    // Play won: the won screen runs right after play.
    trace = Trace{};
    trace.switchTo[slotOf(StatePlaying)] = StateWon;
    setGameState(StatePlaying);
    EXPECT_EQ(frame(g), updatedThenDrawn({StatePlaying, StateWon}));

    // The last life lost: the highscore screen in the same frame.
    trace = Trace{};
    trace.switchTo[slotOf(StatePlaying)] = StateHighscore;
    setGameState(StatePlaying);
    EXPECT_EQ(frame(g), updatedThenDrawn({StatePlaying, StateHighscore}));

    // A chain of later states all runs in one frame.
    trace = Trace{};
    trace.switchTo[slotOf(StateMainMenu)] = StateWon;
    trace.switchTo[slotOf(StateWon)] = StateHighscore;
    trace.switchTo[slotOf(StateHighscore)] = StateExit;
    setGameState(StateMainMenu);
    EXPECT_EQ(frame(g), updatedThenDrawn({StateMainMenu, StateWon, StateHighscore, StateExit}));
}

TEST(ShellDispatcher, SwitchesToEarlierStatesWaitForTheNextFrame) {
    Game g{BareTag{}};
    trace = Trace{};
    trace.switchTo[slotOf(StateTitle)] = StateMainMenu;
    setGameState(StateTitle);
    EXPECT_EQ(frame(g), updatedThenDrawn({StateTitle}));
    trace.switchTo[slotOf(StateMainMenu)] = StatePlaying;
    EXPECT_EQ(frame(g), updatedThenDrawn({StateMainMenu}));
    EXPECT_EQ(frame(g), updatedThenDrawn({StatePlaying}));
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

// What one frame asks of the device: a drawn frame is cleared to black and
// presented (even before start-up has ended, with no state to draw), paused
// or not (a paused frame draws the current state without updating it, and a
// window that lost its picture gets it back); a frame without drawing asks
// nothing.
TEST(ShellDispatcher, WhatAFrameAsksOfTheDevice) {
    struct Case {
        const char* what;
        bool paused;
        FrameDrawing drawing;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"drawn",
         false,
         FrameDrawing::Drawn,
         {"clear 4278190080", "beginScene", "endScene", "present"}},
        {"paused",
         true,
         FrameDrawing::Drawn,
         {"clear 4278190080", "beginScene", "endScene", "present"}},
        {"without drawing", false, FrameDrawing::Skipped, {}},
        {"paused without drawing", true, FrameDrawing::Skipped, {}},
    };
    for (const Case& c : cases) {
        app = AppState{};
        auto device = std::make_unique<testsupport::StandInDevice>();
        const std::vector<std::string>& calls = device->calls;
        graphics.device = std::move(device);
        theGame = std::make_unique<Game>(BareTag{});
        app.paused = c.paused;
        runFrame(c.drawing);
        EXPECT_EQ(calls, c.calls) << c.what;
        EXPECT_EQ(app.frames, 1u) << c.what;
        theGame.reset();
        graphics.device.reset();
    }
}
