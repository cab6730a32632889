#include "play/update_play.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

// The hero stays at one height on screen: vertical motion moves the level
// and, with it, every enemy slot and its vertical range.
void scrollWorld(Game& game, float dy) {
    level.levelOrigin.y += dy;
    for (auto& enemy : game.enemies) {
        if (!enemy) continue;
        enemy->position.y += dy;
        enemy->maxY += dy;
        enemy->minY += dy;
    }
}

void moveHeroX(Game& game, float dx) {
    if (game.hero) game.hero->position.x += dx;
}
