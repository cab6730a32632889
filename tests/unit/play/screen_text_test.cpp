// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The play screen's text through the software device and the real fonts:
// the score with its shadow and the instructions of the first play frames.
#include "unit/play/fixture.hpp"

#include <filesystem>

#include "drawing/fonts.hpp"
#include "platform/backends.hpp"
#include "play/draw_play.hpp"
#include "screens/new_game.hpp"
#include "services/settings.hpp"
#include "support/software_device.hpp"

using namespace tiefschacht;

using namespace playtest;

namespace {
struct PlayScreenText : PlayFixture {
    void SetUp() override {
        settings = Settings{};
        settings.screenWidth = 800;
        settings.screenHeight = 600;
        graphics = Graphics{};
        auto made = testsupport::makeSoftwareDevice(800, 600);
        device = made.get();
        graphics.device = std::move(made);
        platformLayer.glyphs = createFreeTypeRasteriser();
        fonts.largeFont = makeFont("Times New Roman", 20);
        fonts.smallFont = makeFont("Arial", 10);
    }
    void TearDown() override {
        graphics = Graphics{};
        platformLayer.glyphs.reset();
        settings = Settings{};
    }
    static std::unique_ptr<TextFont> makeFont(const char* face, uint32_t height) {
        auto font = std::make_unique<TextFont>(face, height, FontBold);
        EXPECT_EQ(font->createGlyphAtlas(theDevice()), StatusOk);
        EXPECT_EQ(font->createDeviceResources(), StatusOk);
        return font;
    }
    // The triangles of each text draw call of one play frame, in order.
    std::vector<uint32_t> textDrawsOfAFrame() {
        device->present();
        updatePlay(game);
        drawPlay(game);
        std::vector<uint32_t> triangles;
        for (const DrawRecord& d : device->drawLog())
            if (d.fvf == FvfScreenVertex) triangles.push_back(d.primitiveCount);
        return triangles;
    }

    testsupport::TestSoftwareDevice* device = nullptr;
};

// Two triangles per visible character; blanks only advance.
uint32_t trianglesOf(const std::string& text) {
    uint32_t n = 0;
    for (char c : text) n += c != ' ' ? 2 : 0;
    return n;
}
}  // namespace

TEST_F(PlayScreenText, TheScoreAndItsShadowAreDrawnEveryFrame) {
    play.score = 1250;
    play.helpFrameCount = 5000;
    const uint32_t score = trianglesOf("Punkte:  1250");
    EXPECT_EQ(textDrawsOfAFrame(), (std::vector<uint32_t>{score, score}));
    play.score = -7;
    const uint32_t negative = trianglesOf("Punkte:  -7");
    EXPECT_EQ(textDrawsOfAFrame(), (std::vector<uint32_t>{negative, negative}));
}

TEST_F(PlayScreenText, TheInstructionsShowInTheFirst999PlayFramesOnly) {
    const uint32_t score = trianglesOf("Punkte:  0");
    const uint32_t l1 = trianglesOf("Bewegen mit den Pfeiltasten");
    const uint32_t l2 = trianglesOf("Springen mit der Leertaste");
    const uint32_t l3 = trianglesOf("Spiel verlassen mit Esc");
    const std::vector<uint32_t> withHelp = {score, score, l1, l2, l3, l1, l2, l3};
    EXPECT_EQ(textDrawsOfAFrame(), withHelp);
    EXPECT_EQ(play.helpFrameCount, 1);
    play.helpFrameCount = 998;
    EXPECT_EQ(textDrawsOfAFrame(), withHelp);  // frame 999
    EXPECT_EQ(textDrawsOfAFrame(), (std::vector<uint32_t>{score, score}));
    // A second game keeps the count: the instructions never come back.
    const auto here = std::filesystem::current_path();
    std::filesystem::current_path(TIEFSCHACHT_GAME_DIR);
    startNewGame(game);
    std::filesystem::current_path(here);
    EXPECT_EQ(textDrawsOfAFrame(), (std::vector<uint32_t>{score, score}));
    EXPECT_EQ(play.helpFrameCount, 1001);
}

TEST_F(PlayScreenText, WithoutFontsThePlayScreenStillDrawsAndPlayCounts) {
    fonts.largeFont.reset();
    fonts.smallFont.reset();
    EXPECT_TRUE(textDrawsOfAFrame().empty());
    EXPECT_EQ(play.helpFrameCount, 1);
}
