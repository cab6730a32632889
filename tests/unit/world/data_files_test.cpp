// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>

#include "unit/world/test_support.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/highscore_file.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

using testsupport::ScratchFolder;
using worldtest::writeText;

namespace {
std::string enemyRecord(int type, const char* values) {
    // Values: x y minX maxY maxX minY speedX speedY
    std::string r = "Typ " + std::to_string(type);
    std::istringstream in(values);
    const char* labels[] = {"X", "Y", "MinX", "MaxY", "MaxX", "MinY", "SpeedX", "SpeedY"};
    std::string v;
    for (const char* l : labels) {
        in >> v;
        r += std::string(" ") + l + " " + v;
    }
    return r + "\n";
}

struct Slots {
    std::array<std::unique_ptr<Enemy>, enemySlotCount> slots;
    Slots() {
        for (auto& e : slots) e = std::make_unique<Enemy>(0.0f, 0.0f, 40.0f, 0, 0, 0, 0, 0);
    }
};
}  // namespace

TEST(WorldEnemyFile, RecordsFillSlotsInOrderAndSpeedsSetVelocities) {
    ScratchFolder dir;
    writeText("Data/Enemies1.txt",
              "Anzahl 0x2\n" + enemyRecord(3, "1.5 -2 -10 5 10 -5 -0.5 0.25") +
                  // One record split over lines, with a hexadecimal type.
                  "Typ\n0xF X 4\nY 6 MinX 0 MaxY 9\nMaxX 8 MinY 1 SpeedX 2 SpeedY 3\n");
    Slots s;
    s.slots[2]->position.x = 99.0f;  // beyond the file: left alone

    readEnemies("Data/Enemies1.txt", s.slots);

    const Enemy& a = *s.slots[0];
    EXPECT_EQ(a.active, 1);
    EXPECT_EQ(a.type, 3);
    EXPECT_FLOAT_EQ(a.position.x, 1.5f);
    EXPECT_FLOAT_EQ(a.position.y, -2.0f);
    EXPECT_FLOAT_EQ(a.position.z, 40.0f);
    EXPECT_FLOAT_EQ(a.minX, -10.0f);
    EXPECT_FLOAT_EQ(a.maxY, 5.0f);
    EXPECT_FLOAT_EQ(a.maxX, 10.0f);
    EXPECT_FLOAT_EQ(a.minY, -5.0f);
    EXPECT_FLOAT_EQ(a.speedX, -0.5f);
    EXPECT_FLOAT_EQ(a.velocityX, -0.5f);
    EXPECT_FLOAT_EQ(a.speedY, 0.25f);
    EXPECT_FLOAT_EQ(a.velocityY, 0.25f);
    const Enemy& b = *s.slots[1];
    EXPECT_EQ(b.active, 1);
    EXPECT_EQ(b.type, 15);
    EXPECT_FLOAT_EQ(b.position.x, 4.0f);
    EXPECT_FLOAT_EQ(b.minY, 1.0f);
    EXPECT_FLOAT_EQ(b.velocityY, 3.0f);
    EXPECT_EQ(s.slots[2]->active, 0);
    EXPECT_EQ(s.slots[2]->position.x, 99.0f);
}

TEST(WorldEnemyFile, FailedConversionKeepsThePreviousRecordsValue) {
    ScratchFolder dir;
    // The second record is cut off after its x: the file ends.
    writeText("Data/Enemies1.txt", "N 2\n" + enemyRecord(2, "1 2 3 4 5 6 7 8") + "Typ 1 X 9 Y");
    Slots s;
    readEnemies("Data/Enemies1.txt", s.slots);

    const Enemy& e = *s.slots[1];
    EXPECT_EQ(e.active, 1);
    EXPECT_EQ(e.type, 1);
    EXPECT_FLOAT_EQ(e.position.x, 9.0f);
    EXPECT_FLOAT_EQ(e.position.y, 2.0f);
    EXPECT_FLOAT_EQ(e.minX, 3.0f);
    EXPECT_FLOAT_EQ(e.minY, 6.0f);
    EXPECT_FLOAT_EQ(e.speedY, 8.0f);
    EXPECT_FLOAT_EQ(e.velocityX, 7.0f);

    // The values start at 0 for every file, not from the last read.
    writeText("Data/Enemies1.txt", "N 1 Typ 4");
    readEnemies("Data/Enemies1.txt", s.slots);
    EXPECT_EQ(s.slots[0]->type, 4);
    EXPECT_FLOAT_EQ(s.slots[0]->position.x, 0.0f);
    EXPECT_FLOAT_EQ(s.slots[0]->speedX, 0.0f);
}

TEST(WorldEnemyFile, ANegativeCountMakesNoEnemy) {
    ScratchFolder dir;
    writeText("Data/Enemies1.txt", "N -4\n" + enemyRecord(1, "1 1 1 1 1 1 1 1"));
    Slots fresh;
    readEnemies("Data/Enemies1.txt", fresh.slots);
    for (auto& e : fresh.slots) EXPECT_EQ(e->active, 0);
}

