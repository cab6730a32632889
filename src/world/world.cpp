// Placeholder until this part of the game is built.
#include "world/world.hpp"

#include "world/game.hpp"

EnemyTypeTable enemyTypeTable;
World::World() {}
World::World(BareTag) {}
World::~World() = default;
void World::readTextureList(const char*) {}
void World::readEnemyTextureList(const char*) {}
