// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "unit/play/fixture.hpp"

#include <cstring>

#include "drawing/quad.hpp"
#include "drawing/text_font.hpp"
#include "play/draw_play.hpp"
#include "support/software_device.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
// A draw as these tests look at it: where, with which picture, blend and addressing.
struct DrawnQuad {
    Vec3 at;
    const Texture* texture = nullptr;
    uint32_t srcBlend = 0, destBlend = 0, addressU = 0, addressV = 0;
};

struct Draw : PlayFixture {
    Draw() {
        auto d = testsupport::makeSoftwareDevice(800, 600);
        device = d.get();
        graphics = Graphics{};
        graphics.device = std::move(d);
        World& w = *game.world;
        createQuadBuffer();
        for (int i = 0; i < 100; ++i) w.groundTextures[i] = picture();
        for (auto& t : w.waterTextures) t = picture();
        for (auto& t : w.heroTextures) t = picture();
        for (int i = 0; i < 8; ++i) w.enemyTextures[22 + i] = picture();
        w.keyTexture = picture();
        enemyTypeTable.entries[1].blend = 0;
        enemyTypeTable.entries[2].blend = 1;
    }
    ~Draw() override {
        releaseQuadBuffer();
        graphics = Graphics{};
    }

    std::unique_ptr<SpriteTexture> picture() const {
        auto s = std::make_unique<SpriteTexture>();
        EXPECT_EQ(
            device->createTexture(1, 1, 1, 0, PixelFormat::A8R8G8B8, Pool::Managed, s->texture),
            StatusOk);
        return s;
    }
    // The draws since the last present.
    std::vector<DrawnQuad> draws() const {
        std::vector<DrawnQuad> out;
        for (const DrawRecord& d : device->drawLog())
            out.push_back({{d.world().m[3][0], d.world().m[3][1], d.world().m[3][2]},
                           d.texture(),
                           d.renderState(RenderState::SrcBlend),
                           d.renderState(RenderState::DestBlend),
                           d.samplerState(SamplerState::AddressU),
                           d.samplerState(SamplerState::AddressV)});
        return out;
    }
    const Texture* hero(int slot) const { return game.world->heroTextures[slot]->texture.get(); }
    const Texture* ground(int code) const {
        return game.world->groundTextures[code]->texture.get();
    }
    const Texture* water(int slot) const { return game.world->waterTextures[slot]->texture.get(); }
    // The hero pictures drawn on the play plane, as slot numbers.
    std::vector<int> heroSlotsDrawn() const {
        std::vector<int> slots;
        for (const DrawnQuad& q : draws())
            for (int s = 0; s < heroTextureCount; ++s)
                if (q.texture == hero(s) && q.at.z == playPlaneZ) slots.push_back(s);
        return slots;
    }
    std::vector<DrawnQuad> drawsAt(float x, float y, float z) const {
        std::vector<DrawnQuad> found;
        for (const DrawnQuad& q : draws())
            if (q.at.x == x && q.at.y == y && q.at.z == z) found.push_back(q);
        return found;
    }
    void redraw() {
        device->present();
        drawPlay(game);
    }

    testsupport::TestSoftwareDevice* device = nullptr;
};
}  // namespace

