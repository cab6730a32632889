// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// All textures of the game, loaded when the Game is made.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/graphics_device.hpp"
#include "platform/math3d.hpp"
#include "world/sprite_texture.hpp"

namespace tiefschacht {

inline constexpr const char* groundTextureList = "Data/GroundTextures.txt";
inline constexpr const char* enemyTextureList = "Data/EnemyTextures.txt";

constexpr int groundTextureCapacity = 500;
constexpr int enemyTypeCapacity = 16;
constexpr int enemyFrameCapacity = 22;
constexpr int heroTextureCount = 24;
constexpr int waterTextureCount = 9;

struct EnemyTypeEntry {
    int32_t behaviour = 0;
    int32_t blend = 0;  // 0: alpha-blended, else additive
};

struct EnemyTypeTable {
    std::array<EnemyTypeEntry, enemyTypeCapacity> entries{};
};

extern EnemyTypeTable enemyTypeTable;

// Types 0..15 have a row of pictures and an entry in the type table; an
// enemy of any other type is neither moved nor drawn, nor does it kill.
inline bool enemyTypeValid(int32_t type) { return type >= 0 && type < enemyTypeCapacity; }

class World {
public:
    World();                         // loads everything, in the order of loading
    explicit World(struct BareTag);  // no textures and no quad buffer
    ~World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;

    std::unique_ptr<SpriteTexture> titleTexture;
    std::unique_ptr<SpriteTexture> wonTexture;
    std::unique_ptr<SpriteTexture> cursorTexture;
    std::unique_ptr<SpriteTexture> buttonLeftTexture;
    std::unique_ptr<SpriteTexture> buttonMidTexture;
    std::unique_ptr<SpriteTexture> buttonRightTexture;
    std::unique_ptr<SpriteTexture> keyTexture;
    std::array<std::unique_ptr<SpriteTexture>, waterTextureCount> waterTextures;
    std::array<std::unique_ptr<SpriteTexture>, groundTextureCapacity> groundTextures;
    std::array<std::unique_ptr<SpriteTexture>, enemyTypeCapacity * enemyFrameCapacity>
        enemyTextures;
    std::array<std::unique_ptr<SpriteTexture>, heroTextureCount> heroTextures;
    TextureBudget textureBudget;

    // Each file name of a list becomes a slot and loads its picture; a list
    // that ends before the names it announces leaves the other slots empty.
    void readTextureList(const char* path);
    void readEnemyTextureList(const char* path);
};

}  // namespace tiefschacht
