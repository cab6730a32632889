// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

#include "drawing/quad.hpp"
#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "platform/software/graphics_system.hpp"
#include "services/graphics.hpp"
#include "support/stand_in_device.hpp"
#include "unit/world/test_support.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

using namespace worldtest;
using testsupport::StandInDevice;
using testsupport::StandInTexture;
using testsupport::StandInVertexBuffer;

namespace {
// Installs a stand-in device and decoder for one test.
struct Stand {
    StandInDevice* device;
    FakeDecoder* decoder;
    Stand() {
        auto d = std::make_unique<StandInDevice>();
        device = d.get();
        graphics.device = std::move(d);
        auto i = std::make_unique<FakeDecoder>();
        decoder = i.get();
        platformLayer.images = std::move(i);
    }
    ~Stand() {
        platformLayer.images.reset();
        graphics.device.reset();
    }
};

const StandInTexture& fake(const SpriteTexture& s) {
    return static_cast<const StandInTexture&>(*s.texture);
}
}  // namespace

TEST(WorldColourKey, OnlyOpaquePureBlackBecomesTransparent) {
    uint32_t px[] = {0xFF000000u, 0xFF010000u, 0xFF000001u, 0xFF000100u,
                     0x00000000u, 0x80000000u, 0xFFFFFFFFu, 0xFE000000u};
    applyColourKey(px, std::size(px));
    EXPECT_THAT(px, testing::ElementsAre(0x00000000u, 0xFF010000u, 0xFF000001u, 0xFF000100u,
                                         0x00000000u, 0x80000000u, 0xFFFFFFFFu, 0xFE000000u));
}

TEST(WorldSpriteTexture, LoadsAtTheFilesSizeWithTheKeyAppliedWhateverThePitch) {
    Stand stand;
    DecodedImage img = picture(3, 2, 0xFF102030u);
    img.argb[1] = 0xFF000000u;
    img.argb[5] = 0xFF010000u;
    stand.decoder->pictures["Graphics/a.bmp"] = img;
    SpriteTexture s;
    TextureBudget budget;
    s.setFileName("Graphics/a.bmp");
    s.loadFromFile(budget);

    ASSERT_TRUE(s.texture);
    ASSERT_EQ(stand.device->textureRequests.size(), 1u);
    const auto& c = stand.device->textureRequests[0];
    EXPECT_EQ(c.width, 3u);
    EXPECT_EQ(c.height, 2u);
    EXPECT_EQ(c.format, PixelFormat::A8R8G8B8);
    EXPECT_EQ(c.pool, Pool::Managed);
    EXPECT_EQ(c.usage, 0u);
    const StandInTexture& t = fake(s);
    EXPECT_EQ(t.pixel(0, 0), 0xFF102030u);
    EXPECT_EQ(t.pixel(1, 0), 0x00000000u);
    EXPECT_EQ(t.pixel(2, 1), 0xFF010000u);
    EXPECT_EQ(t.pixel(0, 1), 0xFF102030u);
}