TEST_F(Draw, AQuadDrawsWithItsStatesAndPutsTheDeviceBack) {
    auto restored = [&] {
        EXPECT_EQ(device->getTexture(0), nullptr);
        EXPECT_EQ(device->getRenderState(RenderState::AlphaBlendEnable), 0u);
        EXPECT_EQ(device->getRenderState(RenderState::Lighting), 1u);
        EXPECT_EQ(device->getRenderState(RenderState::ZEnable), 1u);
    };
    drawQuad({1.5f, -2.0f, 40.0f}, game.world->keyTexture.get());
    ASSERT_EQ(device->drawLog().size(), 1u);
    const DrawRecord& alpha = device->drawLog()[0];
    EXPECT_EQ(alpha.type, PrimitiveType::TriangleStrip);
    EXPECT_EQ(alpha.primitiveCount, 2u);
    EXPECT_EQ(alpha.fvf, FvfQuadVertex);
    EXPECT_EQ(alpha.stride, 24u);
    EXPECT_EQ(alpha.texture(), game.world->keyTexture->texture.get());
    EXPECT_EQ(alpha.renderState(RenderState::Lighting), 0u);
    EXPECT_EQ(alpha.renderState(RenderState::ZEnable), 0u);
    EXPECT_EQ(alpha.renderState(RenderState::AlphaBlendEnable), 1u);
    EXPECT_EQ(alpha.renderState(RenderState::SrcBlend), BlendSrcAlpha);
    EXPECT_EQ(alpha.renderState(RenderState::DestBlend), BlendInvSrcAlpha);
    EXPECT_FLOAT_EQ(alpha.world().m[3][0], 1.5f);
    EXPECT_FLOAT_EQ(alpha.world().m[3][1], -2.0f);
    EXPECT_FLOAT_EQ(alpha.world().m[3][2], 40.0f);
    EXPECT_FLOAT_EQ(alpha.world().m[0][0], 1.0f);
    restored();

    device->present();
    drawQuadAdditive({0.0f, 0.0f, 60.0f}, nullptr);
    ASSERT_EQ(device->drawLog().size(), 1u);
    const DrawRecord& additive = device->drawLog()[0];
    EXPECT_EQ(additive.texture(), nullptr);  // no picture: an untextured square
    EXPECT_EQ(additive.renderState(RenderState::AlphaBlendEnable), 1u);
    EXPECT_EQ(additive.renderState(RenderState::SrcBlend), BlendOne);
    EXPECT_EQ(additive.renderState(RenderState::DestBlend), BlendOne);
    EXPECT_FLOAT_EQ(additive.world().m[3][2], 60.0f);
    restored();
}

TEST_F(Draw, DrawingChangesNothingOfTheGame) {
    placeEnemy(0, 1, 3.0f, 3.0f).frame = 22;
    play.lives = 2;
    const PlayState before = play;
    const Vec3 hero = game.hero->position;
    redraw();
    graphics.device.reset();
    drawPlay(game);
    EXPECT_EQ(std::memcmp(&play, &before, sizeof play), 0);
    EXPECT_EQ(game.hero->position.x, hero.x);
    EXPECT_EQ(enemy(0).position.x, 3.0f);
}

TEST_F(Draw, TheStartOfAGameShowsRows382To399WithRow399AtTheTop) {
    fillRow(399, 7);
    fillRow(382, 8);
    fillRow(381, 9);
    drawTileGrid(*game.world, level.levelOrigin);
    const std::vector<DrawnQuad> drawn = draws();
    ASSERT_EQ(drawn.size(), 18u * 22u);
    const DrawnQuad& first = drawn.front();
    EXPECT_FLOAT_EQ(first.at.x, -21.0f);  // column 0, row 382: columns outside
    EXPECT_FLOAT_EQ(first.at.y, -17.0f);
    EXPECT_EQ(first.texture, ground(8));
    EXPECT_FLOAT_EQ(drawn[17].at.y, 17.0f);  // row 399 ends the first column
    EXPECT_EQ(drawn[17].texture, ground(7));
    EXPECT_FLOAT_EQ(drawn[18].at.x, -19.0f);
    EXPECT_FLOAT_EQ(drawn.back().at.x, 21.0f);
    for (const DrawnQuad& q : drawn) {
        EXPECT_NE(q.texture, ground(9));
        EXPECT_EQ(q.addressU, AddressClamp);
        EXPECT_EQ(q.addressV, AddressClamp);
    }
    EXPECT_EQ(device->getSamplerState(0, SamplerState::AddressU), AddressWrap);
    EXPECT_EQ(device->getSamplerState(0, SamplerState::AddressV), AddressWrap);
}

TEST_F(Draw, TheCullingWindowIsStrict) {
    level.levelOrigin.y = -381.0f;  // rows centred on odd y: row 399 at 16, row 381 at -18
    drawTileGrid(*game.world, level.levelOrigin);
    EXPECT_EQ(draws().size(), 17u * 22u);
    EXPECT_TRUE(drawsAt(-21.0f, -18.0f, 40.0f).empty());
    EXPECT_EQ(drawsAt(-21.0f, 16.0f, 40.0f).size(), 1u);
}

