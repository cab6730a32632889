// Placeholder until this part of the game is built.
#include "world/game.hpp"
#include "world/world.hpp"
Button::Button(float, float, int32_t, float, const char*) {}
Enemy::Enemy(float, float, float, int32_t, float, float, float, float) {}
Game::Game() {}
Game::~Game() = default;
