#include "drawing/quad.hpp"
#include "play/draw_play.hpp"
#include "world/world.hpp"

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
