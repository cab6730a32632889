// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/dispatcher.hpp"

#include "play/update_play.hpp"
#include "screens/highscore_screen.hpp"
#include "screens/screens.hpp"
#include "services/app_state.hpp"

namespace tiefschacht {

const DispatchTable gameStateHandlers{{
    {StatePlaying, updatePlay},
    {StateMainMenu, runMainMenu},
    {StateWon, runWonScreen},
    {StateHighscore, runHighscoreScreen},
    {StateTitle, runTitleScreen},
    {StateExit, runExitScreen},
}};

void dispatchStateWith(Game& game, const DispatchTable& table) {
    for (const StateHandler& h : table)
        if (app.gameState == h.state) h.run(game);
}

void dispatchState(Game& game) { dispatchStateWith(game, gameStateHandlers); }

}  // namespace tiefschacht
