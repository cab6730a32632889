// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/screen_zones.hpp"

#include <cmath>
#include <numbers>

namespace tiefschacht {

namespace {

constexpr float menuPlaneDepth = 60.0f;
constexpr float piecePixels = 32.0f;
constexpr float margin = 0.4f;

// Pixels per world unit on the menu plane for a screen height (vertical
// field of view a quarter of pi).
float pixelsPerUnit(float height) {
    return height * 0.5f / (menuPlaneDepth * std::tan(std::numbers::pi_v<float> / 8.0f));
}

// The extent of a button's hit rectangle in world units: the smallest
// resolution gives the largest rectangle.
float extent(float pixels, float height) { return pixels / pixelsPerUnit(height); }

struct ButtonPlace {
    float x, y;
    int segments;
};

constexpr ButtonPlace titlePlay{-13.0f, 4.0f, 16};
constexpr ButtonPlace titleWebSite{-13.0f, -6.0f, 16};
constexpr ButtonPlace titleManual{-13.0f, -1.0f, 16};
constexpr ButtonPlace exitWebSite{-13.0f, 2.0f, 16};
constexpr ButtonPlace exitQuit{-13.0f, -3.0f, 16};
constexpr ButtonPlace menuStart{-4.15f, -22.0f, 6};
constexpr ButtonPlace menuHighscores{-17.5f, -22.0f, 6};
constexpr ButtonPlace menuQuit{22.0f, -22.0f, 6};
constexpr ButtonPlace menuWebSite{9.0f, -22.0f, 6};
constexpr ButtonPlace menuManual{-31.2f, -22.0f, 6};
constexpr ButtonPlace highscoreOk{-6.5f, -17.0f, 8};

// The largest hit rectangle, grown by the margin: a click must stay out.
Zone outer(const ButtonPlace& b) {
    const float w = extent(piecePixels * static_cast<float>(b.segments), 600.0f);
    const float h = extent(piecePixels, 600.0f);
    return {b.x - margin, b.x + w + margin, b.y - h - margin, b.y + margin};
}

// The smallest hit rectangle, shrunk by the margin: a click there hits.
Zone inner(const ButtonPlace& b) {
    const float w = extent(piecePixels * static_cast<float>(b.segments), 768.0f);
    const float h = extent(piecePixels, 768.0f);
    return {b.x + margin, b.x + w - margin, b.y - h + margin, b.y - margin};
}

Zone below(Zone z, float top) {
    if (z.top > top) z.top = top;
    return z;
}

Zone leftOf(Zone z, float right) {
    if (z.right > right) z.right = right;
    return z;
}

}  // namespace

Zone targetZone(Target target) {
    switch (target) {
    case Target::Play: return inner(titlePlay);
    // The manual's button lies between the title's "Spielen" and its
    // web-site button; keep clear of both.
    case Target::TitleManual: return below(inner(titleManual), outer(titlePlay).bottom);
    // At 800 x 600 "Spiel starten" reaches into the web-site button.
    case Target::StartGame: return leftOf(inner(menuStart), outer(menuWebSite).left);
    case Target::HighscoreList: return inner(menuHighscores);
    case Target::MenuManual: return inner(menuManual);
    case Target::HighscoreOk: return inner(highscoreOk);
    }
    return {0.0f, 0.0f, 0.0f, 0.0f};
}

bool forbiddenBeforeExit(float x, float y) {
    return outer(titleWebSite).contains(x, y) || outer(menuWebSite).contains(x, y) ||
           outer(menuQuit).contains(x, y);
}

bool forbiddenOnExitScreen(float x, float y) {
    return forbiddenBeforeExit(x, y) || outer(exitWebSite).contains(x, y) ||
           outer(exitQuit).contains(x, y);
}

}  // namespace tiefschacht
