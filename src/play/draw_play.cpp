#include "play/draw_play.hpp"

#include "services/frame_timing.hpp"
#include "services/graphics.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/world.hpp"

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
