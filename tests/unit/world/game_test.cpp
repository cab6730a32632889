// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "services/camera.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"
#include "unit/world/test_support.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

using namespace worldtest;

namespace {
// The generator written out from its definition, independent of the game's.
struct Reference {
    uint64_t state = 1;
    int next() {
        state = (state * 214013 + 2531011) % 4294967296ull;
        return static_cast<int>((state >> 16) & 0x7FFF);
    }
};

void expectButton(const Game& g, int slot, const char* label, float x, float y, int segments,
                  float offset) {
    SCOPED_TRACE(slot);
    ASSERT_TRUE(g.buttons[slot]);
    const Button& b = *g.buttons[slot];
    EXPECT_STREQ(b.label.data(), label);
    EXPECT_EQ(b.position->x, x);
    EXPECT_EQ(b.position->y, y);
    EXPECT_EQ(b.position->z, 60.0f);
    EXPECT_EQ(b.segments, segments);
    EXPECT_EQ(b.labelOffset, offset);
    EXPECT_EQ(b.pressed, 0);
}

void expectAllButtons(const Game& g) {
    const std::string more = std::string("Weitere Games unter : ") + webSiteHost;
    expectButton(g, 0, "Spielen", -13.0f, 4.0f, 16, 0.38f);
    expectButton(g, 1, more.c_str(), -13.0f, -6.0f, 16, 0.06f);
    expectButton(g, 2, "Spielanleitung lesen", -13.0f, -1.0f, 16, 0.27f);
    expectButton(g, 3, more.c_str(), -13.0f, 2.0f, 16, 0.06f);
    expectButton(g, 4, "Spiel beenden", -13.0f, -3.0f, 16, 0.3f);
    expectButton(g, 5, "Spiel starten", -4.15f, -22.0f, 6, 0.03f);
    expectButton(g, 6, "Highscoreliste", -17.5f, -22.0f, 6, 0.02f);
    expectButton(g, 7, "Spiel beenden", 22.0f, -22.0f, 6, 0.03f);
    expectButton(g, 8, "OK", -6.5f, -17.0f, 8, 0.17f);
    expectButton(g, 9, webSiteHost, 9.0f, -22.0f, 6, -0.02f);
    expectButton(g, 10, "Spielanleitung", -31.2f, -22.0f, 6, 0.02f);
    for (int slot = 11; slot < buttonSlotCount; ++slot) EXPECT_FALSE(g.buttons[slot]);
}
}  // namespace

TEST(WorldRandom, FollowsTheClassicGeneratorAndStaysBelowB) {
    // The well-known first numbers of this generator from state 1.
    EXPECT_EQ(rng.next(), 41);
    EXPECT_EQ(rng.next(), 18467);
    EXPECT_EQ(rng.next(), 6334);
    rng = RandomGenerator{};
    Reference ref;
    for (int i = 0; i < 1000; ++i) {
        const int r = ref.next();
        // With a = 0 and b = 32767 the value is r itself, except r = 32767.
        EXPECT_EQ(randomFloat(0.0f, 32767.0f), r == 32767 ? 0.0f : static_cast<float>(r));
    }
    // r = 32767 gives a, never b: find such a draw and take it.
    rng = RandomGenerator{};
    ref = Reference{};
    int i = 0;
    while (ref.next() != 32767 && i < 200000) {
        rng.next();
        ++i;
    }
    ASSERT_LT(i, 200000);
    EXPECT_EQ(randomFloat(-2.0f, 5.0f), -2.0f);
}

