// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "platform/backends.hpp"
#include "support/picture_codec.hpp"
#include "support/scratch_folder.hpp"

using namespace tiefschacht;

namespace {
void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(x & 0xFF);
    v.push_back((x >> 8) & 0xFF);
}
void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

// A bottom-up BMP of `bits` (24 or 32) per pixel from ARGB pixels, rows top
// first. With `alphaMask` a V4 header with bit fields naming that mask.
std::vector<uint8_t> makeBmp(int w, int h, int bits, const std::vector<uint32_t>& argb,
                             bool v4AlphaMask = false) {
    uint32_t header = v4AlphaMask ? 108 : 40;
    uint32_t rowBytes = (static_cast<uint32_t>(w * bits / 8) + 3u) & ~3u;
    uint32_t dataOffset = 14 + header;
    std::vector<uint8_t> v{'B', 'M'};
    put32(v, dataOffset + rowBytes * static_cast<uint32_t>(h));
    put32(v, 0);
    put32(v, dataOffset);
    put32(v, header);
    put32(v, static_cast<uint32_t>(w));
    put32(v, static_cast<uint32_t>(h));
    put16(v, 1);
    put16(v, static_cast<uint32_t>(bits));
    put32(v, v4AlphaMask ? 3 : 0);  // BI_BITFIELDS or BI_RGB
    put32(v, rowBytes * static_cast<uint32_t>(h));
    put32(v, 2835);
    put32(v, 2835);
    put32(v, 0);
    put32(v, 0);
    if (v4AlphaMask) {
        put32(v, 0x00FF0000);
        put32(v, 0x0000FF00);
        put32(v, 0x000000FF);
        put32(v, 0xFF000000);
        put32(v, 0x73524742);  // sRGB
        for (int i = 0; i < 12; ++i) put32(v, 0);
    }
    for (int y = h - 1; y >= 0; --y) {
        size_t start = v.size();
        for (int x = 0; x < w; ++x) {
            uint32_t p = argb[static_cast<size_t>(y * w + x)];
            v.push_back(p & 0xFF);
            v.push_back((p >> 8) & 0xFF);
            v.push_back((p >> 16) & 0xFF);
            if (bits == 32) v.push_back(p >> 24);
        }
        while (v.size() - start < rowBytes) v.push_back(0);
    }
    return v;
}

const std::vector<uint32_t> pixels{0x00FF0000u, 0x0000FF00u, 0x000000FFu,
                                   0x00000000u, 0x00FFFFFFu, 0x00808080u};
}  // namespace

TEST(PlatformVideoImages, BmpsWithoutARealAlphaChannelDecodeOpaque) {
    auto decoder = createSdlImageDecoder();
    // 24 bits, 32 bits with zero alpha bytes, 32 bits with stray values in
    // the unused byte: all opaque, rows top first, colours as written.
    std::vector<uint32_t> stray = pixels;
    for (size_t i = 0; i < stray.size(); ++i) stray[i] |= static_cast<uint32_t>(i * 40) << 24;
    for (auto [bits, source] :
         {std::pair{24, pixels}, std::pair{32, pixels}, std::pair{32, stray}}) {
        std::vector<uint8_t> file = makeBmp(3, 2, bits, source);
        DecodedImage img;
        ASSERT_TRUE(testsupport::decodes(*decoder, file.data(), file.size(), img)) << bits;
        ASSERT_EQ(img.width, 3);
        ASSERT_EQ(img.height, 2);
        for (size_t i = 0; i < pixels.size(); ++i)
            EXPECT_EQ(img.argb[i], pixels[i] | 0xFF000000u) << bits << " bits, pixel " << i;
    }
    // Stored top row first, as a negative height says: the same picture.
    std::vector<uint32_t> flipped(pixels.begin() + 3, pixels.end());
    flipped.insert(flipped.end(), pixels.begin(), pixels.begin() + 3);
    std::vector<uint8_t> topDown = makeBmp(3, 2, 24, flipped);
    std::memcpy(&topDown[22], "\xFE\xFF\xFF\xFF", 4);
    DecodedImage img;
    ASSERT_TRUE(testsupport::decodes(*decoder, topDown.data(), topDown.size(), img));
    ASSERT_EQ(img.height, 2);
    for (size_t i = 0; i < pixels.size(); ++i) EXPECT_EQ(img.argb[i], pixels[i] | 0xFF000000u);
}