TEST(WorldSpriteTexture, FailuresLeaveTheTextureAsItWas) {
    {
        Stand stand;
        SpriteTexture s;
        TextureBudget budget;
        s.createBlank(1024, 768, 0, PixelFormat::A8R8G8B8);
        ASSERT_TRUE(s.texture);
        Texture* blank = s.texture.get();
        s.setFileName("Graphics/missing.bmp");
        s.loadFromFile(budget);
        EXPECT_EQ(s.texture.get(), blank);

        // A decoder answer that does not add up is refused.
        DecodedImage bad = picture(4, 4, 0xFFFFFFFFu);
        bad.argb.resize(3);
        stand.decoder->pictures["Graphics/bad.bmp"] = bad;
        s.setFileName("Graphics/bad.bmp");
        s.loadFromFile(budget);
        EXPECT_EQ(s.texture.get(), blank);

        // A blank with a usage lives in the default pool.
        SpriteTexture d;
        d.createBlank(8, 8, UsageDynamic, PixelFormat::A4R4G4B4);
        EXPECT_EQ(stand.device->textureRequests.back().pool, Pool::Default);
        EXPECT_EQ(stand.device->textureRequests.back().levels, 1u);
    }
    // No device and no decoder: nothing is made, nothing breaks, and a world
    // has every slot, without texture. A name is cut to 99 characters.
    SpriteTexture s;
    TextureBudget budget;
    s.setFileName("Graphics/a.bmp");
    s.loadFromFile(budget);
    s.createBlank(4, 4, 0, PixelFormat::A8R8G8B8);
    EXPECT_FALSE(s.texture);
    s.setFileName(std::string(300, 'n').c_str());
    EXPECT_EQ(std::strlen(s.fileName.data()), 99u);
    ScratchFolder dir;
    writeTextureLists();
    World world;
    ASSERT_TRUE(world.titleTexture && world.groundTextures[0]);
    EXPECT_FALSE(world.titleTexture->texture);
    EXPECT_FALSE(world.groundTextures[0]->texture);
}

