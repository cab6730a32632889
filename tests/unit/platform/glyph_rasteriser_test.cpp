// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The FreeType rasteriser: faces found by name, their metrics at a pixel
// height, anti-aliased coverage, and a clear refusal for unknown names.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/backends.hpp"

using namespace tiefschacht;

namespace {

struct FaceCase {
    const char* name;
    int pixelHeight;
};

TEST(GlyphRasteriser, FindsBothGameFacesWithSensibleMetrics) {
    auto rasteriser = createFreeTypeRasteriser();
    ASSERT_NE(rasteriser, nullptr);
    EXPECT_EQ(rasteriser->dotsPerInch(), 96);
    for (const FaceCase& fc : {FaceCase{"Times New Roman", 27}, FaceCase{"Arial", 13}}) {
        SCOPED_TRACE(fc.name);
        std::string error;
        auto face = rasteriser->openFace(fc.name, fc.pixelHeight, true, false, error);
        ASSERT_NE(face, nullptr) << error;
        // The cell is the em plus the room above and below it: a little
        // taller than the character height, never more than half again.
        EXPECT_GT(face->cellHeight(), fc.pixelHeight);
        EXPECT_LE(face->cellHeight(), fc.pixelHeight * 3 / 2);
        // Proportional faces: a W is wider than an i, a blank advances.
        EXPECT_GT(face->advance('W'), face->advance('i'));
        EXPECT_GT(face->advance(' '), 0);
        EXPECT_LT(face->advance('W'), fc.pixelHeight * 2);
        // The other styles of the family are found too, and bold is wider.
        for (auto [bold, italic] : {std::pair{false, false}, {false, true}, {true, true}}) {
            auto styled = rasteriser->openFace(fc.name, fc.pixelHeight, bold, italic, error);
            ASSERT_NE(styled, nullptr) << error;
            if (!bold) {
                int thin = 0, thick = 0;
                for (const char* p = "Tiefschacht"; *p; ++p)
                    thin += styled->advance(static_cast<unsigned char>(*p)),
                        thick += face->advance(static_cast<unsigned char>(*p));
                EXPECT_LT(thin, thick);
            }
        }
    }
}

TEST(GlyphRasteriser, UnknownFaceIsRefusedWithItsName) {
    auto rasteriser = createFreeTypeRasteriser();
    std::string error;
    auto face = rasteriser->openFace("Keine Solche Schrift", 13, true, false, error);
    EXPECT_EQ(face, nullptr);
    EXPECT_NE(error.find("Keine Solche Schrift"), std::string::npos) << error;

    error.clear();
    EXPECT_EQ(rasteriser->openFace("Arial", 0, false, false, error), nullptr);
    EXPECT_NE(error.find("Arial"), std::string::npos) << error;
}

TEST(GlyphRasteriser, DrawsAntiAliasedWhiteOnBlackInsideItsCell) {
    auto rasteriser = createFreeTypeRasteriser();
    std::string error;
    auto face = rasteriser->openFace("Arial", 27, true, false, error);
    ASSERT_NE(face, nullptr) << error;
    const int w = 64, h = 64;
    std::vector<uint8_t> coverage(w * h, 0);
    const int x0 = 10, y0 = 12;
    face->draw('O', coverage.data(), w, h, x0, y0);

    int touched = 0, partial = 0;
    int minX = w, maxX = -1, minY = h, maxY = -1;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint8_t c = coverage[y * w + x];
            if (c == 0) continue;
            ++touched;
            if (c < 255) ++partial;
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
    EXPECT_GT(touched, 50);
    EXPECT_GT(partial, 0);  // edges are smoothed, not just on and off
    EXPECT_GE(minY, y0);
    EXPECT_LT(maxY, y0 + face->cellHeight());
    EXPECT_GE(minX, x0);
    EXPECT_LE(maxX, x0 + face->advance('O'));

    // A blank leaves the bitmap black.
    std::vector<uint8_t> blank(w * h, 0);
    face->draw(' ', blank.data(), w, h, 5, 5);
    EXPECT_TRUE(std::all_of(blank.begin(), blank.end(), [](uint8_t c) { return c == 0; }));
}

TEST(GlyphRasteriser, DrawingIsClippedToTheBitmap) {
    auto rasteriser = createFreeTypeRasteriser();
    std::string error;
    auto face = rasteriser->openFace("Times New Roman", 27, true, false, error);
    ASSERT_NE(face, nullptr) << error;
    // Sentinels on both sides of a tiny bitmap must survive glyphs drawn
    // half outside it in every direction.
    const int w = 8, h = 8, guard = 64;
    std::vector<uint8_t> memory(guard + w * h + guard, 0xAB);
    uint8_t* bitmap = memory.data() + guard;
    std::fill(bitmap, bitmap + w * h, 0);
    for (int pos : {-20, -5, 0, 3, 7, 30}) face->draw('W', bitmap, w, h, pos, pos);
    face->draw('M', bitmap, w, h, -3, 4);
    face->draw('g', bitmap, w, h, 4, -10);
    for (int i = 0; i < guard; ++i) {
        EXPECT_EQ(memory[i], 0xAB);
        EXPECT_EQ(memory[guard + w * h + i], 0xAB);
    }
}

}  // namespace
