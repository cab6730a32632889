// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "platform/backends.hpp"
#include "support/picture_codec.hpp"

using namespace tiefschacht;

// The decoder takes BMP, PNG and JPEG, the formats whose declared size it can
// check before decoding. Every other format SDL2_image would otherwise guess
// from the contents is refused: a picture in one of them would pass the size
// guard unchecked, and its loader is code the game never needs (the SVG
// loader, for one, leaks memory on every picture).
TEST(PlatformImageFormats, OnlyFormatsWithACheckedSizeAreDecoded) {
    auto decoder = createSdlImageDecoder();
    DecodedImage img;

    const std::string svg =
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"4\" height=\"4\">"
        "<rect width=\"4\" height=\"4\" fill=\"#ff0000\"/></svg>";
    EXPECT_FALSE(testsupport::decodes(*decoder, svg.data(), svg.size(), img));

    // A one-pixel GIF, and the same GIF claiming 60000 x 60000 pixels.
    std::vector<uint8_t> gif = {'G',  'I', 'F',  '8',  '9', 'a', 1, 0, 1, 0,
                                0x80, 0,   0,    0xFF, 0,   0,   0, 0, 0,  // two palette colours
                                ',',  0,   0,    0,    0,   1,   0, 1, 0, 0,
                                2,    2,   0x44, 0x01, 0,   ';'};
    EXPECT_FALSE(testsupport::decodes(*decoder, gif.data(), gif.size(), img));
    gif[6] = gif[8] = 0x60;
    gif[7] = gif[9] = 0xEA;
    EXPECT_FALSE(testsupport::decodes(*decoder, gif.data(), gif.size(), img));

    const std::string xpm =
        "/* XPM */\nstatic char *p[] = {\"1 1 1 1\", \"a c #00FF00\", \"a\"};\n";
    EXPECT_FALSE(testsupport::decodes(*decoder, xpm.data(), xpm.size(), img));

    // The formats the game uses still decode.
    DecodedImage picture;
    picture.width = 2;
    picture.height = 1;
    picture.argb = {0xFF102030u, 0x80FFFFFFu};
    ASSERT_TRUE(testsupport::writes(*decoder, "formats.png", picture));
    ASSERT_TRUE(testsupport::writes(*decoder, "formats.bmp", picture));
    for (const char* name : {"formats.png", "formats.bmp"}) {
        DecodedImage back;
        EXPECT_TRUE(testsupport::decodesFile(*decoder, name, back)) << name;
        EXPECT_EQ(back.width, 2) << name;
        std::remove(name);
    }
}

// A few bytes of BMP header claiming more pixels than any texture can hold
// would still make the decoder allocate and convert them all; such a picture
// is refused before decoding.
TEST(PlatformImageFormats, APictureLargerThanAnyTextureIsRefusedBeforeDecoding) {
    auto decoder = createSdlImageDecoder();
    auto header = [](int32_t w, int32_t h) {
        std::vector<uint8_t> v{'B', 'M'};
        auto put32 = [&v](uint32_t x) {
            for (int i = 0; i < 4; ++i) v.push_back(static_cast<uint8_t>(x >> (8 * i)));
        };
        put32(54 + 64);
        put32(0);
        put32(54);
        put32(40);
        put32(static_cast<uint32_t>(w));
        put32(static_cast<uint32_t>(h));
        v.push_back(1), v.push_back(0), v.push_back(24), v.push_back(0);
        for (int i = 0; i < 6; ++i) put32(0);
        v.resize(v.size() + 64, 0x10);
        return v;
    };
    DecodedImage img;
    for (auto [w, h] :
         {std::pair{4097, 1}, std::pair{1, 4097}, std::pair{16384, 16384}, std::pair{1, -4097}}) {
        const std::vector<uint8_t> file = header(w, h);
        EXPECT_FALSE(testsupport::decodes(*decoder, file.data(), file.size(), img))
            << w << " x " << h;
    }
    // A file that ends inside its size fields once made the loader ask for
    // 8 GB: the loader reads the missing bytes as it pleases.
    const std::vector<uint8_t> cut = {'B',  'M',  0x96, 0x26, 0,    0,    0,   0x40, 0xf7,
                                      0x7e, 2,    0,    0,    0,    12,   0,   0,    0,
                                      0xff, 0xff, 0xff, 0xff, 0x31, 0x20, 0x10};
    EXPECT_FALSE(testsupport::decodes(*decoder, cut.data(), cut.size(), img));
}

