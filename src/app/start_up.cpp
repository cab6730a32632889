#include "app/app_state.hpp"
#include "app/graphics.hpp"
#include "app/input_state.hpp"
#include "app/lifecycle_steps.hpp"
#include "app/settings.hpp"
#include "app/sound.hpp"
#include "world/game.hpp"

namespace {
void createTheGame() { theGame = std::make_unique<Game>(); }
}  // namespace

const StartUpSteps gameStartUpSteps{
    initInput,        initSound,    set3DParameters, startTitleMusic, readRenderingOptions,
    readGameSettings, initGraphics, setUpCamera,     createTheGame,
};

void startUpWith(const StartUpSteps& steps) {
    if (steps.initInput() != 0) {
        setGameState(StateInitFailed);
        requestClose();
        return;
    }
    steps.initSound();
    steps.set3DParameters(1.0f, 1.0f, 30.0f, 10000.0f);
    steps.startTitleMusic();
    steps.readRenderingOptions();
    steps.readGameSettings();
    steps.initGraphics();
    steps.setUpCamera();
    steps.createGame();
    setGameState(StateTitle);
}

void startUp() { startUpWith(gameStartUpSteps); }
