// Placeholder until this part of the game is built.
#include "world/data_tables.hpp"
#include "world/game.hpp"
void readEnemies(const char*, std::array<std::unique_ptr<Enemy>, enemyCapacity>&) {}
