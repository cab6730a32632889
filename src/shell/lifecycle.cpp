// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/lifecycle.hpp"

#include "drawing/fonts.hpp"
#include "drawing/quad.hpp"
#include "play/play_state.hpp"
#include "services/app_state.hpp"
#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/settings.hpp"
#include "services/sound.hpp"
#include "world/game.hpp"

namespace tiefschacht {

namespace {
void initGraphicsAndFonts() {
    initGraphics();
    createFontResources();
    createQuadBuffer();
}

// Reading the enemies restarts the animation cycle they move by.
void createTheGame() {
    theGame = std::make_unique<Game>();
    play.animCounter = 0;
}

void destroyTheGame() { theGame.reset(); }

void releaseFontsAndGraphics() {
    releaseQuadBuffer();
    releaseFonts();
    releaseGraphics();
}
}  // namespace

const StartUpSteps gameStartUpSteps{
    initInput,
    initSound,
    set3DParameters,
    startTitleMusic,
    readRenderingOptions,
    readGameSettings,
    initGraphicsAndFonts,
    setUpCamera,
    createTheGame,
};

const ShutDownSteps gameShutDownSteps{destroyTheGame, releaseInput, releaseFontsAndGraphics,
                                      releaseSound};

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

void shutDownWith(const ShutDownSteps& steps) {
    steps.destroyGame();
    steps.releaseInput();
    steps.releaseGraphics();
    steps.releaseSound();
}

void startUp() { startUpWith(gameStartUpSteps); }
void shutDown() { shutDownWith(gameShutDownSteps); }

}  // namespace tiefschacht
