// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state dispatcher: hands each frame to the handlers of the current
// gameState. The states are tested in a fixed order, each on the value
// gameState holds at that moment, so an update that switches to a state
// tested later has that state's update run in the same frame. Then every
// state whose update ran is drawn, in the same order, over the one before.
#include <array>
#include <cstddef>

#include "services/app_state.hpp"

namespace tiefschacht {

class Game;

struct StateHandler {
    GameState state;
    void (*update)(Game& game);      // the state's rules for one frame; draws nothing
    void (*draw)(const Game& game);  // the state's picture; changes nothing
};

using DispatchTable = std::array<StateHandler, 6>;

// Play, main menu, won, highscore, title, exit.
extern const DispatchTable gameStateHandlers;

// The handlers whose update ran in a frame, in the order they ran.
struct StatesRun {
    std::array<const StateHandler*, 6> handlers{};
    size_t count = 0;
};

[[nodiscard]] StatesRun updateStatesWith(Game& game, const DispatchTable& table);
[[nodiscard]] StatesRun updateStates(Game& game);
// The handler of the current gameState, without running its update (what a
// paused frame shows).
[[nodiscard]] StatesRun stateShown();
void drawStates(const Game& game, const StatesRun& run);

}  // namespace tiefschacht
