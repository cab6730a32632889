// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small level in memory with a bare Game, sounds that record what they
// were asked to play, and helpers to run play frames with keys held.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/platform_layer.hpp"
#include "play/play_state.hpp"
#include "play/update_play.hpp"
#include "services/app_state.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/sound.hpp"
#include "support/recording_audio.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace playtest {

// Cell codes used by the test levels.
constexpr int32_t Free = 0, Solid = 70, Ladder = 50, Item = 30;

// The arrow keys and the jump key held during a run of frames.
struct Keys {
    bool up = false, down = false, left = false, right = false, space = false;
};

struct PlayFixture : ::testing::Test {
    PlayFixture() {
        play = PlayState{};
        level = LevelState{};
        itemTable = ItemTable{};
        enemyTypeTable = EnemyTypeTable{};
        input = InputState{};
        app = AppState{};
        rng = RandomGenerator{};
        app.gameState = StatePlaying;
        level.levelOrigin.y = -380.0f;
        game.hero->position.x = -1.0f;  // row 391, column 10, centred
        installSounds();
    }
    ~PlayFixture() override {
        sound = SoundSystem{};
        platformLayer.audio.reset();
    }

    void installSounds() {
        auto audio = std::make_unique<testsupport::RecordingAudio>();
        audioLog = audio.get();
        platformLayer.audio = std::move(audio);
        sound = SoundSystem{};
        initSound();  // every sound "loads": the stand-in makes a clip for any name
    }

    const std::vector<std::string>& sounds() const { return audioLog->effects; }
    int countSound(const std::string& name) const {
        int n = 0;
        for (const auto& s : sounds()) n += s == name;
        return n;
    }

    static void fillRow(int row, int32_t code) {
        for (int c = 0; c < levelColumns; ++c) level.tileGrid[row][c] = code;
    }
    static void floorAt(int row) { fillRow(row, Solid); }

    void hold(Keys k) {
        input.keyUp = k.up;
        input.keyDown = k.down;
        input.keyLeft = k.left;
        input.keyRight = k.right;
        input.keySpace = k.space;
    }
    void frames(int n, Keys k = {}) {
        hold(k);
        for (int i = 0; i < n; ++i) updatePlay(game);
    }

    Enemy& enemy(int slot) { return *game.enemies[slot]; }
    Enemy& placeEnemy(int slot, int32_t type, float x, float y) {
        Enemy& e = enemy(slot);
        e.active = 1;
        e.type = type;
        e.position = {x, y, playPlaneZ};
        return e;
    }

    float scroll() const { return level.levelOrigin.y; }
    float heroX() const { return game.hero->position.x; }

    Game game{BareTag{}};
    testsupport::RecordingAudio* audioLog = nullptr;
};

}  // namespace playtest

}  // namespace tiefschacht