TEST(PlatformVideoImages, ABmpThatNamesAnAlphaMaskKeepsItsAlpha) {
    auto decoder = createSdlImageDecoder();
    std::vector<uint32_t> withAlpha = pixels;
    withAlpha[0] = 0x80FF0000u;
    withAlpha[3] = 0xFF000000u;
    std::vector<uint8_t> file = makeBmp(3, 2, 32, withAlpha, true);
    DecodedImage img;
    ASSERT_TRUE(testsupport::decodes(*decoder, file.data(), file.size(), img));
    EXPECT_EQ(img.argb[0], 0x80FF0000u);
    EXPECT_EQ(img.argb[1], 0x0000FF00u);
    EXPECT_EQ(img.argb[3], 0xFF000000u);
}

TEST(PlatformVideoImages, WrittenPicturesReadBackTheSame) {
    testsupport::ScratchFolder dir;
    auto decoder = createSdlImageDecoder();
    DecodedImage picture;
    picture.width = 3;
    picture.height = 2;
    picture.argb = {0xFFFF0000u, 0x80112233u, 0x00000000u, 0xFF000000u, 0xFFFFFFFFu, 0xC0404040u};

    ASSERT_TRUE(testsupport::writes(*decoder, "shot.png", picture));
    DecodedImage png;
    ASSERT_TRUE(testsupport::decodesFile(*decoder, "shot.png", png));
    EXPECT_EQ(png.argb, picture.argb);  // PNG keeps alpha
    std::string head = testsupport::readFile("shot.png").substr(1, 3);
    EXPECT_EQ(head, "PNG");

    ASSERT_TRUE(testsupport::writes(*decoder, "shot.BMP", picture));
    EXPECT_EQ(testsupport::readFile("shot.BMP").substr(0, 2), "BM");
    DecodedImage bmp;
    ASSERT_TRUE(testsupport::decodesFile(*decoder, "shot.BMP", bmp));
    EXPECT_EQ(bmp.width, 3);
    EXPECT_EQ(bmp.argb[0] & 0xFFFFFFu, 0xFF0000u);

    DecodedImage broken;
    broken.width = 3;
    broken.height = 3;  // fewer pixels than it claims
    broken.argb = picture.argb;
    EXPECT_FALSE(testsupport::writes(*decoder, "broken.png", broken));
}

TEST(PlatformVideoImages, DamagedOrHostileInputIsRefusedCleanly) {
    auto decoder = createSdlImageDecoder();
    DecodedImage img;
    EXPECT_FALSE(testsupport::decodesFile(*decoder, "no/such/picture.bmp", img));
    const char junk[] = "definitely not a picture";
    EXPECT_FALSE(testsupport::decodes(*decoder, junk, sizeof junk, img));
    EXPECT_FALSE(testsupport::decodes(*decoder, nullptr, 10, img));

    std::vector<uint8_t> file = makeBmp(3, 2, 24, pixels);
    // Cut short in the middle of the pixels, and cut in the header.
    for (size_t keep : {file.size() - 7, size_t{30}, size_t{2}})
        testsupport::decodes(*decoder, file.data(), keep,
                             img);  // must not crash or read past the end
    // A header that claims a picture of 100000 x 100000 pixels.
    std::vector<uint8_t> huge = file;
    uint32_t side = 100000;
    std::memcpy(&huge[18], &side, 4);
    std::memcpy(&huge[22], &side, 4);
    EXPECT_FALSE(testsupport::decodes(*decoder, huge.data(), huge.size(), img));
}
