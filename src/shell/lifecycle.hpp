// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tiefschacht {

// Start-up and shut-down. Their steps are tables of functions, so that the
// sequences themselves can be run with stand-in steps (the game uses
// gameStartUpSteps and gameShutDownSteps).

struct StartUpSteps {
    int (*initInput)();  // 0 on success
    void (*initSound)();
    void (*set3DParameters)(float dopplerFactor, float rolloffFactor, float minDistance,
                            float maxDistance);
    void (*startTitleMusic)();
    void (*readRenderingOptions)();
    void (*readGameSettings)();
    void (*initGraphics)();  // the device with its log and states, the fonts' atlases, the quad
    void (*setUpCamera)();
    void (*createGame)();
};

struct ShutDownSteps {
    void (*destroyGame)();
    void (*releaseInput)();
    void (*releaseGraphics)();  // the quad, the fonts, then the device
    void (*releaseSound)();
};

extern const StartUpSteps gameStartUpSteps;
extern const ShutDownSteps gameShutDownSteps;

// Input devices, sound and title music, the two configuration files, the
// graphics device and camera, then the Game; gameState becomes StateTitle.
// When the input set-up fails, gameState becomes StateInitFailed, the close
// request is sent and nothing further is created.
void startUpWith(const StartUpSteps& steps);
// The Game, the input devices, the fonts and the graphics device, the
// sound, in that order. Each step skips what does not exist.
void shutDownWith(const ShutDownSteps& steps);

void startUp();
void shutDown();

}  // namespace tiefschacht
