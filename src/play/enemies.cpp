// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/enemies.hpp"

#include "play/play_state.hpp"
#include "world/game.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

namespace tiefschacht {

// Vertical bobbing of the bobbing patrol, indexed by animCounter / 4; the
// values sum to zero, so the height returns every cycle.
const std::array<float, 32> swayTable = {
    -0.01f, -0.02f, -0.03f, -0.05f, -0.08f, -0.12f, -0.18f, -0.25f, -0.25f, -0.18f, -0.12f,
    -0.08f, -0.05f, -0.03f, -0.02f, -0.01f, 0.01f,  0.02f,  0.03f,  0.05f,  0.08f,  0.12f,
    0.18f,  0.25f,  0.25f,  0.18f,  0.12f,  0.08f,  0.05f,  0.03f,  0.02f,  0.01f};

namespace {

enum Behaviour : int32_t { Patrol = 0, Flyer = 1, AnimatedFlyer = 2, BobbingPatrol = 3 };
static_assert(BobbingPatrol + 1 == enemyBehaviourCount);

// A step that leaves the range is taken back and the direction reversed.
void bounceX(Enemy& e) {
    e.position.x += e.velocityX;
    if (e.position.x < e.minX || e.position.x > e.maxX) {
        e.velocityX = -e.velocityX;
        e.position.x += e.velocityX;
    }
}

void bounceY(Enemy& e) {
    e.position.y += e.velocityY;
    if (e.position.y > e.maxY || e.position.y < e.minY) {
        e.velocityY = -e.velocityY;
        e.position.y += e.velocityY;
    }
}

// Now and then a new direction and speed, per axis; the sign and speed are
// drawn only when the chance draw succeeds.
float reroll(float velocity, float speed) {
    if (randomFloat(0.0f, 100.0f) < 2.0f) {
        const float d = randomFloat(0.0f, 100.0f);
        const float s = randomFloat(speed / 2.0f, speed);
        return d < 50.0f ? s : -s;
    }
    return velocity;
}

void steer(Enemy& e) {
    e.velocityY = reroll(e.velocityY, e.speedY);
    e.velocityX = reroll(e.velocityX, e.speedX);
}

}  // namespace

void updateEnemy(Enemy& e) {
    if (!enemyTypeValid(e.type)) return;
    const int32_t first = e.type * enemyFrameCapacity;
    const int32_t q = animationQuarter();
    switch (enemyTypeTable.entries[e.type].behaviour) {
    case Patrol:
        bounceX(e);
        if (e.velocityX > 0.0f) e.frame = first + q;
        if (e.velocityX < 0.0f) e.frame = first + 4 + q;
        break;
    case Flyer:
        e.frame = e.velocityX < 0.0f ? first : first + 1;
        bounceX(e);
        bounceY(e);
        steer(e);
        break;
    case AnimatedFlyer:
        e.frame = first + q;
        bounceX(e);
        bounceY(e);
        steer(e);
        break;
    case BobbingPatrol: {
        bounceX(e);
        const int32_t p = (q == 1 || q == 3) ? 1 : 0;
        if (e.velocityX > 0.0f) e.frame = first + p;
        if (e.velocityX < 0.0f) e.frame = first + 2 + p;
        const int32_t index = play.animCounter / 4;
        if (index >= 0 && index < static_cast<int32_t>(swayTable.size()))
            e.position.y += swayTable[index];
        break;
    }
    default: break;  // an unknown behaviour leaves the enemy as it is
    }
}

bool heroTouchesEnemy(const Game& game) {
    if (!game.hero) return false;
    const Vec3& h = game.hero->position;
    for (const auto& enemy : game.enemies) {
        if (!enemy || !enemy->active || !enemyTypeValid(enemy->type)) continue;
        const Vec3& p = enemy->position;
        if (h.x - 1.0f < p.x && p.x < h.x + 1.0f && h.y - 1.0f < p.y && p.y < h.y + 1.0f)
            return true;
    }
    return false;
}

}  // namespace tiefschacht
