#pragma once
#include <array>
#include <cstdint>

struct Enemy;
class Game;

extern const std::array<float, 32> swayTable;

// Types 0..15 have a row of pictures and an entry in the type table; an
// enemy of any other type is neither moved nor drawn.
bool enemyTypeValid(int32_t type);
// One frame of motion by the enemy type's behaviour.
void updateEnemy(Enemy& enemy);
// True when an active enemy's centre lies strictly inside the 2 x 2 square
// around the hero.
bool heroTouchesEnemy(const Game& game);
