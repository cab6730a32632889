// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/world.hpp"

#include <cstdio>
#include <string>

#include "world/data_file.hpp"
#include "world/game.hpp"

namespace tiefschacht {

EnemyTypeTable enemyTypeTable;

namespace {
constexpr uint32_t pictureWidth = 1024;
constexpr uint32_t pictureHeight = 768;

constexpr std::array<const char*, heroTextureCount> heroFrameFiles = {
    "Graphics/Hero1.bmp",   "Graphics/HeroL1.bmp",  "Graphics/HeroL2.bmp",  "Graphics/HeroL3.bmp",
    "Graphics/HeroL4.bmp",  "Graphics/HeroR1.bmp",  "Graphics/HeroR2.bmp",  "Graphics/HeroR3.bmp",
    "Graphics/HeroR4.bmp",  "Graphics/HeroK1.bmp",  "Graphics/HeroK2.bmp",  "Graphics/HeroK3.bmp",
    "Graphics/HeroK4.bmp",  "Graphics/HeroSL1.bmp", "Graphics/HeroSL2.bmp", "Graphics/HeroSL3.bmp",
    "Graphics/HeroSL4.bmp", "Graphics/HeroSR1.bmp", "Graphics/HeroSR2.bmp", "Graphics/HeroSR3.bmp",
    "Graphics/HeroSR4.bmp", "Graphics/HeroS1.bmp",  "Graphics/HeroS2.bmp",  "Graphics/HeroT1.bmp"};

std::unique_ptr<SpriteTexture> loadPicture(const char* name, TextureBudget& budget) {
    auto s = std::make_unique<SpriteTexture>();
    s->setFileName(name);
    s->loadFromFile(budget);
    return s;
}

// A full-screen picture: a blank texture that the picture replaces when it
// can be loaded.
std::unique_ptr<SpriteTexture> loadScreenPicture(const char* name, TextureBudget& budget) {
    auto s = std::make_unique<SpriteTexture>();
    s->createBlank(pictureWidth, pictureHeight, 0, PixelFormat::A8R8G8B8);
    s->setFileName(name);
    s->loadFromFile(budget);
    return s;
}

}  // namespace

World::World() {
    TextureBudget& budget = textureBudget;
    titleTexture = loadScreenPicture("Graphics/Titelbild.bmp", budget);
    wonTexture = loadScreenPicture("Graphics/Gewonnen.bmp", budget);
    cursorTexture = loadPicture("Graphics/Cursor.bmp", budget);
    for (int i = 0; i < waterTextureCount; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "Graphics/wasser%d.bmp", i + 1);
        waterTextures[i] = loadPicture(name, budget);
    }
    buttonLeftTexture = loadPicture("Graphics/ButtonLeft.bmp", budget);
    buttonMidTexture = loadPicture("Graphics/ButtonMid.bmp", budget);
    buttonRightTexture = loadPicture("Graphics/ButtonRight.bmp", budget);
    for (int i = 0; i < heroTextureCount; ++i)
        heroTextures[i] = loadPicture(heroFrameFiles[i], budget);
    keyTexture = loadPicture("Graphics/Schluessel.bmp", budget);
    readEnemyTextureList(enemyTextureList);
    readTextureList(groundTextureList);
}

World::World(BareTag) {}

World::~World() {
    // Each slot releases its texture.
    titleTexture.reset();
    wonTexture.reset();
    cursorTexture.reset();
    buttonLeftTexture.reset();
    buttonMidTexture.reset();
    buttonRightTexture.reset();
    keyTexture.reset();
    for (auto& s : waterTextures) s.reset();
    for (auto& s : groundTextures) s.reset();
    for (auto& s : enemyTextures) s.reset();
    for (auto& s : heroTextures) s.reset();
}

// Reads the next file name into a new slot and loads its picture.
static std::unique_ptr<SpriteTexture> readPictureEntry(TokenReader& reader, TextureBudget& budget) {
    auto s = std::make_unique<SpriteTexture>();
    std::string name;
    if (reader.readWord(name)) s->setFileName(name.c_str());
    s->loadFromFile(budget);
    return s;
}

void World::readTextureList(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);
    int32_t count = 0;
    reader.readLabelledDecimal(count);
    count = limitCount(reader, count, groundTextureCapacity, "picture names");
    for (int32_t i = 0; i < count && holdsRecord(reader, i, count, "picture names"); ++i)
        groundTextures[i] = readPictureEntry(reader, textureBudget);
    warnAboutProblem(reader, path);
}

void World::readEnemyTextureList(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);
    // Locals kept across types: a failed conversion keeps the last value.
    int32_t typeCount = 0;
    int32_t frameCount = 0;
    reader.readLabelledDecimal(typeCount);
    typeCount = limitCount(reader, typeCount, enemyTypeCapacity, "enemy types");
    for (int32_t t = 0; t < typeCount && holdsRecord(reader, t, typeCount, "enemy types"); ++t) {
        reader.readLabelledDecimal(frameCount);
        const std::string what = "pictures of enemy type " + std::to_string(t);
        const int32_t frames = limitCount(reader, frameCount, enemyFrameCapacity, what.c_str());
        reader.readLabelledDecimal(enemyTypeTable.entries[t].behaviour);
        reader.readLabelledDecimal(enemyTypeTable.entries[t].blend);
        for (int32_t f = 0; f < frames && holdsRecord(reader, f, frames, what.c_str()); ++f)
            enemyTextures[t * enemyFrameCapacity + f] = readPictureEntry(reader, textureBudget);
        if (frames < frameCount) break;  // the rest of the list is not read
    }
    warnAboutProblem(reader, path);
}

}  // namespace tiefschacht