// A PNG whose chunk claims to run past the end of the file made the PNG
// loader read the same bytes again and again, without end; so does one cut
// short before its end chunk. Both are refused, and a whole PNG still loads.
TEST(PlatformImageFormats, APngWithAChunkPastTheEndIsRefused) {
    auto decoder = createSdlImageDecoder();
    const DecodedImage picture = testsupport::solidPicture(3, 2, 0xFF336699u);
    ASSERT_TRUE(testsupport::writes(*decoder, "whole.png", picture));
    std::ifstream in("whole.png", std::ios::binary);
    const std::vector<uint8_t> whole((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    std::remove("whole.png");
    DecodedImage img;
    ASSERT_TRUE(testsupport::decodes(*decoder, whole.data(), whole.size(), img));

    // The header chunk, then an ancillary chunk claiming 64518 bytes in a file of 77.
    const std::vector<uint8_t> found = {
        0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a, 0x00, 0x00, 0x00, 0x0d, 0x49,
        0x48, 0x44, 0x52, 0x00, 0x00, 0x00, 0x03, 0x00, 0x00, 0x00, 0x02, 0x08, 0x06,
        0x00, 0x00, 0x00, 0x9d, 0x74, 0x66, 0x1a, 0x00, 0x00, 0xfc, 0x06, 0x74, 0x52,
        0x4e, 0x53, 0x45, 0x44, 0x41, 0x54, 0x78, 0x9c, 0x63, 0x49, 0x00, 0x00, 0x00,
        0x0f, 0x04, 0x0d, 0x02, 0x0a, 0x06, 0x40, 0x16, 0x18, 0x31, 0xfe, 0x07, 0x92,
        0x0e, 0x00, 0x7d, 0xd1, 0x09, 0x1a, 0x65, 0xde, 0xec, 0x8f, 0x00, 0x00};
    EXPECT_FALSE(testsupport::decodes(*decoder, found.data(), found.size(), img));
    for (size_t keep : {whole.size() - 1, whole.size() - 12, size_t{40}})
        EXPECT_FALSE(testsupport::decodes(*decoder, whole.data(), keep, img)) << keep;
}

// libpng's own messages never reach the terminal without the picture's
// name: an error comes back as the reason the picture is refused, and a
// warning about a picture that still loads is not printed at all.
TEST(PlatformImageFormats, PngMessagesComeBackAsTheReasonAndArePrintedNowhere) {
    auto decoder = createSdlImageDecoder();
    const DecodedImage picture = testsupport::solidPicture(4, 3, 0xFF336699u);
    std::string png, error;
    ASSERT_TRUE(decoder->encode(picture, PictureFileType::Png, png, error)) << error;

    // A text chunk with a wrong checksum before the end chunk: a warning.
    std::string warned = png;
    warned.insert(warned.size() - 12, std::string("\0\0\0\x03tEXta=b\0\0\0\0", 15));
    // The last byte of the picture data's checksum spoilt: an error.
    std::string broken = png;
    const size_t idat = broken.find("IDAT");
    ASSERT_NE(idat, std::string::npos);
    const size_t length = static_cast<unsigned char>(broken[idat - 1]);
    broken[idat + 4 + length + 3] ^= 0x55;

    testing::internal::CaptureStderr();
    DecodedImage img;
    EXPECT_EQ(decoder->decodeMemory(warned.data(), warned.size(), noPixelLimit, img, error),
              PictureStatus::Ok);
    EXPECT_EQ(img.argb, picture.argb);
    EXPECT_EQ(decoder->decodeMemory(broken.data(), broken.size(), noPixelLimit, img, error),
              PictureStatus::Failed);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(error, "damaged PNG picture (IDAT: CRC error)");
}

// A caller's pixel limit is applied from the header, before the pixels are
// decoded; the size comes back so the caller can say what was refused.
TEST(PlatformImageFormats, APictureOverTheCallersLimitIsRefusedWithItsSize) {
    auto decoder = createSdlImageDecoder();
    const DecodedImage picture = testsupport::solidPicture(5, 4, 0xFF102030u);
    for (PictureFileType type : {PictureFileType::Png, PictureFileType::Bmp}) {
        std::string bytes, error;
        ASSERT_TRUE(decoder->encode(picture, type, bytes, error)) << error;
        DecodedImage img;
        EXPECT_EQ(decoder->decodeMemory(bytes.data(), bytes.size(), 19, img, error),
                  PictureStatus::OverLimit);
        EXPECT_EQ(img.width, 5);
        EXPECT_EQ(img.height, 4);
        EXPECT_TRUE(img.argb.empty());
        EXPECT_EQ(decoder->decodeMemory(bytes.data(), bytes.size(), 20, img, error),
                  PictureStatus::Ok);
    }
}
