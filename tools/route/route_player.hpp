// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Plays the steps of a route (route.hpp) with the game's own play update,
// frame by frame, and can save and restore everything play touches, so a
// caller can look ahead or try a step another way and come back.
#include <functional>
#include <string>
#include <vector>

#include "play/play_state.hpp"
#include "route.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"

namespace tiefschacht {

namespace route {

// Everything play reads and writes.
struct Snapshot {
    LevelState level;
    PlayState play;
    RandomGenerator rng;
    AppState app;
    InputState input;
    Hero hero;
    std::vector<Enemy> enemies;

    explicit Snapshot(const Game& game);
    void restore(Game& game) const;
};

// The level row the hero stands in, as the route's `row` counts it.
int heroRow();

// "-" or the key names joined by '+'.
std::string joinKeys(const std::vector<std::string>& keys);

// The keys one frame of the step holds: the step's own, or with "safely"
// standing still or stepping back while moving on would get the hero caught.
std::string keysForFrame(Game& game, const Step& step);

// Holds `keys` for one play update.
void playFrame(Game& game, const std::string& keys);

enum class StepEnd { Done, Won, Caught, NeverHolds, BadCondition };

struct StepOutcome {
    StepEnd end = StepEnd::Done;
    int frames = 0;     // play updates the step ran
    std::string error;  // for BadCondition
};

// Plays one step until its frame count or conditions are met, the level is
// won, the hero is caught, or `frameCap` updates have run. `onFrame` gets the
// keys of every update played.
StepOutcome playStep(Game& game, const Step& step, int frameCap,
                     const std::function<void(const std::string&)>& onFrame = {});

}  // namespace route

}  // namespace tiefschacht