TEST(WorldGame, ConstructionReadsEverythingAndOffsetsTheRandomSequence) {
    ScratchFolder dir;
    writeGameFiles();
    level.levelOrigin.y = 77.0f;

    Game game;

    expectAllButtons(game);
    ASSERT_TRUE(game.world);
    ASSERT_TRUE(game.hero);
    EXPECT_EQ(game.hero->position.x, 0.0f);
    EXPECT_EQ(game.hero->position.y, 1.0f);
    EXPECT_EQ(game.hero->position.z, 40.0f);
    EXPECT_EQ(game.hero->active, 1);
    EXPECT_EQ(level.levelOrigin.y, -380.0f);

    // Slot 0 from the file; all other 249 slots free at (0, 0, 40).
    const Enemy& first = *game.enemies[0];
    EXPECT_EQ(first.active, 1);
    EXPECT_EQ(first.type, 2);
    EXPECT_EQ(first.velocityX, 0.5f);
    for (int i = 1; i < enemySlotCount; ++i) {
        ASSERT_TRUE(game.enemies[i]);
        const Enemy& e = *game.enemies[i];
        EXPECT_EQ(e.active, 0);
        EXPECT_EQ(e.position.x, 0.0f);
        EXPECT_EQ(e.position.y, 0.0f);
        EXPECT_EQ(e.position.z, 40.0f);
        EXPECT_EQ(e.speedX + e.speedY + e.velocityX + e.velocityY + e.minX + e.maxX, 0.0f);
    }
    EXPECT_EQ(itemTable.count, 1);
    EXPECT_EQ(itemTable.action[0], 2);
    EXPECT_STREQ(highscoreTable.names[9].data(), "SPIELER9");
    EXPECT_EQ(highscoreTable.scores[0], 100);

    // The first number play draws is the 15001st of the sequence.
    Reference ref;
    for (int i = 0; i < 15000; ++i) ref.next();
    for (int k = 0; k < 5; ++k) {
        const int r = ref.next();
        const double want = -1.0 + r * 2.0 / 32767.0;
        const float got = randomFloat(-1.0f, 1.0f);
        EXPECT_NEAR(got, want, 1e-6) << "draw " << k;
        EXPECT_LT(got, 1.0f);
    }
}

TEST(WorldGame, BareGameHasTheSameRecordsWithoutReadingOrDrawing) {
    ScratchFolder dir;  // no files at all
    Game game{BareTag{}};
    expectAllButtons(game);
    for (const auto& e : game.enemies) ASSERT_TRUE(e);
    EXPECT_TRUE(game.hero);
    EXPECT_TRUE(game.world);
    EXPECT_EQ(rng.state, 1u);
}

TEST(WorldGameDeathTest, MissingLevelEndsTheConstruction) {
    ScratchFolder dir;
    writeGameFiles();
    std::filesystem::remove("Data/Level1.txt");
    EXPECT_EXIT({ Game g; }, testing::ExitedWithCode(1), "Data/Level1.txt");
}

TEST(WorldProjection, ThroughViewProjectionAndTheScreenSize) {
    settings.screenWidth = 800;
    settings.screenHeight = 600;
    Mat4 m = Mat4::identity();
    m.m[2][3] = 1.0f;  // w = z
    m.m[3][3] = 0.0f;
    m.m[3][0] = 10.0f;  // translation row moves x
    graphics.viewProjection = m;
    ScreenPoint p = projectToScreen({10.0f, -5.0f, 20.0f});
    EXPECT_FLOAT_EQ(p.x, 800.0f);  // (10 + 10) / 20 = 1: right edge
    EXPECT_FLOAT_EQ(p.y, 375.0f);  // y' / w = -0.25: below the middle

    // The game's camera: the centre of the menu plane is the screen centre.
    settings.screenWidth = 1024;
    settings.screenHeight = 768;
    graphics.viewProjection =
        matrixMultiply(matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0}),
                       matrixPerspectiveFovLH(3.14159265f / 4, 1024.0f / 768.0f, 1.0f, 1000.0f));
    p = projectToScreen({0.0f, 0.0f, 60.0f});
    EXPECT_NEAR(p.x, 512.0f, 1e-3);
    EXPECT_NEAR(p.y, 384.0f, 1e-3);
    // Up in the world is up on the screen (smaller y).
    EXPECT_LT(projectToScreen({0.0f, 5.0f, 60.0f}).y, 384.0f);
}
