// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/dispatcher.hpp"

#include "play/draw_play.hpp"
#include "play/update_play.hpp"
#include "screens/exit_screen.hpp"
#include "screens/highscore_screen.hpp"
#include "screens/main_menu.hpp"
#include "screens/title_screen.hpp"
#include "screens/won_screen.hpp"

namespace tiefschacht {

const DispatchTable gameStateHandlers{{
    {StatePlaying, updatePlay, drawPlay},
    {StateMainMenu, runMainMenu, drawMainMenu},
    {StateWon, runWonScreen, drawWonScreen},
    {StateHighscore, runHighscoreScreen, drawHighscoreScreen},
    {StateTitle, runTitleScreen, drawTitleScreen},
    {StateExit, runExitScreen, drawExitScreen},
}};

StatesRun updateStatesWith(Game& game, const DispatchTable& table) {
    StatesRun run;
    for (const StateHandler& h : table) {
        if (app.gameState != h.state) continue;
        h.update(game);
        run.handlers[run.count++] = &h;
    }
    return run;
}

StatesRun updateStates(Game& game) { return updateStatesWith(game, gameStateHandlers); }

StatesRun stateShown() {
    StatesRun run;
    for (const StateHandler& h : gameStateHandlers)
        if (app.gameState == h.state) run.handlers[run.count++] = &h;
    return run;
}

void drawStates(const Game& game, const StatesRun& run) {
    for (size_t i = 0; i < run.count; ++i) run.handlers[i]->draw(game);
}

}  // namespace tiefschacht