// Pictures that would take the textures past their budget are refused (the
// decoder is told how many pixels are left, so it need not decode them) and
// stay blank; only the first is named. A smaller one that still fits loads.
TEST(WorldSpriteTexture, PicturesPastTheBudgetStayBlankAndTheFirstIsNamed) {
    Stand stand;
    stand.decoder->pictures["Graphics/big.png"] = picture(10, 10, 0xFF808080u);
    stand.decoder->pictures["Graphics/small.png"] = picture(2, 2, 0xFF808080u);
    TextureBudget budget;
    budget.limitBytes = 1000;
    auto load = [&budget](const char* name) {
        SpriteTexture s;
        s.setFileName(name);
        s.loadFromFile(budget);
        return s.texture != nullptr;
    };
    testing::internal::CaptureStderr();
    EXPECT_TRUE(load("Graphics/big.png"));
    EXPECT_TRUE(load("Graphics/big.png"));
    EXPECT_FALSE(load("Graphics/big.png"));
    EXPECT_FALSE(load("Graphics/big.png"));
    EXPECT_TRUE(load("Graphics/small.png"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "tiefschacht: Graphics/big.png: 10 x 10 pixels would take the textures past their "
              "budget of 1000 bytes; this picture and every later one that does not fit stay "
              "blank\n");
    EXPECT_EQ(budget.usedBytes, 816u);
}

TEST(WorldLoading, EveryPictureInOrderAndTheQuad) {
    ScratchFolder dir;
    Stand stand;
    writeText("Data/EnemyTextures.txt",
              "Typen 2\n"
              "Bilder 1 Verhalten 3 Blend 1 Graphics/e0.bmp\n"
              "Bilder 4 Verhalten 2 Blend 0 Graphics/e10.bmp Graphics/e11.bmp\n"
              "Graphics/e12.bmp Graphics/e13.bmp\n");
    writeText("Data/GroundTextures.txt",
              "Anzahl 3 Graphics/g0.bmp Graphics/g1.bmp Graphics/g2.bmp");
    for (const char* name : {"Graphics/Gewonnen.bmp", "Graphics/Cursor.bmp", "Graphics/wasser9.bmp",
                             "Graphics/HeroT1.bmp", "Graphics/e12.bmp", "Graphics/g1.bmp"})
        stand.decoder->pictures[name] = picture(32, 32, 0xFF808080u);
    stand.decoder->pictures["Graphics/Gewonnen.bmp"] = picture(640, 480, 0xFF808080u);

    World world;

    std::vector<std::string> expected = {"Graphics/Titelbild.bmp", "Graphics/Gewonnen.bmp",
                                         "Graphics/Cursor.bmp"};
    for (int i = 1; i <= 9; ++i) expected.push_back("Graphics/wasser" + std::to_string(i) + ".bmp");
    for (const char* b : {"Left", "Mid", "Right"})
        expected.push_back(std::string("Graphics/Button") + b + ".bmp");
    for (const char* h :
         {"Hero1",   "HeroL1",  "HeroL2",  "HeroL3",  "HeroL4",  "HeroR1",  "HeroR2",  "HeroR3",
          "HeroR4",  "HeroK1",  "HeroK2",  "HeroK3",  "HeroK4",  "HeroSL1", "HeroSL2", "HeroSL3",
          "HeroSL4", "HeroSR1", "HeroSR2", "HeroSR3", "HeroSR4", "HeroS1",  "HeroS2",  "HeroT1"})
        expected.push_back(std::string("Graphics/") + h + ".bmp");
    expected.push_back("Graphics/Schluessel.bmp");
    for (const char* e : {"e0", "e10", "e11", "e12", "e13", "g0", "g1", "g2"})
        expected.push_back(std::string("Graphics/") + e + ".bmp");
    EXPECT_EQ(stand.decoder->asked, expected);

    // The title picture is missing: its blank stays. The won picture replaces its blank.
    ASSERT_TRUE(world.titleTexture && world.titleTexture->texture);
    EXPECT_EQ(world.titleTexture->texture->width(), 1024u);
    EXPECT_EQ(world.titleTexture->texture->height(), 768u);
    EXPECT_EQ(stand.device->textureRequests[0].format, PixelFormat::A8R8G8B8);
    EXPECT_EQ(world.wonTexture->texture->width(), 640u);
    EXPECT_STREQ(world.titleTexture->fileName.data(), "Graphics/Titelbild.bmp");

    // Slots are filled whether or not their picture exists.
    EXPECT_TRUE(world.cursorTexture->texture);
    EXPECT_FALSE(world.keyTexture->texture);
    ASSERT_TRUE(world.keyTexture);
    EXPECT_FALSE(world.waterTextures[0]->texture);
    EXPECT_TRUE(world.waterTextures[8]->texture);
    EXPECT_TRUE(world.heroTextures[23]->texture);
    for (auto* s : {world.buttonLeftTexture.get(), world.buttonMidTexture.get(),
                    world.buttonRightTexture.get()})
        ASSERT_NE(s, nullptr);

    // Ground codes 0..2 only; the enemy type 1 fills slots 22..25.
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(world.groundTextures[i]);
    EXPECT_TRUE(world.groundTextures[1]->texture);
    EXPECT_FALSE(world.groundTextures[3]);
    EXPECT_TRUE(world.enemyTextures[0]);
    EXPECT_FALSE(world.enemyTextures[1]);
    for (int i = 22; i < 26; ++i) EXPECT_TRUE(world.enemyTextures[i]);
    EXPECT_FALSE(world.enemyTextures[26]);
    EXPECT_STREQ(world.enemyTextures[24]->fileName.data(), "Graphics/e12.bmp");
    EXPECT_TRUE(world.enemyTextures[24]->texture);
    EXPECT_EQ(enemyTypeTable.entries[0].behaviour, 3);
    EXPECT_EQ(enemyTypeTable.entries[0].blend, 1);
    EXPECT_EQ(enemyTypeTable.entries[1].behaviour, 2);
    EXPECT_EQ(enemyTypeTable.entries[1].blend, 0);

    // The unit quad every picture is drawn with, made beside the textures.
    createQuadBuffer();
    ASSERT_TRUE(quads.quadBuffer);
    EXPECT_EQ(quads.quadBuffer->size(), 96u);
    const auto& quad = static_cast<const StandInVertexBuffer&>(*quads.quadBuffer);
    EXPECT_EQ(quad.usage, UsageWriteOnly);
    EXPECT_EQ(quad.fvf, FvfQuadVertex);
    EXPECT_EQ(quad.pool, Pool::Managed);
    QuadVertex v[4];
    std::memcpy(v, quad.bytes.data(), sizeof v);
    const float want[4][5] = {
        {-1, 1, 0, 0, 0}, {-1, -1, 0, 0, 1}, {1, 1, 0, 1, 0}, {1, -1, 0, 1, 1}};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(v[i].x, want[i][0]);
        EXPECT_EQ(v[i].y, want[i][1]);
        EXPECT_EQ(v[i].z, want[i][2]);
        EXPECT_EQ(v[i].u, want[i][3]);
        EXPECT_EQ(v[i].v, want[i][4]);
        EXPECT_EQ(v[i].colour, 0xFFFFFFFFu);
    }
    releaseQuadBuffer();
}

