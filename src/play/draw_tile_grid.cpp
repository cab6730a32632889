#include "drawing/quad.hpp"
#include "play/draw_play.hpp"
#include "play/play_state.hpp"
#include "world/level.hpp"
#include "world/world.hpp"

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
