// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the screens' buttons lie on the menu plane, in world units, as seen
// by a script writer that cannot know which screen is showing. A button's
// hit rectangle starts at its position and reaches a fixed number of pixels
// right and down, so its size in world units depends on the resolution; the
// zones here hold at 800 x 600 and at 1024 x 768 alike.
#include <array>

namespace tiefschacht {

// A rectangle on the menu plane: x grows to the right, y upwards.
struct Zone {
    float left, right, bottom, top;
    bool contains(float x, float y) const { return x > left && x < right && y > bottom && y < top; }
};

// Buttons the writer aims at: clicking them only ever leads on between the
// title, the main menu, play and the highscore list.
enum class Target { Play, TitleManual, StartGame, HighscoreList, MenuManual, HighscoreOk };
constexpr int targetCount = 6;

// Inside the button's hit rectangle at every resolution, with a margin, and
// outside every button that would end the run or leave it on the exit screen.
Zone targetZone(Target target);

// A click here could end the program (the web-site buttons, which close the
// window) or lead to the exit screen, which has no way back ("Spiel beenden"
// in the main menu, which is also the won screen's only button).
bool forbiddenBeforeExit(float x, float y);

// Once on the exit screen, both of its buttons end the program.
bool forbiddenOnExitScreen(float x, float y);

// The cursor stays inside this box so that no move is ever taken back at
// the screen's edge (the visible plane is about 66 x 50 units at 4:3).
constexpr Zone cursorBox{-32.0f, 32.0f, -24.0f, 24.0f};

}  // namespace tiefschacht
