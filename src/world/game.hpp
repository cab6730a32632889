// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Game object: the World, the on-screen buttons, the hero and the 250
// enemy slots.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/math3d.hpp"

namespace tiefschacht {

class World;

constexpr float playPlaneZ = 40.0f;
constexpr float menuPlaneZ = 60.0f;
constexpr int buttonSlotCount = 15;
constexpr int enemySlotCount = 250;

// The maker's web-site host, shown on buttons 1, 3 and 9 and opened by them.
inline constexpr const char* webSiteHost = "www.example.org";

struct ScreenRect {
    int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct Button {
    Button(float x, float y, int32_t segments, float labelOffset, const char* label);

    int32_t segments = 0;
    float labelOffset = 0.0f;
    std::array<char, 200> label{};
    bool pressed = false;
    std::unique_ptr<Vec3> position;
    ScreenRect screenRect;
};

struct Hero {
    Vec3 position{0.0f, 1.0f, 40.0f};
    bool active = true;
    int32_t frame = 0;
};

struct Enemy {
    Enemy(float x, float y, float z, int32_t type, float minX, float maxY, float maxX, float minY);

    Vec3 position;
    bool active = false;
    int32_t frame = 0;
    float velocityX = 0.0f;
    float velocityY = 0.0f;
    float speedX = 0.0f;
    float speedY = 0.0f;
    int32_t type = 0;
    float minX = 0.0f;
    float maxY = 0.0f;
    float maxX = 0.0f;
    float minY = 0.0f;
};

// Selects the constructors that build the records without reading any file
// or loading any picture (for tests and tools).
struct BareTag {};

class Game {
public:
    Game();  // builds everything in the construction order
    // The buttons, the hero, 250 free enemy slots and a World without
    // textures; reads no file and draws no random number.
    explicit Game(BareTag);
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    std::unique_ptr<World> world;
    std::array<std::unique_ptr<Button>, buttonSlotCount> buttons;
    std::unique_ptr<Hero> hero;
    std::array<std::unique_ptr<Enemy>, enemySlotCount> enemies;
};

// The one Game, from the end of start-up to the first step of shut-down.
extern std::unique_ptr<Game> theGame;

}  // namespace tiefschacht
