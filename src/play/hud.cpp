// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/hud.hpp"

#include <cstdint>
#include <cstdio>

#include "drawing/fonts.hpp"
#include "drawing/quad.hpp"
#include "play/draw_play.hpp"
#include "play/play_state.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace {
constexpr uint32_t shadowColour = 0xFF000000;
constexpr uint32_t textColour = 0xFFFAFAFA;
}  // namespace

// The life and key icons lie on the menu plane, in the top-left and
// bottom-left corners.
void drawSpareLives(const World& world) {
    Vec3 position{-33.0f, 23.0f, 60.0f};
    for (int32_t i = 0; i < play.lives; ++i) {
        position.x += 2.0f;
        drawHeroFrame(world, position, 0);
    }
}

void drawKeyIcon(const World& world, const Vec3& position) {
    drawQuad(position, world.keyTexture.get());
}

void drawKeys(const World& world) {
    Vec3 position{-33.0f, -22.0f, 60.0f};
    for (int32_t i = 0; i < play.keyCount; ++i) {
        position.x += 2.0f;
        drawKeyIcon(world, position);
    }
}

void drawScore() {
    TextFont* font = fonts.largeFont.get();
    if (!font) return;
    char text[32];
    std::snprintf(text, sizeof text, "Punkte:  %i", play.score);
    font->drawText(0.602f, -0.952f, 0.9f, 0.03f, 0.02f, shadowColour, text, TextFiltered);
    font->drawText(0.6f, -0.95f, 0.9f, 0.03f, 0.02f, textColour, text, TextFiltered);
}

// The instructions show in the first play frames after the program starts,
// not again in later games.
void drawInstructions() {
    if (play.helpFrameCount >= instructionFrames) return;
    TextFont* font = fonts.smallFont.get();
    if (!font) return;
    struct Line {
        const char* text;
        float x, y;
    };
    static constexpr Line lines[] = {{"Bewegen mit den Pfeiltasten", -0.3f, -0.7f},
                                     {"Springen mit der Leertaste", -0.29f, -0.6f},
                                     {"Spiel verlassen mit Esc", -0.255f, -0.5f}};
    static constexpr Line shadows[] = {{lines[0].text, -0.302f, -0.702f},
                                       {lines[1].text, -0.292f, -0.602f},
                                       {lines[2].text, -0.257f, -0.502f}};
    for (const Line& s : shadows)
        font->drawText(s.x, s.y, 0.9f, 0.03f, 0.02f, shadowColour, s.text, TextFiltered);
    for (const Line& l : lines)
        font->drawText(l.x, l.y, 0.9f, 0.03f, 0.02f, textColour, l.text, TextFiltered);
}

void drawPauseNotice() {
    TextFont* font = fonts.largeFont.get();
    if (!font) return;
    // Twice the score's size, centred across the screen (the shadow just
    // below) between the instructions and the hero: nothing moves while it
    // shows, and the hero and what is around him stay in sight.
    constexpr float y = -0.35f;
    font->drawText(0.0f, y + 0.004f, 0.9f, 0.06f, 0.04f, shadowColour, "Pause",
                   TextFiltered | TextCentreX);
    font->drawText(0.0f, y, 0.9f, 0.06f, 0.04f, textColour, "Pause", TextFiltered | TextCentreX);
}

}  // namespace tiefschacht
