// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Text from a glyph atlas: the printable ASCII characters of a typeface
// rendered once into a square A4R4G4B4 texture, drawn as batches of
// pre-transformed quads.
#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "platform/graphics_device.hpp"

namespace tiefschacht {

constexpr uint32_t FontBold = 1, FontItalic = 2, FontDepthTest = 4;
constexpr uint32_t TextCentreX = 1, TextCentreY = 2, TextFiltered = 8;

struct GlyphRect {
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
};

struct FontVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(FontVertex) == 28);

// The side of the square atlas for a typeface size in points.
uint32_t atlasSizeForHeight(uint32_t heightPoints);
// The pixel height a size in points is rasterised at: points x the
// resolution scaled by textScale (truncated) / 72, rounded to the nearest
// pixel; at 96 dots per inch 20 points give 27 pixels and 10 points 13.
int fontPixelHeight(uint32_t heightPoints, int dotsPerInch, float textScale);

class TextFont {
public:
    TextFont(const char* faceName, uint32_t height, uint32_t flags);
    ~TextFont();
    TextFont(const TextFont&) = delete;
    TextFont& operator=(const TextFont&) = delete;

    // Renders the atlas through platformLayer.glyphs. On failure nothing is
    // kept (no device, no atlas) and `error` says why.
    [[nodiscard]] Status createGlyphAtlas(GraphicsDevice* device);
    [[nodiscard]] Status createDeviceResources();
    // x, y: normalised screen coordinates of the first character's top-left
    // corner; xScale, yScale: fractions of the screen height.
    Status drawText(float x, float y, float z, float xScale, float yScale, uint32_t colour,
                    const char* text, uint32_t flags);
    void releaseDeviceResources();
    void releaseAtlas();

    std::array<char, 80> faceName{};
    uint32_t height = 0;
    uint32_t flags = 0;
    GraphicsDevice* device = nullptr;
    std::unique_ptr<Texture> atlas;
    std::unique_ptr<VertexBuffer> vertexBuffer;
    uint32_t atlasWidth = 0, atlasHeight = 0;
    float textScale = 1.0f;
    std::array<GlyphRect, 96> glyphRects{};
    uint32_t spacing = 0;
    std::unique_ptr<StateBlock> savedState;
    std::unique_ptr<StateBlock> drawState;
    std::string error;  // why the last createGlyphAtlas failed (names the typeface)
};

}  // namespace tiefschacht
