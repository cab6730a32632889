// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A route through the level, written as lines a person can read:
//   <keys> for <frames>
//   <keys> until <condition> [and <condition>...] [safely]
// keys: "-" or key names joined by '+' (Left Right Up Down Space).
// A condition compares a quantity with a number (< <= > >= == !=):
//   x row col scroll jump water ladder keys lives score state frame
//   ex<N> ey<N>  enemy slot N relative to the hero (its x - hero x, y - hero y)
//   vx<N> vy<N>  enemy slot N's velocity; d<N> its distance (the larger of |ex|, |ey|)
// "safely": before each frame the route looks ahead and stands still
// instead of moving on when moving on would let an enemy catch the hero.
// '#' starts a comment.
#include <string>
#include <vector>

namespace tiefschacht {

namespace route {

struct Condition {
    std::string quantity;
    std::string op;
    double value = 0;
};

struct Step {
    int line = 0;                   // line number in the route file
    std::vector<std::string> keys;  // held in every frame of the step
    int frames = -1;                // "for": a fixed count; -1 for "until"
    std::vector<Condition> until;   // all must hold to end the step
    bool safely = false;            // wait for enemies to pass instead of running into them
    std::string text;               // the line as written, for comments
};

// False with a message naming the line on a malformed route.
bool parseRoute(const std::string& text, std::vector<Step>& steps, std::string& error);

}  // namespace route

}  // namespace tiefschacht
