#include "app/app_state.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/lifecycle_steps.hpp"
#include "app/sound.hpp"
#include "world/game.hpp"

namespace {
void destroyTheGame() { theGame.reset(); }
}  // namespace

const ShutDownSteps gameShutDownSteps{destroyTheGame, releaseInput, releaseGraphics,
                                      releaseSound};

void shutDownWith(const ShutDownSteps& steps) {
    steps.destroyGame();
    steps.releaseInput();
    steps.releaseGraphics();
    steps.releaseSound();
}

void shutDown() { shutDownWith(gameShutDownSteps); }
