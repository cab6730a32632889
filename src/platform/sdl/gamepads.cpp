// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/gamepads.hpp"

#include <SDL2/SDL.h>

#include <array>

namespace tiefschacht {

namespace {

constexpr size_t maxPads = 8;

GamepadReading readPad(SDL_GameController* pad) {
    GamepadReading r;
    r.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    r.leftY = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY);
    r.dpadUp = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_UP) != 0;
    r.dpadDown = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_DOWN) != 0;
    r.dpadLeft = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0;
    r.dpadRight = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0;
    r.buttonA = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_A) != 0;
    r.buttonStart = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_START) != 0;
    r.buttonBack = SDL_GameControllerGetButton(pad, SDL_CONTROLLER_BUTTON_BACK) != 0;
    return r;
}

}  // namespace

void SdlGamepads::Closer::operator()(_SDL_GameController* pad) const {
    SDL_GameControllerClose(pad);
}

SdlGamepads::SdlGamepads() { subsystem_ = SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0; }

SdlGamepads::~SdlGamepads() {
    // After SDL has been shut down as a whole, the controllers are closed
    // and freed already.
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        for (auto& pad : pads_) static_cast<void>(pad.release());
    }
    pads_.clear();
    if (subsystem_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void SdlGamepads::update() {
    if (!subsystem_) return;
    // Only the device arrival and departure events are taken from the queue;
    // the window's own events stay where they are.
    std::array<SDL_Event, 16> events{};
    bool changed = false;
    int taken = 0;
    do {
        taken = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_GETEVENT,
                               SDL_JOYDEVICEADDED, SDL_JOYDEVICEREMOVED);
        if (taken > 0) changed = true;
    } while (taken == static_cast<int>(events.size()));
    do {
        taken = SDL_PeepEvents(events.data(), static_cast<int>(events.size()), SDL_GETEVENT,
                               SDL_CONTROLLERDEVICEADDED, SDL_CONTROLLERDEVICEREMAPPED);
        if (taken > 0) changed = true;
    } while (taken == static_cast<int>(events.size()));

    const int count = SDL_NumJoysticks();
    if (changed || count != knownJoysticks_) {
        knownJoysticks_ = count;
        rescan();
    }
}

void SdlGamepads::rescan() {
    std::erase_if(pads_, [](const auto& pad) { return !SDL_GameControllerGetAttached(pad.get()); });
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count && pads_.size() < maxPads; ++index) {
        if (!SDL_IsGameController(index)) continue;
        const SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(index);
        bool open = false;
        for (const auto& pad : pads_) {
            SDL_Joystick* stick = SDL_GameControllerGetJoystick(pad.get());
            if (stick != nullptr && SDL_JoystickInstanceID(stick) == id) open = true;
        }
        if (open) continue;
        if (SDL_GameController* pad = SDL_GameControllerOpen(index)) pads_.emplace_back(pad);
    }
}

void SdlGamepads::addToKeyboard(KeyboardSnapshot& keys) const {
    for (const auto& pad : pads_) addGamepadKeys(readPad(pad.get()), keys);
}

void SdlGamepads::addToMouse(MouseSnapshot& mouse) {
    for (const auto& pad : pads_) addGamepadMouse(readPad(pad.get()), mouse, carryX_, carryY_);
}

void SdlGamepads::resetMotion() {
    carryX_ = 0.0f;
    carryY_ = 0.0f;
}

}  // namespace tiefschacht
