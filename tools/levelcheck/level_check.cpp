// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "levelcheck/level_check.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/backends.hpp"
#include "platform/picture_files.hpp"
#include "services/token_reader.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/world.hpp"

namespace tiefschacht {

namespace levelcheck {
namespace {

// The tiles drawn as framed objects (tools/art/tiles.cpp): each stands on
// one picture in every zone, a stone frame around its own opening, so its
// border is not meant to match what lies around it.
constexpr std::array<int32_t, 4> framedCodes = {cellOpened, cellCheckpoint, cellDoor, cellGate};

// How far the mean colour along a picture's edge may lie from the mean
// colour along the touching edge of an open neighbour (the sum of the red,
// green and blue differences, each 0 to 255). Two cells of one zone's
// background differ by up to 18 through their texture's grain and joints;
// the backgrounds of two zones differ by 27 or more.
constexpr int seamTolerance = 22;

bool isFramed(int32_t c) {
    return std::find(framedCodes.begin(), framedCodes.end(), c) != framedCodes.end();
}

using Problems = std::vector<std::string>;

struct Level {
    std::array<std::array<int32_t, levelColumns>, levelRows> cells{};
};

struct Item {
    int32_t code = 0, replacement = 0, action = 0, points = 0;
};

struct EnemyType {
    int32_t frames = 0, behaviour = 0, blend = 0;
};

struct EnemyRecord {
    int32_t type = 0;
    float x = 0, y = 0, minX = 0, maxY = 0, maxX = 0, minY = 0, speedX = 0, speedY = 0;
};

struct Data {
    Level level;
    std::vector<std::string> groundTextures;
    std::vector<EnemyType> enemyTypes;
    std::vector<std::vector<std::string>> enemyFrames;
    std::vector<Item> items;
    std::vector<EnemyRecord> enemies;
};

std::string cellName(int row, int column) {
    return "row " + std::to_string(row) + " column " + std::to_string(column);
}

bool openFile(const std::string& dir, const char* name, TokenReader& reader, Problems& problems) {
    std::string error;
    const std::string path = dir + "/" + name;
    if (!reader.open(path.c_str(), error)) {
        problems.push_back(std::string(name) + ": cannot be read (" + error + ")");
        return false;
    }
    return true;
}

void readLevel(const std::string& dir, Data& data, Problems& problems) {
    TokenReader in;
    if (!openFile(dir, levelFile, in, problems)) return;
    for (int row = levelRows - 1; row >= 0; --row) {
        for (int column = 0; column < levelColumns; ++column) {
            int32_t code = 0;
            if (!in.readInteger(code) || !in.skipWord()) {
                problems.push_back(std::string(levelFile) + ": the entry of " +
                                   cellName(row, column) +
                                   " is missing or not a number with a label");
                return;
            }
            data.level.cells[row][column] = code;
        }
    }
    if (!in.atEnd())
        problems.push_back(std::string(levelFile) + ": text after the 8800 cell entries");
}

void readGroundTextures(const std::string& dir, Data& data, Problems& problems) {
    TokenReader in;
    if (!openFile(dir, groundTextureList, in, problems)) return;
    int32_t count = 0;
    if (!in.skipWord() || !in.readDecimal(count) || count < 0) {
        problems.push_back(std::string(groundTextureList) + ": no texture count after the label");
        return;
    }
    if (count > groundTextureCapacity) {
        problems.push_back(std::string(groundTextureList) + ": " + std::to_string(count) +
                           " textures, more than the " + std::to_string(groundTextureCapacity) +
                           " slots");
        count = groundTextureCapacity;
    }
    for (int i = 0; i < count; ++i) {
        std::string name;
        if (!in.readWord(name)) {
            problems.push_back(std::string(groundTextureList) + ": only " + std::to_string(i) +
                               " of " + std::to_string(count) + " file names");
            return;
        }
        if (name.size() > 99) {
            problems.push_back(std::string(groundTextureList) +
                               ": file name longer than 99 characters: " + name);
        }
        data.groundTextures.push_back(name);
    }
}

void readEnemyTextures(const std::string& dir, Data& data, Problems& problems) {
    TokenReader in;
    if (!openFile(dir, enemyTextureList, in, problems)) return;
    int32_t count = 0;
    if (!in.skipWord() || !in.readDecimal(count) || count < 0) {
        problems.push_back(std::string(enemyTextureList) + ": no type count after the label");
        return;
    }
    if (count > enemyTypeCapacity) {
        problems.push_back(std::string(enemyTextureList) + ": " + std::to_string(count) +
                           " enemy types, more than " + std::to_string(enemyTypeCapacity));
        count = enemyTypeCapacity;
    }
    for (int t = 0; t < count; ++t) {
        EnemyType type;
        if (!in.skipWord() || !in.readDecimal(type.frames) || !in.skipWord() ||
            !in.readDecimal(type.behaviour) || !in.skipWord() || !in.readDecimal(type.blend)) {
            problems.push_back(std::string(enemyTextureList) + ": type " + std::to_string(t) +
                               " lacks its frame count, behaviour or blending");
            return;
        }
        if (type.frames > enemyFrameCapacity || type.frames < 0) {
            problems.push_back(std::string(enemyTextureList) + ": type " + std::to_string(t) +
                               " has " + std::to_string(type.frames) + " frames (0 to " +
                               std::to_string(enemyFrameCapacity) + " allowed)");
            type.frames = type.frames < 0 ? 0 : enemyFrameCapacity;
        }
        std::vector<std::string> frames;
        for (int f = 0; f < type.frames; ++f) {
            std::string name;
            if (!in.readWord(name)) {
                problems.push_back(std::string(enemyTextureList) + ": type " + std::to_string(t) +
                                   " lists only " + std::to_string(f) + " frames");
                return;
            }
            frames.push_back(name);
        }
        data.enemyTypes.push_back(type);
        data.enemyFrames.push_back(frames);
    }
}

void readItems(const std::string& dir, Data& data, Problems& problems) {
    TokenReader in;
    if (!openFile(dir, itemsFile, in, problems)) return;
    int32_t count = 0;
    if (!in.skipWord() || !in.readInteger(count) || count < 0) {
        problems.push_back(std::string(itemsFile) + ": no item count after the label");
        return;
    }
    if (count > itemCapacity) {
        problems.push_back(std::string(itemsFile) + ": " + std::to_string(count) +
                           " items, more than " + std::to_string(itemCapacity));
        count = itemCapacity;
    }
    for (int i = 0; i < count; ++i) {
        Item item;
        if (!in.skipWord() || !in.readInteger(item.code) || !in.skipWord() ||
            !in.readInteger(item.replacement) || !in.skipWord() || !in.readInteger(item.action) ||
            !in.skipWord() || !in.readInteger(item.points)) {
            problems.push_back(std::string(itemsFile) + ": entry " + std::to_string(i) +
                               " is incomplete");
            return;
        }
        data.items.push_back(item);
    }
}

void readEnemies(const std::string& dir, Data& data, Problems& problems) {
    TokenReader in;
    if (!openFile(dir, enemiesFile, in, problems)) return;
    int32_t count = 0;
    if (!in.skipWord() || !in.readInteger(count) || count < 0) {
        problems.push_back(std::string(enemiesFile) + ": no enemy count after the label");
        return;
    }
    if (count > enemySlotCount) {
        problems.push_back(std::string(enemiesFile) + ": " + std::to_string(count) +
                           " enemies, more than " + std::to_string(enemySlotCount));
        count = enemySlotCount;
    }
    for (int i = 0; i < count; ++i) {
        EnemyRecord e;
        bool ok = in.skipWord() && in.readInteger(e.type);
        for (float* v : {&e.x, &e.y, &e.minX, &e.maxY, &e.maxX, &e.minY, &e.speedX, &e.speedY}) {
            ok = ok && in.skipWord() && in.readFloat(*v);
        }
        if (!ok) {
            problems.push_back(std::string(enemiesFile) + ": enemy " + std::to_string(i) +
                               " is incomplete");
            return;
        }
        data.enemies.push_back(e);
    }
}

const Item* findItem(const Data& data, int32_t code) {
    for (const Item& item : data.items) {
        if (item.code == code) return &item;
    }
    return nullptr;
}

void checkBorders(const Data& data, Problems& problems) {
    for (int row = 0; row < levelRows; ++row) {
        for (int column : {0, levelColumns - 1}) {
            if (!isSolid(data.level.cells[row][column])) {
                problems.push_back(std::string(levelFile) + ": the border at " +
                                   cellName(row, column) + " is not solid (code " +
                                   std::to_string(data.level.cells[row][column]) + ")");
            }
        }
    }
    for (int row : {0, levelRows - 1}) {
        for (int column = 0; column < levelColumns; ++column) {
            if (!isSolid(data.level.cells[row][column])) {
                problems.push_back(std::string(levelFile) + ": the " +
                                   std::string(row == 0 ? "bottom" : "top") +
                                   " row is not solid at column " + std::to_string(column));
            }
        }
    }
}

void checkCodes(const Data& data, const Options& options, const std::string& dir,
                Problems& problems) {
    std::set<int32_t> reported;
    int levelEnds = 0, keys = 0, doors = 0;
    for (int row = 0; row < levelRows; ++row) {
        for (int column = 0; column < levelColumns; ++column) {
            const int32_t code = data.level.cells[row][column];
            if ((code < 0 || code >= static_cast<int32_t>(data.groundTextures.size())) &&
                reported.insert(code).second) {
                problems.push_back(std::string(levelFile) + ": code " + std::to_string(code) +
                                   " at " + cellName(row, column) + " has no ground texture");
            }
            if (code == cellDoor) ++doors;
            if (!isItem(code)) continue;
            const Item* item = findItem(data, code);
            if (!item) {
                if (reported.insert(code).second) {
                    problems.push_back(std::string(levelFile) + ": item code " +
                                       std::to_string(code) + " at " + cellName(row, column) +
                                       " has no entry in " + std::string(itemsFile) + "");
                }
                continue;
            }
            for (const Item& entry : data.items) {
                if (entry.code != code) continue;
                if (entry.action == itemActionLevelEnd) ++levelEnds;
                if (entry.action == itemActionKey) ++keys;
                if (entry.action == itemActionOpenGate) {
                    bool gateAbove = false;
                    for (int r = row; r < levelRows && !gateAbove; ++r) {
                        for (int c = 0; c < levelColumns; ++c)
                            gateAbove |= data.level.cells[r][c] == cellGate;
                    }
                    if (!gateAbove) {
                        problems.push_back(std::string(levelFile) + ": the gate switch at " +
                                           cellName(row, column) +
                                           " has no gate at or above its row to open");
                    }
                }
            }
        }
    }
    if (levelEnds != 1) {
        problems.push_back(std::string(levelFile) + ": " + std::to_string(levelEnds) +
                           " level-end items; exactly one is needed");
    }
    if (keys < doors) {
        problems.push_back(std::string(levelFile) + ": " + std::to_string(doors) +
                           " locked doors but only " + std::to_string(keys) + " keys");
    }
    if (options.checkPictureFiles) {
        std::set<std::string> missing;
        for (const std::string& name : data.groundTextures) {
            if (!std::filesystem::exists(dir + "/" + name) && missing.insert(name).second) {
                problems.push_back(std::string(groundTextureList) + ": picture " + name +
                                   " does not exist");
            }
        }
        for (const auto& frames : data.enemyFrames) {
            for (const std::string& name : frames) {
                if (!std::filesystem::exists(dir + "/" + name) && missing.insert(name).second) {
                    problems.push_back(std::string(enemyTextureList) + ": picture " + name +
                                       " does not exist");
                }
            }
        }
    }
}

// ------------------------------------------------------------ squares --
// A picture shows as a square when the background it carries differs from
// what surrounds it. For every cell whose picture is one of a kind among
// its neighbours (items, the checkpoint, the passage, doors and gates) and
// for what an item leaves behind, the mean colour along each side is
// compared with that along the touching side of the neighbour there, when
// that neighbour is open ground (not a wall, not water, not a framed object).

class Pictures {
public:
    Pictures(const std::string& dir, const Data& data)
        : dir_(dir), data_(data), decoder_(createSdlImageDecoder()) {}
    // The decoded picture of a code, or null when it cannot be read.
    const DecodedImage* of(int32_t code) {
        auto found = cache_.find(code);
        if (found != cache_.end()) return found->second.width > 0 ? &found->second : nullptr;
        DecodedImage& image = cache_[code];
        if (code < 0 || code >= static_cast<int32_t>(data_.groundTextures.size()) ||
            !readPictureFile(*decoder_, dir_ + "/" + data_.groundTextures[code], image, error_)) {
            image = {};
            return nullptr;
        }
        return &image;
    }

private:
    std::string dir_;
    const Data& data_;
    std::unique_ptr<ImageDecoder> decoder_;
    std::map<int32_t, DecodedImage> cache_;
    std::string error_;
};

struct Side {
    int dRow, dColumn;
    const char* name;
};
constexpr std::array<Side, 4> sides = {
    {{1, 0, "top"}, {-1, 0, "bottom"}, {0, -1, "left"}, {0, 1, "right"}}};

struct MeanColour {
    double red = 0, green = 0, blue = 0;
};

// The mean colour of the `depth` outermost rows or columns on one side of a picture.
MeanColour edgeColour(const DecodedImage& image, const Side& side, int depth) {
    const bool rowsOfPixels = side.dRow != 0;
    const int length = rowsOfPixels ? image.width : image.height;
    const int across = rowsOfPixels ? image.height : image.width;
    depth = std::min(depth, across);
    MeanColour sum;
    for (int d = 0; d < depth; ++d) {
        // Rows count from the top, columns from the left; the bottom and right sides from the far
        // end.
        const int line = side.dRow == 1 || side.dColumn == -1 ? d : across - 1 - d;
        for (int i = 0; i < length; ++i) {
            const uint32_t p = rowsOfPixels
                                   ? image.argb[static_cast<size_t>(line) * image.width + i]
                                   : image.argb[static_cast<size_t>(i) * image.width + line];
            sum.red += (p >> 16) & 0xFF;
            sum.green += (p >> 8) & 0xFF;
            sum.blue += p & 0xFF;
        }
    }
    const double n = std::max(1, depth * length);
    return {sum.red / n, sum.green / n, sum.blue / n};
}

// How far the mean colour along a picture's side lies from that along the
// neighbour's facing side: the sum of the red, green and blue differences.
int seamDistance(const DecodedImage& picture, const DecodedImage& neighbour, const Side& side) {
    constexpr int depth = 2;
    const MeanColour a = edgeColour(picture, side, depth);
    const MeanColour b = edgeColour(neighbour, {-side.dRow, -side.dColumn, ""}, depth);
    return static_cast<int>(std::lround(std::abs(a.red - b.red) + std::abs(a.green - b.green) +
                                        std::abs(a.blue - b.blue)));
}

bool isOpenGround(int32_t code) { return !isSolid(code) && !isWater(code) && !isFramed(code); }

void checkSeams(const Data& data, Pictures& pictures, int row, int column, int32_t code,
                const std::string& what, Problems& problems) {
    const DecodedImage* picture = pictures.of(code);
    if (!picture) return;  // a missing picture is reported with the texture list
    std::string edges;
    int largest = 0;
    for (const Side& side : sides) {
        const int r = row + side.dRow, c = column + side.dColumn;
        if (r < 0 || r >= levelRows || c < 0 || c >= levelColumns) continue;
        if (!isOpenGround(data.level.cells[r][c])) continue;
        const DecodedImage* neighbour = pictures.of(data.level.cells[r][c]);
        if (!neighbour) continue;
        const int distance = seamDistance(*picture, *neighbour, side);
        if (distance <= seamTolerance) continue;
        edges += (edges.empty() ? "" : ", ") + std::string(side.name);
        largest = std::max(largest, distance);
    }
    if (!edges.empty()) {
        problems.push_back(std::string(levelFile) + ": " + what + " (code " + std::to_string(code) +
                           ") at " + cellName(row, column) +
                           " shows as a square against its neighbours (sides " + edges +
                           "; colour difference up to " + std::to_string(largest) + ", at most " +
                           std::to_string(seamTolerance) + ")");
    }
}

void checkSquares(const Data& data, const std::string& dir, Problems& problems) {
    Pictures pictures(dir, data);
    for (int row = 0; row < levelRows; ++row) {
        for (int column = 0; column < levelColumns; ++column) {
            const int32_t code = data.level.cells[row][column];
            const bool listed = isItem(code) || code == cellCheckpoint || code == cellOpened ||
                                code == cellDoor || code == cellGate;
            if (!listed || isFramed(code)) continue;
            checkSeams(data, pictures, row, column, code, "the picture", problems);
            const Item* item = findItem(data, code);
            if (item && isItem(code) && !isFramed(item->replacement)) {
                checkSeams(data, pictures, row, column, item->replacement,
                           "the replacement of the item", problems);
            }
        }
    }
}

// The highest picture number each movement routine shows.
int highestFrameShown(int32_t behaviour) {
    switch (behaviour) {
    case 0: return 7;  // patrol: 0..3 right, 4..7 left
    case 1: return 1;  // flyer: 0 left, 1 right
    case 2: return 3;  // animated flyer: 0..3
    case 3: return 3;  // bobbing patrol: 0,1 right, 2,3 left
    default: return -1;
    }
}

void checkEnemies(const Data& data, Problems& problems) {
    const int typeCount = static_cast<int>(data.enemyTypes.size());
    for (int t = 0; t < typeCount; ++t) {
        const EnemyType& type = data.enemyTypes[t];
        if (type.behaviour < 0 || type.behaviour > 3) {
            problems.push_back(std::string(enemyTextureList) + ": type " + std::to_string(t) +
                               " has the unknown behaviour " + std::to_string(type.behaviour));
        }
    }
    // A free slot is drawn as nothing but still holds type 0, frame 0.
    if (typeCount == 0 || data.enemyTypes[0].frames < 1) {
        problems.push_back(std::string(enemyTextureList) + ": type 0 needs at least one frame");
    }
    std::set<int32_t> reportedTypes;
    for (size_t i = 0; i < data.enemies.size(); ++i) {
        const EnemyRecord& e = data.enemies[i];
        const std::string who = std::string(enemiesFile) + ": enemy " + std::to_string(i);
        if (e.type < 0 || e.type >= typeCount) {
            problems.push_back(who + " has type " + std::to_string(e.type) + ", which " +
                               std::string(enemyTextureList) + " does not define");
            continue;
        }
        const EnemyType& type = data.enemyTypes[e.type];
        const int needed = highestFrameShown(type.behaviour) + 1;
        if (type.frames < needed && reportedTypes.insert(e.type).second) {
            problems.push_back(std::string(enemyTextureList) + ": type " + std::to_string(e.type) +
                               " shows frames 0 to " + std::to_string(needed - 1) +
                               " but lists only " + std::to_string(type.frames));
        }
        if (e.x < e.minX || e.x > e.maxX) {
            problems.push_back(who + " starts at x " + std::to_string(e.x) +
                               ", outside its bounds " + std::to_string(e.minX) + " to " +
                               std::to_string(e.maxX));
        }
        if (e.y < e.minY || e.y > e.maxY) {
            problems.push_back(who + " starts at y " + std::to_string(e.y) +
                               ", outside its bounds " + std::to_string(e.minY) + " to " +
                               std::to_string(e.maxY));
        }
    }
}

}  // namespace

std::vector<std::string> checkGameData(const std::string& gameDir, const Options& options) {
    Problems problems;
    Data data;
    readLevel(gameDir, data, problems);
    readGroundTextures(gameDir, data, problems);
    readEnemyTextures(gameDir, data, problems);
    readItems(gameDir, data, problems);
    readEnemies(gameDir, data, problems);
    if (!problems.empty()) return problems;  // unreadable files: the rest would only repeat it
    checkBorders(data, problems);
    checkCodes(data, options, gameDir, problems);
    if (options.checkPictureFiles) checkSquares(data, gameDir, problems);
    checkEnemies(data, problems);
    return problems;
}

}  // namespace levelcheck

}  // namespace tiefschacht