// Lists that announce more names than they hold fill only the slots they
// name: no slot repeats the last name, and no type gets a row it does not
// have. One warning for each list says where it ends.
TEST(WorldLoading, AListThatEndsEarlyFillsOnlyWhatItHolds) {
    ScratchFolder dir;
    Stand stand;
    writeText("Data/EnemyTextures.txt",
              "Typen 3\nBilder 2 V 1 B 0 Graphics/a.bmp Graphics/b.bmp\n"
              "Bilder 4 V 2 B 1 Graphics/c.bmp\n");
    writeText("Data/GroundTextures.txt", "Anzahl 5 Graphics/g0.bmp Graphics/g1.bmp");
    enemyTypeTable = EnemyTypeTable{};

    testing::internal::CaptureStderr();
    World world;
    const std::string err = testing::internal::GetCapturedStderr();

    EXPECT_TRUE(world.groundTextures[1]);
    EXPECT_FALSE(world.groundTextures[2]);
    ASSERT_TRUE(world.enemyTextures[22]);
    EXPECT_STREQ(world.enemyTextures[22]->fileName.data(), "Graphics/c.bmp");
    EXPECT_FALSE(world.enemyTextures[23]);
    EXPECT_FALSE(world.enemyTextures[44]);
    EXPECT_EQ(enemyTypeTable.entries[1].behaviour, 2);
    EXPECT_EQ(enemyTypeTable.entries[2].behaviour, 0);
    EXPECT_NE(err.find("tiefschacht: Data/GroundTextures.txt: line 1: the file ends after 2 of "
                       "the 5 picture names it announces\n"),
              std::string::npos)
        << err;
    EXPECT_NE(err.find("tiefschacht: Data/EnemyTextures.txt: line 3: the file ends after 1 of "
                       "the 4 pictures of enemy type 1 it announces\n"),
              std::string::npos)
        << err;
}

TEST(WorldLoadingDeathTest, MissingTextureListEndsTheProgramNamingIt) {
    ScratchFolder dir;
    writeText("Data/EnemyTextures.txt", "Typen 0\n");
    EXPECT_EXIT({ World w; }, testing::ExitedWithCode(1), "Data/GroundTextures.txt");
}

TEST(WorldLoading, TheGameReleasesEveryTextureOnce) {
    ScratchFolder dir;
    Stand stand;
    writeGameFiles();
    stand.decoder->pictures["Graphics/Cursor.bmp"] = picture(4, 4, 0xFFFFFFFFu);
    auto game = std::make_unique<Game>();
    EXPECT_EQ(stand.device->liveTextures, 3);  // two blanks and the cursor
    game.reset();
    EXPECT_EQ(stand.device->liveTextures, 0);
}

