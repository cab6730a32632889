// Placeholder until this part of the game is built.
#include "app/app_state.hpp"
#include <cstdio>
#include <cstdlib>
#include "world/game.hpp"
AppState app;
std::unique_ptr<Game> theGame;
void setGameState(int32_t value) { app.gameState = value; }
void requestClose() { app.closeRequested = true; }
void startUp() {}
void shutDown() { theGame.reset(); }
void runFrame() {}
void renderFrame() {}
void dispatchState(Game&) {}
void failOnFile(const char* file, const char* reason) {
    shutDown();
    std::fprintf(stderr, "tiefschacht: %s: %s\n", file, reason);
    std::exit(1);
}