TEST_F(Draw, WaterGetsItsOverlayAddedOnTopByTheCounter) {
    level.tileGrid[391][10] = cellWater;
    level.tileGrid[391][11] = cellStillWater;
    for (auto [counter, slot] : {std::pair{128, 7}, {119, 7}, {118, 6}, {16, 0}, {0, 0}}) {
        device->present();
        play.animCounter = counter;
        drawTileGrid(*game.world, level.levelOrigin);
        auto animated = drawsAt(-1.0f, 1.0f, 40.0f);
        ASSERT_EQ(animated.size(), 2u);
        EXPECT_EQ(animated[0].texture, ground(cellWater));
        EXPECT_EQ(animated[1].texture, water(slot)) << counter;
        EXPECT_EQ(animated[1].srcBlend, BlendOne);
        EXPECT_EQ(animated[1].destBlend, BlendOne);
        auto still = drawsAt(1.0f, 1.0f, 40.0f);
        ASSERT_EQ(still.size(), 2u);
        EXPECT_EQ(still[1].texture, water(8));
    }
}

TEST_F(Draw, CodesWithoutAPictureDrawUntexturedSquares) {
    level.tileGrid[391][0] = 600;
    level.tileGrid[391][1] = -3;
    level.tileGrid[391][2] = 150;  // inside the table, no picture loaded
    level.tileGrid[391][3] = INT32_MIN;
    drawTileGrid(*game.world, level.levelOrigin);
    for (float x : {-21.0f, -19.0f, -17.0f, -15.0f}) {
        auto q = drawsAt(x, 1.0f, 40.0f);
        ASSERT_EQ(q.size(), 1u) << x;
        EXPECT_EQ(q[0].texture, nullptr) << x;
    }
}

TEST_F(Draw, TheHeroPictureFollowsHisState) {
    struct Case {
        const char* what;
        PlayState state;
        std::vector<int> slots;
    } const cases[] = {
        {"standing", {}, {0}},
        {"holding a ladder", {.onLadder = true}, {9}},
        {"walking left", {.walkingLeft = true, .animCounter = 70}, {6}},
        {"walking right", {.walkingRight = true, .animCounter = 10}, {4}},
        {"both keys", {.walkingLeft = true, .walkingRight = true}, {1}},
        {"climbing", {.onLadder = true, .climbingUp = true, .animCounter = 40}, {11}},
        {"jump off a ladder", {.onLadder = true, .walkingRight = true, .animCounter = 100}, {9, 1}},
        {"swimming left", {.walkingLeft = true, .inWater = true}, {17}},
        {"swimming right", {.walkingRight = true, .inWater = true, .animCounter = 0}, {16}},
        {"floating", {.inWater = true, .animCounter = 65}, {21}},
        {"floating low", {.inWater = true, .animCounter = 64}, {22}},
        {"dying",
         {.onLadder = true,
          .climbingUp = true,
          .walkingLeft = true,
          .inWater = true,
          .deathTimer = 12},
         {23}},
    };
    for (const Case& c : cases) {
        play = c.state;
        redraw();
        EXPECT_EQ(heroSlotsDrawn(), c.slots) << c.what;
    }
}