// A file that announces more records than it holds: the records it does not
// hold are not made (no repeat of the last one), and one warning names the
// file and the line where it ends.
TEST(WorldEnemyFile, RecordsTheFileDoesNotHoldAreNotMade) {
    ScratchFolder dir;
    std::string text = "Anzahl 100\n";
    for (int i = 0; i < 32; ++i) text += enemyRecord(1, "1 2 3 4 5 6 7 8");
    writeText("Data/Enemies1.txt", text);
    Slots s;
    testing::internal::CaptureStderr();
    readEnemies("Data/Enemies1.txt", s.slots);
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_EQ(s.slots[31]->active, 1);
    EXPECT_EQ(s.slots[32]->active, 0);
    EXPECT_EQ(err,
              "tiefschacht: Data/Enemies1.txt: line 33: the file ends after 32 of the 100 "
              "enemies it announces\n");

    // Every new game reads the file again; its fault is named only once.
    testing::internal::CaptureStderr();
    readEnemies("Data/Enemies1.txt", s.slots);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

// An enemy of a type outside the table would be neither drawn nor moved, yet
// kill by touch: its record is read but the enemy stays inactive.
TEST(WorldEnemyFile, AnEnemyOfATypeOutsideTheTableStaysInactive) {
    ScratchFolder dir;
    writeText("Data/Enemies1.txt", "N 3\n" + enemyRecord(2, "1 2 3 4 5 6 7 8") +
                                       enemyRecord(16, "9 2 3 4 5 6 7 8") +
                                       enemyRecord(-1, "1 2 3 4 5 6 7 8"));
    Slots s;
    testing::internal::CaptureStderr();
    readEnemies("Data/Enemies1.txt", s.slots);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.slots[0]->active, 1);
    EXPECT_EQ(s.slots[1]->active, 0);
    EXPECT_FLOAT_EQ(s.slots[1]->position.x, 9.0f);
    EXPECT_EQ(s.slots[2]->active, 0);
    EXPECT_EQ(err,
              "tiefschacht: Data/Enemies1.txt: line 3: enemy 2 has the type 16, which no enemy "
              "has (0 to 15); it stays inactive\n");
}

TEST(WorldItemFile, EntriesAndLimits) {
    ScratchFolder dir;
    writeText("Data/Items.txt",
              "Anzahl 2\n"
              "Code 25 Ersatz 0 Aktion 2 Punkte 0\n"
              "Code 031 Ersatz 0x4 Aktion -1 Punkte\n+500\n");
    readItems("Data/Items.txt");
    EXPECT_EQ(itemTable.count, 2);
    EXPECT_EQ(itemTable.code[0], 25);
    EXPECT_EQ(itemTable.replacement[0], 0);
    EXPECT_EQ(itemTable.action[0], 2);
    EXPECT_EQ(itemTable.points[0], 0);
    EXPECT_EQ(itemTable.code[1], 25);  // octal 031
    EXPECT_EQ(itemTable.replacement[1], 4);
    EXPECT_EQ(itemTable.action[1], -1);
    EXPECT_EQ(itemTable.points[1], 500);

    itemTable = ItemTable{};
    writeText("Data/Items.txt", "Anzahl -3 C 1 R 1 A 1 P 1");
    testing::internal::CaptureStderr();
    readItems("Data/Items.txt");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(itemTable.count, 0);
    EXPECT_EQ(itemTable.code[0], 0);
    EXPECT_EQ(err, "tiefschacht: Data/Items.txt: line 1: announces -3 items; none are read\n");

    // The count as the file writes it, not as it wraps to 32 bits.
    writeText("Data/Items.txt", "Anzahl 4294967297 C 1 R 1 A 1 P 1");
    testing::internal::CaptureStderr();
    readItems("Data/Items.txt");
    err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(itemTable.count, 1);
    EXPECT_NE(err.find("\"4294967297\""), std::string::npos) << err;
}

// Garbage where a number belongs keeps the value as it was (the format's
// tolerance) and gets one warning with the line of the first fault.
TEST(WorldItemFile, DamageIsNamedOnceWithItsLine) {
    ScratchFolder dir;
    writeText("Data/Items.txt",
              "Anzahl 2\nCode 25 Ersatz 0 Aktion 2 Punkte 0\nCode 26 Ersatz 0 Aktion ?? "
              "Punkte 5\n");
    itemTable.action[1] = 77;
    testing::internal::CaptureStderr();
    readItems("Data/Items.txt");
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(itemTable.count, 2);
    EXPECT_EQ(itemTable.code[1], 26);
    EXPECT_EQ(itemTable.action[1], 77);
    EXPECT_EQ(err, "tiefschacht: Data/Items.txt: line 3: \"??\" stands where a number belongs\n");
}

