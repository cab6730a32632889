// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph atlas: the printable ASCII characters of a typeface rendered
// once into a square A4R4G4B4 texture, each in a cell of its advance width
// with a margin on either side, rows of cells one texel apart.
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

#include "drawing/text_font.hpp"
#include "platform/platform_layer.hpp"

namespace tiefschacht {

namespace {

constexpr unsigned firstGlyph = 32;  // blank
constexpr unsigned lastGlyph = 126;  // '~'; 127 has no glyph
constexpr int largestPixelHeight = 2048;

// Coverage 0..255 to a white texel carrying it as a 4-bit alpha; untouched
// texels stay transparent black.
uint16_t texelFromCoverage(uint8_t coverage) {
    const uint16_t a = static_cast<uint16_t>(coverage >> 4);
    return a > 0 ? static_cast<uint16_t>(a * 4096 + 0x0FFF) : 0;
}

}  // namespace

uint32_t atlasSizeForHeight(uint32_t heightPoints) {
    if (heightPoints > 60) return 2048;
    if (heightPoints > 30) return 1024;
    if (heightPoints > 15) return 512;
    return 256;
}

int fontPixelHeight(uint32_t heightPoints, int dotsPerInch, float textScale) {
    const int64_t dots = static_cast<int64_t>(static_cast<float>(dotsPerInch) * textScale);
    const int64_t product = static_cast<int64_t>(heightPoints) * dots;
    // Rounded to the nearest pixel, halves away from zero.
    const int64_t pixels = (product >= 0 ? product + 36 : product - 36) / 72;
    if (pixels < 1) return 1;
    if (pixels > largestPixelHeight) return largestPixelHeight;
    return static_cast<int>(pixels);
}

Status TextFont::createGlyphAtlas(GraphicsDevice* target) {
    releaseDeviceResources();
    releaseAtlas();
    error.clear();
    if (target == nullptr) {
        error = "no graphics device for the typeface \"" + std::string(faceName.data()) + "\"";
        return StatusFail;
    }
    textScale = 1.0f;
    uint32_t size = atlasSizeForHeight(height);
    DeviceCaps caps;
    if (succeeded(target->getDeviceCaps(caps)) && size > caps.maxTextureWidth) {
        textScale = static_cast<float>(caps.maxTextureWidth) / static_cast<float>(size);
        size = caps.maxTextureWidth;
    }
    atlasWidth = atlasHeight = size;
    if (size == 0) {
        error = "the device offers no texture for the typeface \"" + std::string(faceName.data()) +
                "\"";
        return StatusFail;
    }

    std::unique_ptr<Texture> texture;
    const Status created =
        target->createTexture(size, size, 1, 0, PixelFormat::A4R4G4B4, Pool::Managed, texture);
    if (!succeeded(created) || !texture) {
        error = "no atlas texture of " + std::to_string(size) + " x " + std::to_string(size) +
                " for the typeface \"" + std::string(faceName.data()) + "\"";
        return succeeded(created) ? StatusFail : created;
    }

    GlyphRasteriser* glyphs = platformLayer.glyphs.get();
    if (glyphs == nullptr) {
        error = "no glyph rasteriser for the typeface \"" + std::string(faceName.data()) + "\"";
        return StatusFail;
    }
    const int pixelHeight = fontPixelHeight(height, glyphs->dotsPerInch(), textScale);
    auto face = glyphs->openFace(faceName.data(), pixelHeight, (flags & FontBold) != 0,
                                 (flags & FontItalic) != 0, error);
    if (!face) {
        if (error.empty()) error = "typeface \"" + std::string(faceName.data()) + "\" not found";
        return StatusFail;
    }

    const int cellHeight = face->cellHeight();
    const auto margin = static_cast<uint32_t>(std::ceil(0.3 * cellHeight));
    std::array<GlyphRect, 96> rects{};

    // Coverage of the whole atlas, white on black, rows atlasWidth apart.
    std::vector<uint8_t> coverage(static_cast<size_t>(size) * size, 0);
    const float width = static_cast<float>(atlasWidth);
    const float heightTexels = static_cast<float>(atlasHeight);
    uint32_t x = margin;
    uint32_t y = 0;
    for (unsigned c = firstGlyph; c <= lastGlyph; ++c) {
        const auto character = static_cast<unsigned char>(c);
        const int advance = face->advance(character);
        const uint32_t cx = advance > 0 ? static_cast<uint32_t>(advance) : 0;
        if (x + cx + margin > atlasWidth) {
            x = margin;
            y += static_cast<uint32_t>(cellHeight) + 1;
        }
        face->draw(character, coverage.data(), static_cast<int>(size), static_cast<int>(size),
                   static_cast<int>(x), static_cast<int>(y));
        rects[c - firstGlyph] =
            GlyphRect{static_cast<float>(x - margin) / width, static_cast<float>(y) / heightTexels,
                      static_cast<float>(x + cx + margin) / width,
                      static_cast<float>(y + static_cast<uint32_t>(cellHeight)) / heightTexels};
        x += cx + 2 * margin;
    }

    LockedRect locked;
    const Status lockedStatus = texture->lockRect(locked);
    if (!succeeded(lockedStatus) || locked.bits == nullptr ||
        locked.pitch < static_cast<int>(size * sizeof(uint16_t))) {
        error =
            "the atlas of the typeface \"" + std::string(faceName.data()) + "\" cannot be written";
        if (succeeded(lockedStatus)) texture->unlockRect();
        return succeeded(lockedStatus) ? StatusFail : lockedStatus;
    }
    auto* rows = static_cast<uint8_t*>(locked.bits);
    for (uint32_t r = 0; r < size; ++r) {
        auto* texels = reinterpret_cast<uint16_t*>(rows + static_cast<size_t>(r) * locked.pitch);
        const uint8_t* src = coverage.data() + static_cast<size_t>(r) * size;
        for (uint32_t col = 0; col < size; ++col) texels[col] = texelFromCoverage(src[col]);
    }
    texture->unlockRect();

    device = target;
    atlas = std::move(texture);
    spacing = margin;
    glyphRects = rects;
    return StatusOk;
}

}  // namespace tiefschacht
