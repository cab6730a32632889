// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The state dispatcher: hands each frame to the handler of the current
// gameState. The states are tested in a fixed order, each on the value
// gameState holds at that moment, so a handler that switches to a state
// tested later has that state's handler run in the same frame.
#include <array>
#include <cstdint>

#include "services/app_state.hpp"

namespace tiefschacht {

class Game;

struct StateHandler {
    GameState state;
    void (*run)(Game& game);
};

using DispatchTable = std::array<StateHandler, 6>;

// Play, main menu, won, highscore, title, exit.
extern const DispatchTable gameStateHandlers;

void dispatchStateWith(Game& game, const DispatchTable& table);
void dispatchState(Game& game);

}  // namespace tiefschacht