namespace {
void put16(std::string& s, uint32_t v) {
    s += static_cast<char>(v & 0xFF);
    s += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& s, uint32_t v) {
    put16(s, v & 0xFFFF);
    put16(s, v >> 16);
}

// An uncompressed BMP of 24 or 32 bits per pixel; pixels given as ARGB,
// rows top first (the file stores them bottom first, rows padded to 4 bytes).
std::string bmpFile(int w, int h, int bits, const std::vector<uint32_t>& argb) {
    const int rowBytes = (w * bits / 8 + 3) / 4 * 4;
    std::string s = "BM";
    put32(s, 54 + rowBytes * h);
    put32(s, 0);
    put32(s, 54);
    put32(s, 40);
    put32(s, static_cast<uint32_t>(w));
    put32(s, static_cast<uint32_t>(h));
    put16(s, 1);
    put16(s, static_cast<uint32_t>(bits));
    put32(s, 0);  // no compression
    put32(s, static_cast<uint32_t>(rowBytes * h));
    put32(s, 2835);
    put32(s, 2835);
    put32(s, 0);
    put32(s, 0);
    for (int y = h - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < w; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y * w + x)];
            row += static_cast<char>(p & 0xFF);
            row += static_cast<char>((p >> 8) & 0xFF);
            row += static_cast<char>((p >> 16) & 0xFF);
            if (bits == 32) row += static_cast<char>(p >> 24);
        }
        row.resize(static_cast<size_t>(rowBytes), '\0');
        s += row;
    }
    return s;
}
}  // namespace

TEST(WorldColourKey, AppliesToPicturesDecodedFromBmpFiles) {
    ScratchFolder dir;
    auto decoder = createSdlImageDecoder();
    if (!decoder) GTEST_SKIP() << "no image decoder in this build";
    platformLayer.images = std::move(decoder);
    graphics.device = std::make_unique<StandInDevice>();

    // Black, almost black, white; red, green, blue: 3 x 2 pixels, so the
    // 24-bit rows need padding.
    const std::vector<uint32_t> pixels = {0xFF000000u, 0xFF010000u, 0xFFFFFFFFu,
                                          0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    const std::vector<uint32_t> keyed = {0x00000000u, 0xFF010000u, 0xFFFFFFFFu,
                                         0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu};
    for (int bits : {24, 32}) {
        SCOPED_TRACE(bits);
        const std::string name = "Graphics/p" + std::to_string(bits) + ".bmp";
        writeText(name, bmpFile(3, 2, bits, pixels));
        SpriteTexture s;
        TextureBudget budget;
        s.setFileName(name.c_str());
        s.loadFromFile(budget);
        ASSERT_TRUE(s.texture);
        ASSERT_EQ(s.texture->width(), 3u);
        ASSERT_EQ(s.texture->height(), 2u);
        for (uint32_t y = 0; y < 2; ++y)
            for (uint32_t x = 0; x < 3; ++x)
                EXPECT_EQ(fake(s).pixel(x, y), keyed[y * 3 + x]) << x << "," << y;
    }
    platformLayer.images.reset();
    graphics.device.reset();
}

TEST(WorldLoading, OnTheSoftwareDevice) {
    ScratchFolder dir;
    writeTextureLists();
    auto system = createSoftwareGraphicsSystem(nullptr, 64, 48);
    ASSERT_TRUE(system);
    PresentParameters params;
    params.windowed = true;
    params.backBufferFormat = PixelFormat::X8R8G8B8;
    ASSERT_TRUE(
        succeeded(system->createDevice(CreateSoftwareVertexProcessing, params, graphics.device)));
    auto decoder = std::make_unique<FakeDecoder>();
    DecodedImage cursor = picture(2, 2, 0xFF000000u);
    cursor.argb[3] = 0xFF204060u;
    decoder->pictures["Graphics/Cursor.bmp"] = cursor;
    platformLayer.images = std::move(decoder);

    {
        World world;
        ASSERT_TRUE(world.titleTexture->texture);
        EXPECT_EQ(world.titleTexture->texture->width(), 1024u);
        EXPECT_EQ(world.titleTexture->texture->height(), 768u);
        Texture& t = *world.cursorTexture->texture;
        LockedRect r;
        ASSERT_TRUE(succeeded(t.lockRect(r)));
        const auto* texels = static_cast<const uint32_t*>(r.bits);
        EXPECT_EQ(texels[0], 0x00000000u);
        EXPECT_EQ(texels[r.pitch / 4 + 1], 0xFF204060u);
        t.unlockRect();
        EXPECT_FALSE(world.keyTexture->texture);
    }
    platformLayer.images.reset();
    graphics.device.reset();
}
