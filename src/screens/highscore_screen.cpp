// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "screens/highscore_screen.hpp"

#include <array>
#include <cstdio>

#include "drawing/fonts.hpp"
#include "play/play_state.hpp"
#include "screens/buttons.hpp"
#include "screens/highscore_insert.hpp"
#include "services/app_state.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {

constexpr int okButton = 8;
constexpr uint32_t listColour = 0xFFFAFA00;
constexpr uint32_t promptColour = 0xFFFAFAFA;
constexpr float textDepth = 0.9f;
constexpr float textXScale = 0.03f;
constexpr float textYScale = 0.02f;

// Room for the longest line (the congratulation with an 11-character number
// has 84 characters); snprintf cuts anything longer.
using LineBuffer = std::array<char, 128>;

void drawLine(TextFont& font, float x, float y, uint32_t colour, const char* text) {
    font.drawText(x, y, textDepth, textXScale, textYScale, colour, text, TextFiltered);
}

void drawList(TextFont& font) {
    LineBuffer line{};
    for (int i = 0; i < highscoreCount; ++i) {
        const auto slot = static_cast<size_t>(i);
        const float y = static_cast<float>(i) / 10.0f - 0.6f;
        std::snprintf(line.data(), line.size(), "%i.", i + 1);
        drawLine(font, -0.38f, y, listColour, line.data());
        // A slot holds at most 14 characters of name, terminated or not.
        std::snprintf(line.data(), line.size(), "%.14s", highscoreTable.names[slot].data());
        drawLine(font, -0.3f, y, listColour, line.data());
        std::snprintf(line.data(), line.size(), "%i Punkte", highscoreTable.scores[slot]);
        drawLine(font, 0.2f, y, listColour, line.data());
    }
}

void drawPrompt(TextFont& font) {
    LineBuffer line{};
    std::snprintf(line.data(), line.size(),
                  "Alle Achtung! Du kannst dich mit %i Punkten in die Highscoreliste eintragen",
                  play.score);
    drawLine(font, -0.7f, -0.8f, promptColour, line.data());
    drawLine(font, -0.38f, 0.5f, promptColour, "Bitte gebe deinen Namen ein :");
    std::snprintf(line.data(), line.size(), "%.14s", input.nameBuffer.data());
    drawLine(font, 0.2f, 0.5f, promptColour, line.data());
}

}  // namespace

void runHighscoreScreen(Game& game) {
    if (play.score > highscoreTable.scores[highscoreCount - 1]) play.highscoreEligible = true;

    if (input.enterDown && play.highscoreEligible) {
        play.highscoreEligible = false;
        insertHighscore(game);
    }

    if (input.mouseDown && buttonHit(game, okButton)) {
        setGameState(StateMainMenu);
        if (play.highscoreEligible) {
            play.highscoreEligible = false;
            insertHighscore(game);
        }
    }

    layOutButtons(game, {okButton});
}

void drawHighscoreScreen(const Game& game) {
    TextFont* font = fonts.smallFont.get();
    if (font && theDevice()) {
        drawList(*font);
        if (play.highscoreEligible) drawPrompt(*font);
    }
    drawButtons(game, {okButton});
    if (game.world) drawCursor(*game.world, input.cursorWorldPos);
}

}  // namespace tiefschacht
