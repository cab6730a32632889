// Placeholder until this part of the game is built.
#include "play/enemies.hpp"
const std::array<float, 32> swayTable{};
void updateEnemy(Enemy&) {}
bool heroTouchesEnemy(const Game&) { return false; }
