// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The play screen: the tile grid around the hero, the hero, the enemies in
// view and the sprites they are drawn with, then the display of lives,
// score and keys.
#include "play/draw_play.hpp"

#include "drawing/quad.hpp"
#include "play/play_state.hpp"
#include "services/frame_timing.hpp"
#include "services/graphics.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/world.hpp"

namespace tiefschacht {

void drawPlay(Game& game) {
    DrawTimeScope drawing;
    refreshViewProjection();
    if (game.world) {
        World& world = *game.world;
        drawTileGrid(world, level.levelOrigin);
        drawHeroPicture(game);
        drawEnemiesInView(game);
        drawSpareLives(world);
    }
    drawScore();
    if (game.world) drawKeys(*game.world);
    drawInstructions();  // counts the play frames even with nothing to draw on
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
}  // namespace

// Visits every cell and draws those whose centre lies in view; water gets its
// overlay added on top of the ground picture.
void drawTileGrid(World& world, const Vec3& origin) {
    setTextureClamping(true);
    for (int i = 0; i < levelColumns; ++i) {
        for (int j = 0; j < levelRows; ++j) {
            const Vec3 position{origin.x - 22.0f + 1.0f + static_cast<float>(2 * i),
                                origin.y - 400.0f - 1.0f + static_cast<float>(2 * j), origin.z};
            if (!(position.x > -23.0f && position.x < 23.0f && position.y > -18.0f &&
                  position.y < 18.0f))
                continue;
            const int32_t code = level.tileGrid[j][i];
            drawQuad(world, position, groundTexture(world, code));
            if (code == cellWater)
                drawQuadAdditive(world, position, waterTexture(world, play.animCounter / 17));
            if (code == cellStillWater) drawQuadAdditive(world, position, waterTexture(world, 8));
        }
    }
    setTextureClamping(false);
}

void drawHeroFrame(World& world, const Vec3& position, int slot) {
    const SpriteTexture* texture =
        slot >= 0 && slot < heroTextureCount ? world.heroTextures[slot].get() : nullptr;
    setTextureClamping(true);
    drawQuad(world, position, texture);
    setTextureClamping(false);
}

void drawEnemy(World& world, const Vec3& position, int32_t frame, bool alphaBlended) {
    if (frame < 0 || frame >= static_cast<int32_t>(world.enemyTextures.size())) return;
    const SpriteTexture* texture = world.enemyTextures[frame].get();
    setTextureClamping(true);
    if (alphaBlended)
        drawQuad(world, position, texture);
    else
        drawQuadAdditive(world, position, texture);
    setTextureClamping(false);
}

void drawKeyIcon(World& world, const Vec3& position) {
    drawQuad(world, position, world.keyTexture.get());
}

}  // namespace tiefschacht