TEST(WorldDataFilesDeathTest, MissingFilesEndTheProgramNamingThem) {
    ScratchFolder dir;
    Slots s;
    EXPECT_EXIT(readEnemies("Data/Enemies1.txt", s.slots), testing::ExitedWithCode(1),
                "Data/Enemies1.txt");
    EXPECT_EXIT(readItems("Data/Items.txt"), testing::ExitedWithCode(1), "Data/Items.txt");
    EXPECT_EXIT(readHighscores("Data/Highscore.txt"), testing::ExitedWithCode(1),
                "Data/Highscore.txt");
}

// Every count a data file announces is read up to its table's capacity
// exactly: one below and at the capacity everything is read without a word,
// above the capacity fills the table (and no slot beyond it) and the rest
// is named once.
TEST(WorldDataFiles, EachCountIsReadUpToItsCapacityExactly) {
    struct Kind {
        const char* file;
        int capacity;
        std::string (*text)(int n);  // a file announcing and holding n records
        int (*filled)(int n);        // how many of them are in the table
    };
    static Slots enemies;
    static std::unique_ptr<World> world;
    const Kind kinds[] = {
        {"Data/Items.txt", itemCapacity,
         [](int n) {
             std::string t = "Anzahl " + std::to_string(n) + "\n";
             for (int i = 0; i < n; ++i) t += "C " + std::to_string(i + 1) + " R 0 A 0 P 1\n";
             return t;
         },
         [](int) {
             readItems("Data/Items.txt");
             return itemTable.count;
         }},
        {"Data/Enemies1.txt", enemySlotCount,
         [](int n) {
             std::string t = "N " + std::to_string(n) + "\n";
             for (int i = 0; i < n; ++i) t += enemyRecord(0, "1 1 1 1 1 1 1 1");
             return t;
         },
         [](int) {
             for (auto& e : enemies.slots) e->active = false;
             readEnemies("Data/Enemies1.txt", enemies.slots);
             return static_cast<int>(std::count_if(enemies.slots.begin(), enemies.slots.end(),
                                                   [](const auto& e) { return e->active; }));
         }},
        {"Data/GroundTextures.txt", groundTextureCapacity,
         [](int n) {
             std::string t = "Anzahl " + std::to_string(n) + "\n";
             for (int i = 0; i < n; ++i) t += "Graphics/g" + std::to_string(i) + ".bmp\n";
             return t;
         },
         [](int) {
             world = std::make_unique<World>();
             return static_cast<int>(std::count_if(world->groundTextures.begin(),
                                                   world->groundTextures.end(),
                                                   [](const auto& s) { return s != nullptr; }));
         }},
        {"Data/EnemyTextures.txt", enemyTypeCapacity,
         [](int n) {
             std::string t = "Typen " + std::to_string(n) + "\n";
             for (int i = 0; i < n; ++i) t += "Bilder 1 V 0 B 0 Graphics/e.bmp\n";
             return t;
         },
         [](int) {
             world = std::make_unique<World>();
             int types = 0;
             for (int t = 0; t < enemyTypeCapacity; ++t)
                 types +=
                     world->enemyTextures[static_cast<size_t>(t * enemyFrameCapacity)] != nullptr;
             return types;
         }},
        {"Data/EnemyTextures.txt", enemyFrameCapacity,
         [](int n) {
             std::string t = "Typen 1\nBilder " + std::to_string(n) + " V 0 B 0\n";
             for (int i = 0; i < n; ++i) t += "Graphics/e" + std::to_string(i) + ".bmp\n";
             return t;
         },
         [](int) {
             world = std::make_unique<World>();
             // Every slot: none past the type's own row is filled.
             return static_cast<int>(std::count_if(world->enemyTextures.begin(),
                                                   world->enemyTextures.end(),
                                                   [](const auto& s) { return s != nullptr; }));
         }},
    };
    ScratchFolder dir;
    for (const Kind& kind : kinds) {
        for (int n : {kind.capacity - 1, kind.capacity, kind.capacity + 1, kind.capacity + 8}) {
            worldtest::writeTextureLists();
            writeText(kind.file, kind.text(n));
            itemTable = ItemTable{};
            testing::internal::CaptureStderr();
            const int filled = kind.filled(n);
            const std::string err = testing::internal::GetCapturedStderr();
            EXPECT_EQ(filled, std::min(n, kind.capacity)) << kind.file << " with " << n;
            // One warning about the list, however many names it has too many.
            const std::string atMost = "at most " + std::to_string(kind.capacity) + " fit";
            EXPECT_EQ(err.find(atMost) != std::string::npos, n > kind.capacity)
                << kind.file << " with " << n << ": " << err;
            EXPECT_EQ(err.find(kind.file), err.rfind(kind.file)) << err;
        }
    }
    world.reset();
}
