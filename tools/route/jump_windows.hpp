// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How forgiving each jump of a route is: the number of frames in which the
// jump can be started and still get the hero where the route goes on.
#include <cstdio>
#include <string>
#include <vector>

#include "route.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace route {

struct JumpWindow {
    int line = 0;           // route line of the jump
    int row = 0;            // the row the hero takes off from
    int earliest = 0;       // the earliest take-off that works, in frames from the route's (<= 0)
    int latest = 0;         // the latest (>= 0)
    bool cutShort = false;  // the search reached its end or the run-up's start
    int frames() const { return latest - earliest + 1; }
};

// The frames a jump from `row` must allow: a gentle start at the surface and
// in the first cave, less deeper down.
int requiredWindow(int row);

// Plays the route from the start of the level. At every jump (a step that
// holds Space), tries the take-off earlier and later, holding the run-up's
// keys, and plays on as the route does up to where the jump leads (the next
// step that waits for a row, or the run-up of the next jump): a take-off
// works when those steps complete, the hero is not caught and stands in the
// same row as with the route's own take-off. False with a message when the
// route itself fails.
bool measureJumpWindows(Game& game, const std::vector<Step>& steps, std::vector<JumpWindow>& out,
                        std::string& error);

// Prints the table; returns how many jumps are narrower than required.
int printJumpWindows(const std::vector<JumpWindow>& windows, std::FILE* to);

}  // namespace route

}  // namespace tiefschacht
