// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/state_dump.hpp"

#include <nlohmann/json.hpp>

#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "services/sound.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

namespace tiefschacht {

namespace {
using nlohmann::json;

json vec3(const Vec3& v) { return {{"x", v.x}, {"y", v.y}, {"z", v.z}}; }

// A zero-terminated text in a fixed buffer (never read past its end).
template <size_t N>
std::string boundedText(const std::array<char, N>& buffer) {
    size_t n = 0;
    while (n < N && buffer[n] != '\0') ++n;
    return std::string(buffer.data(), n);
}

// Flags are written as the numbers 0 and 1, as the game's records held them.
int bit(bool flag) { return flag ? 1 : 0; }

json enemies() {
    json out = json::array();
    if (!theGame) return out;
    for (size_t slot = 0; slot < theGame->enemies.size(); ++slot) {
        const Enemy* e = theGame->enemies[slot].get();
        if (!e || !e->active) continue;
        out.push_back({{"slot", slot},
                       {"type", e->type},
                       {"active", bit(e->active)},
                       {"x", e->position.x},
                       {"y", e->position.y},
                       {"frame", e->frame},
                       {"velocityX", e->velocityX},
                       {"velocityY", e->velocityY}});
    }
    return out;
}

json highscores() {
    json out = json::array();
    for (size_t i = 0; i < highscoreTable.scores.size(); ++i)
        out.push_back(
            {{"name", boundedText(highscoreTable.names[i])}, {"score", highscoreTable.scores[i]}});
    return out;
}

json tileGrid() {
    json rows = json::array();
    for (const auto& row : level.tileGrid) rows.push_back(row);
    return rows;
}
}  // namespace

std::string stateDumpText() {
    json d;
    d["frames"] = app.frames;
    d["gameState"] = app.gameState;
    d["paused"] = bit(app.paused);
    d["score"] = play.score;
    d["lives"] = play.lives;
    d["keyCount"] = play.keyCount;
    d["animCounter"] = play.animCounter;
    d["jumpCounter"] = play.jumpCounter;
    d["deathTimer"] = play.deathTimer;
    d["onLadder"] = bit(play.onLadder);
    d["inWater"] = bit(play.inWater);
    d["walkingLeft"] = bit(play.walkingLeft);
    d["walkingRight"] = bit(play.walkingRight);
    d["climbingUp"] = bit(play.climbingUp);
    d["climbingDown"] = bit(play.climbingDown);
    d["heroRow"] = play.heroRow;
    d["heroCol"] = play.heroCol;
    d["hero"] = theGame && theGame->hero ? vec3(theGame->hero->position) : json(nullptr);
    d["levelOrigin"] = vec3(level.levelOrigin);
    d["masterVolume"] = input.masterVolume;
    d["nameBuffer"] = boundedText(input.nameBuffer);
    d["nameLength"] = input.nameLength;
    d["highscoreEligible"] = bit(play.highscoreEligible);
    d["helpFrameCount"] = play.helpFrameCount;
    d["nextChannel"] = sound.nextChannel;
    d["cursorWorldPos"] = vec3(input.cursorWorldPos);
    d["cursorScreenPos"] = {{"x", input.cursorScreenX}, {"y", input.cursorScreenY}};
    d["highscores"] = highscores();
    d["enemies"] = enemies();
    d["tileGrid"] = tileGrid();
    d["soundsPlayed"] = json(soundsPlayed());
    d["shellRequests"] =
        platformLayer.shell ? json(platformLayer.shell->requests()) : json::array();
    d["closeRequested"] = app.closeRequested;
    d["statesVisited"] = app.statesVisited;
    // One key per line, each value compact (the grid is one line). Names
    // typed or read from a file may hold bytes that are not UTF-8.
    std::string out = "{\n";
    bool first = true;
    for (auto it = d.begin(); it != d.end(); ++it) {
        if (!first) out += ",\n";
        first = false;
        out += "  " + json(it.key()).dump() + ": " +
               it.value().dump(-1, ' ', false, json::error_handler_t::replace);
    }
    return out + "\n}\n";
}

}  // namespace tiefschacht
