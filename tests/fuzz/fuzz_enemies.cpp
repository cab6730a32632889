// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The enemy file: a count, then a type and eight labelled numbers per enemy.
// The enemies read are moved for a while, so that odd positions, bounds and
// speeds meet the motion code too.
#include <array>
#include <memory>

#include "fuzz_support.hpp"
#include "play/enemies.hpp"
#include "play/play_state.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

namespace {
constexpr int framesMoved = 40;
constexpr int behaviourCount = 5;  // one more than there are, so an unknown one is met too
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input("Data/Enemies1.txt", data, size);
    std::array<std::unique_ptr<Enemy>, enemySlotCount> slots;
    for (auto& e : slots)
        e = std::make_unique<Enemy>(0.0f, 0.0f, playPlaneZ, 0, 0.0f, 0.0f, 0.0f, 0.0f);
    readEnemies("Data/Enemies1.txt", slots);
    // An active enemy is one the play can draw and move: no invisible killers.
    for (const auto& e : slots) FUZZ_CHECK(!e->active || enemyTypeValid(e->type));
    for (int t = 0; t < enemyTypeCapacity; ++t)
        enemyTypeTable.entries[t].behaviour = t % behaviourCount;

    for (int frame = 0; frame < framesMoved; ++frame) {
        play.animCounter = frame;
        for (auto& e : slots) {
            if (!e->active) continue;
            updateEnemy(*e);
            // The drawing picks the enemy's picture by its frame number.
            FUZZ_CHECK(e->frame >= 0 && e->frame < enemyTypeCapacity * enemyFrameCapacity);
        }
    }
    return 0;
}