TEST_F(Draw, EnemiesInViewAreDrawnByTheirTypesBlending) {
    placeEnemy(0, 1, 22.9f, 0.0f).frame = 22;
    placeEnemy(1, 1, 23.0f, 0.0f).frame = 22;   // at the edge: not in view
    placeEnemy(2, 1, 0.0f, -18.0f).frame = 22;  // the same below
    placeEnemy(3, 2, -4.0f, 4.0f).frame = 23;   // additive type
    placeEnemy(4, 1, 4.0f, 4.0f).frame = 30;    // a frame without a picture
    placeEnemy(5, 16, 6.0f, 4.0f);              // a type outside the table
    placeEnemy(6, 1, 7.0f, 4.0f).frame = 352;   // a frame outside the table
    placeEnemy(7, 1, 8.0f, 4.0f).frame = -1;
    enemy(8).position = {9.0f, 4.0f, 40.0f};  // a free slot in view
    // Tiles are centred on odd coordinates; the enemies stand at y 4.
    redraw();
    EXPECT_EQ(drawsAt(22.9f, 0.0f, 40.0f).size(), 1u);
    EXPECT_TRUE(drawsAt(23.0f, 0.0f, 40.0f).empty());
    EXPECT_TRUE(drawsAt(0.0f, -18.0f, 40.0f).empty());
    auto additive = drawsAt(-4.0f, 4.0f, 40.0f);
    ASSERT_EQ(additive.size(), 1u);
    EXPECT_EQ(additive[0].destBlend, BlendOne);
    EXPECT_EQ(additive[0].addressU, AddressClamp);
    auto blank = drawsAt(4.0f, 4.0f, 40.0f);
    ASSERT_EQ(blank.size(), 1u);
    EXPECT_EQ(blank[0].texture, nullptr);
    EXPECT_EQ(blank[0].destBlend, BlendInvSrcAlpha);
    for (float x : {6.0f, 7.0f, 8.0f, 9.0f}) EXPECT_TRUE(drawsAt(x, 4.0f, 40.0f).empty()) << x;
}

TEST_F(Draw, SpareLivesAndKeysLineUpInTheCorners) {
    play.lives = 3;
    play.keyCount = 2;
    redraw();
    for (float x : {-31.0f, -29.0f, -27.0f}) {
        auto life = drawsAt(x, 23.0f, 60.0f);
        ASSERT_EQ(life.size(), 1u) << x;
        EXPECT_EQ(life[0].texture, hero(0));
        EXPECT_EQ(life[0].addressU, AddressClamp);
    }
    EXPECT_TRUE(drawsAt(-25.0f, 23.0f, 60.0f).empty());
    for (float x : {-31.0f, -29.0f}) {
        auto key = drawsAt(x, -22.0f, 60.0f);
        ASSERT_EQ(key.size(), 1u) << x;
        EXPECT_EQ(key[0].texture, game.world->keyTexture->texture.get());
        EXPECT_EQ(key[0].addressU, AddressWrap);  // drawn without clamping
    }
    EXPECT_TRUE(drawsAt(-27.0f, -22.0f, 60.0f).empty());

    play.lives = 0;
    play.keyCount = -2;
    redraw();
    for (const DrawnQuad& q : draws()) EXPECT_NE(q.at.z, 60.0f);
}

TEST_F(Draw, ThePlayScreenDrawsLevelHeroEnemiesLivesAndKeysInOrder) {
    placeEnemy(0, 1, 3.0f, 3.0f).frame = 22;
    play.lives = 1;
    play.keyCount = 1;
    redraw();
    // Level, hero, enemies, lives, keys.
    const std::vector<DrawnQuad> d = draws();
    ASSERT_EQ(d.size(), 18u * 22u + 4u);
    EXPECT_EQ(d[396].texture, hero(0));
    EXPECT_FLOAT_EQ(d[396].at.z, 40.0f);
    EXPECT_FLOAT_EQ(d[397].at.x, 3.0f);
    EXPECT_FLOAT_EQ(d[398].at.z, 60.0f);
    EXPECT_EQ(d[399].texture, game.world->keyTexture->texture.get());
}

TEST_F(Draw, OnlyTheDeadPictureWhileDyingThroughAWholePlayFrame) {
    floorAt(390);
    placeEnemy(0, 1, -1.0f, 1.0f).frame = 22;
    enemy(0).minX = -5.0f;
    enemy(0).maxX = 5.0f;
    for (int f = 0; f < 39; ++f) {
        frames(1, {.right = true});
        redraw();
        EXPECT_EQ(heroSlotsDrawn(), std::vector<int>{23}) << f;
    }
    frames(1, {.right = true});  // the respawn frame draws the living hero
    redraw();
    EXPECT_EQ(play.deathTimer, 0);
    EXPECT_NE(heroSlotsDrawn(), std::vector<int>{23});
}
