// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/draw_play.hpp"

#include "drawing/quad.hpp"
#include "play/hero_picture.hpp"
#include "play/hud.hpp"
#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/world.hpp"

namespace tiefschacht {

void drawPlay(const Game& game) {
    if (game.world) {
        const World& world = *game.world;
        drawTileGrid(world, level.levelOrigin);
        drawHeroPicture(game);
        drawEnemiesInView(game);
        drawSpareLives(world);
    }
    drawScore();
    if (game.world) drawKeys(*game.world);
    drawInstructions();
    if (app.paused) drawPauseNotice();
}

namespace {
// A code without a slot in the table draws like an empty slot: untextured.
const SpriteTexture* groundTexture(const World& world, int32_t code) {
    if (code < 0 || code >= groundTextureCapacity) return nullptr;
    return world.groundTextures[code].get();
}

const SpriteTexture* waterTexture(const World& world, int32_t slot) {
    if (slot < 0 || slot >= waterTextureCount) return nullptr;
    return world.waterTextures[slot].get();
}

bool inView(const Vec3& p) { return p.x > -23.0f && p.x < 23.0f && p.y > -18.0f && p.y < 18.0f; }
}  // namespace

// Visits every cell and draws those whose centre lies in view; water gets its
// overlay added on top of the ground picture.
void drawTileGrid(const World& world, const Vec3& origin) {
    setTextureClamping(true);
    for (int i = 0; i < levelColumns; ++i) {
        for (int j = 0; j < levelRows; ++j) {
            const Vec3 position{origin.x - 22.0f + 1.0f + static_cast<float>(2 * i),
                                origin.y - 400.0f - 1.0f + static_cast<float>(2 * j), origin.z};
            if (!(position.x > -23.0f && position.x < 23.0f && position.y > -18.0f &&
                  position.y < 18.0f))
                continue;
            const int32_t code = level.tileGrid[j][i];
            drawQuad(position, groundTexture(world, code));
            if (code == cellWater)
                drawQuadAdditive(position, waterTexture(world, play.animCounter / 17));
            if (code == cellStillWater) drawQuadAdditive(position, waterTexture(world, 8));
        }
    }
    setTextureClamping(false);
}

void drawHeroFrame(const World& world, const Vec3& position, int slot) {
    const SpriteTexture* texture =
        slot >= 0 && slot < heroTextureCount ? world.heroTextures[slot].get() : nullptr;
    setTextureClamping(true);
    drawQuad(position, texture);
    setTextureClamping(false);
}

void drawEnemy(const World& world, const Vec3& position, int32_t frame, bool alphaBlended) {
    if (frame < 0 || frame >= static_cast<int32_t>(world.enemyTextures.size())) return;
    const SpriteTexture* texture = world.enemyTextures[frame].get();
    setTextureClamping(true);
    if (alphaBlended)
        drawQuad(position, texture);
    else
        drawQuadAdditive(position, texture);
    setTextureClamping(false);
}

void drawEnemiesInView(const Game& game) {
    if (!game.world) return;
    for (const auto& enemy : game.enemies) {
        if (!enemy || !inView(enemy->position) || !enemy->active) continue;
        if (!enemyTypeValid(enemy->type)) continue;
        const bool alphaBlended = enemyTypeTable.entries[enemy->type].blend == 0;
        drawEnemy(*game.world, enemy->position, enemy->frame, alphaBlended);
    }
}

}  // namespace tiefschacht
