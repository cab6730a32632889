// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "route_player.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "play/update_play.hpp"

namespace tiefschacht {

namespace route {

Snapshot::Snapshot(const Game& game)
    : level(::tiefschacht::level),
      play(::tiefschacht::play),
      rng(::tiefschacht::rng),
      app(::tiefschacht::app),
      input(::tiefschacht::input),
      hero(*game.hero) {
    for (const auto& e : game.enemies) enemies.push_back(*e);
}

void Snapshot::restore(Game& game) const {
    ::tiefschacht::level = level;
    ::tiefschacht::play = play;
    ::tiefschacht::rng = rng;
    ::tiefschacht::app = app;
    ::tiefschacht::input = input;
    *game.hero = hero;
    for (size_t i = 0; i < enemies.size(); ++i) *game.enemies[i] = enemies[i];
}

int heroRow() { return static_cast<int>(std::trunc((400 - level.levelOrigin.y) / 2 + 1.5)); }

std::string joinKeys(const std::vector<std::string>& keys) {
    std::string k;
    for (const std::string& key : keys) {
        if (!k.empty()) k += '+';
        k += key;
    }
    return k.empty() ? std::string("-") : k;
}

namespace {

void holdKeys(const std::string& keys) {
    input.keyLeft = keys.find("Left") != std::string::npos;
    input.keyRight = keys.find("Right") != std::string::npos;
    input.keyUp = keys.find("Up") != std::string::npos;
    input.keyDown = keys.find("Down") != std::string::npos;
    input.keySpace = keys.find("Space") != std::string::npos;
}

// How many of the next `horizon` frames the hero survives holding `first`
// for one frame and `then` after it.
// With `keepRow`, leaving the row (a step back over an edge) counts as no
// survival at all.
int survival(Game& game, const std::string& first, const std::string& then, int horizon,
             bool keepRow = false) {
    const Snapshot saved(game);
    const float scroll = level.levelOrigin.y;
    int frames = 0;
    for (; frames < horizon; ++frames) {
        holdKeys(frames == 0 ? first : then);
        updatePlay(game);
        if (play.deathTimer > 0) break;
        if (keepRow && std::abs(level.levelOrigin.y - scroll) > 0.5f) {
            frames = -1;
            break;
        }
    }
    saved.restore(game);
    return frames;
}

bool quantity(const Game& game, const Condition& c, int frame, double& v, std::string& error) {
    const double x = game.hero->position.x, scroll = level.levelOrigin.y;
    const std::string& q = c.quantity;
    if (q == "x")
        v = x;
    else if (q == "row")
        v = heroRow();
    else if (q == "col")
        v = std::trunc(x / 2 + 11);
    else if (q == "scroll")
        v = scroll;
    else if (q == "jump")
        v = play.jumpCounter;
    else if (q == "water")
        v = play.inWater;
    else if (q == "ladder")
        v = play.onLadder;
    else if (q == "keys")
        v = play.keyCount;
    else if (q == "lives")
        v = play.lives;
    else if (q == "score")
        v = play.score;
    else if (q == "state")
        v = app.gameState;
    else if (q == "frame")
        v = frame;
    else if ((q.rfind("ex", 0) == 0 || q.rfind("ey", 0) == 0 || q.rfind("vx", 0) == 0 ||
              q.rfind("vy", 0) == 0 || q.rfind("d", 0) == 0) &&
             q.size() > 1 && std::isdigit(static_cast<unsigned char>(q.back()))) {
        const size_t digits = q.find_first_of("0123456789");
        const int slot = std::stoi(q.substr(digits));
        if (slot < 0 || slot >= enemySlotCount) {
            error = "no enemy slot " + q.substr(digits);
            return false;
        }
        const Enemy& e = *game.enemies[slot];
        const double dx = e.position.x - x, dy = e.position.y - game.hero->position.y;
        const std::string kind = q.substr(0, digits);
        if (kind == "ex")
            v = dx;
        else if (kind == "ey")
            v = dy;
        else if (kind == "vx")
            v = e.velocityX;
        else if (kind == "vy")
            v = e.velocityY;
        else if (kind == "d")
            v = std::max(std::abs(dx), std::abs(dy));
        else {
            error = "unknown quantity " + q;
            return false;
        }
    } else {
        error = "unknown quantity " + q;
        return false;
    }
    return true;
}

bool holds(const Game& game, const Step& step, int frame, bool& result, std::string& error) {
    result = true;
    for (const Condition& c : step.until) {
        double v = 0;
        if (!quantity(game, c, frame, v, error)) return false;
        const bool ok = c.op == "<"    ? v < c.value
                        : c.op == "<=" ? v <= c.value
                        : c.op == ">"  ? v > c.value
                        : c.op == ">=" ? v >= c.value
                        : c.op == "==" ? v == c.value
                        : c.op == "!=" ? v != c.value
                                       : false;
        if (c.op != "<" && c.op != "<=" && c.op != ">" && c.op != ">=" && c.op != "==" &&
            c.op != "!=") {
            error = "unknown comparison " + c.op;
            return false;
        }
        result = result && ok;
    }
    return true;
}

}  // namespace

std::string keysForFrame(Game& game, const Step& step) {
    const std::string stepKeys = joinKeys(step.keys);
    if (!step.safely) return stepKeys;
    // Move on when that is safe for a while; else stand still or keep
    // stepping back, whichever keeps the hero safe for longest.
    constexpr int horizon = 40;
    std::string keys = stepKeys;
    int best = survival(game, stepKeys, stepKeys, horizon);
    const std::string back = stepKeys.find("Left") != std::string::npos    ? "Right"
                             : stepKeys.find("Right") != std::string::npos ? "Left"
                                                                           : "-";
    for (const std::string& other : {std::string("-"), back}) {
        if (best >= horizon) break;
        const int s = survival(game, other, other, horizon, true);
        if (s > best) {
            best = s;
            keys = other;
        }
    }
    return keys;
}

void playFrame(Game& game, const std::string& keys) {
    holdKeys(keys);
    updatePlay(game);
}

StepOutcome playStep(Game& game, const Step& step, int frameCap,
                     const std::function<void(const std::string&)>& onFrame) {
    StepOutcome out;
    for (int frame = 0;; ++frame) {
        if (step.frames >= 0) {
            if (frame >= step.frames) return out;
        } else {
            bool done = false;
            if (!holds(game, step, frame, done, out.error)) {
                out.end = StepEnd::BadCondition;
                return out;
            }
            if (done) return out;
        }
        if (frame >= frameCap) {
            out.end = StepEnd::NeverHolds;
            return out;
        }
        const std::string keys = keysForFrame(game, step);
        playFrame(game, keys);
        if (onFrame) onFrame(keys);
        out.frames = frame + 1;
        if (play.deathTimer > 0) {
            out.end = StepEnd::Caught;
            return out;
        }
        if (app.gameState == StateWon) {
            out.end = StepEnd::Won;
            return out;
        }
    }
}

}  // namespace route

}  // namespace tiefschacht
