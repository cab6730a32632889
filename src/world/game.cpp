// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/game.hpp"

#include <cstring>
#include <string>

#include "services/game_paths.hpp"
#include "world/data_tables.hpp"
#include "world/highscore_file.hpp"
#include "world/level.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

namespace tiefschacht {

std::unique_ptr<Game> theGame;

Button::Button(float x, float y, int32_t segments_, float labelOffset_, const char* label_)
    : segments(segments_),
      labelOffset(labelOffset_),
      position(std::make_unique<Vec3>(Vec3{x, y, menuPlaneZ})) {
    if (label_) std::strncpy(label.data(), label_, label.size() - 1);
}

Enemy::Enemy(float x, float y, float z, int32_t type_, float minX_, float maxY_, float maxX_,
             float minY_)
    : position{x, y, z}, type(type_), minX(minX_), maxY(maxY_), maxX(maxX_), minY(minY_) {}

namespace {
struct ButtonSpec {
    int slot;
    float x, y;
    int32_t segments;
    float labelOffset;
    const char* label;  // null: the web-site label, filled in below
};

// In the order the buttons are built: "OK" (slot 8) comes last.
constexpr std::array<ButtonSpec, 11> buttonTable = {{
    {0, -13.0f, 4.0f, 16, 0.38f, "Spielen"},
    {1, -13.0f, -6.0f, 16, 0.06f, nullptr},
    {2, -13.0f, -1.0f, 16, 0.27f, "Spielanleitung lesen"},
    {3, -13.0f, 2.0f, 16, 0.06f, nullptr},
    {4, -13.0f, -3.0f, 16, 0.3f, "Spiel beenden"},
    {5, -4.15f, -22.0f, 6, 0.03f, "Spiel starten"},
    {6, -17.5f, -22.0f, 6, 0.02f, "Highscoreliste"},
    {7, 22.0f, -22.0f, 6, 0.03f, "Spiel beenden"},
    {9, 9.0f, -22.0f, 6, -0.02f, webSiteHost},
    {10, -31.2f, -22.0f, 6, 0.02f, "Spielanleitung"},
    {8, -6.5f, -17.0f, 8, 0.17f, "OK"},
}};

void buildButtons(std::array<std::unique_ptr<Button>, buttonSlotCount>& buttons) {
    const std::string moreGames = std::string("Weitere Games unter : ") + webSiteHost;
    for (const ButtonSpec& b : buttonTable) {
        buttons[b.slot] = std::make_unique<Button>(b.x, b.y, b.segments, b.labelOffset,
                                                   b.label ? b.label : moreGames.c_str());
    }
}

void buildEnemySlots(std::array<std::unique_ptr<Enemy>, enemySlotCount>& enemies) {
    for (auto& e : enemies)
        e = std::make_unique<Enemy>(0.0f, 0.0f, playPlaneZ, 0, 0.0f, 0.0f, 0.0f, 0.0f);
}
}  // namespace

Game::Game() {
    discardStartupDraws();
    world = std::make_unique<World>();
    buildButtons(buttons);
    hero = std::make_unique<Hero>();
    readLevel(levelFile);
    buildEnemySlots(enemies);
    readEnemies(enemiesFile, enemies);
    readHighscores(writtenFile(highscoreFile).c_str());
    readItems(itemsFile);
}

Game::Game(BareTag) {
    world = std::make_unique<World>(BareTag{});
    buildButtons(buttons);
    hero = std::make_unique<Hero>();
    buildEnemySlots(enemies);
}

Game::~Game() {
    // The World first: its textures and quad buffer go back to the device.
    world.reset();
    for (auto& b : buttons) b.reset();
    hero.reset();
    for (auto& e : enemies) e.reset();
}

}  // namespace tiefschacht
