// Placeholder until this part of the game is built: the records and the
// bare constructors are real, the loading constructor is not.
#include "world/game.hpp"

#include <cstring>

#include "world/world.hpp"

Button::Button(float x, float y, int32_t segments_, float labelOffset_, const char* label_)
    : segments(segments_), labelOffset(labelOffset_),
      position(std::make_unique<Vec3>(Vec3{x, y, menuPlaneZ})) {
    std::strncpy(label.data(), label_, label.size() - 1);
}

Enemy::Enemy(float x, float y, float z, int32_t type_, float minX_, float maxY_, float maxX_,
             float minY_)
    : position{x, y, z}, type(type_), minX(minX_), maxY(maxY_), maxX(maxX_), minY(minY_) {}

Game::Game() {}

Game::Game(BareTag) {
    world = std::make_unique<World>(BareTag{});
    hero = std::make_unique<Hero>();
    for (auto& e : enemies) e = std::make_unique<Enemy>(0.0f, 0.0f, playPlaneZ, 0, 0.0f, 0.0f, 0.0f, 0.0f);
}

Game::~Game() = default;
