// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Drawing a string: pre-transformed quads in screen pixels, one per visible
// character, sent in batches of at most 100 triangles from the font's
// dynamic vertex buffer, between capturing and restoring the caller's states.
#include "drawing/text_font.hpp"
#include "services/settings.hpp"

namespace tiefschacht {

namespace {

constexpr unsigned char lineFeed = 10;
constexpr unsigned char blank = 32;
constexpr unsigned char lastGlyph = 126;
// A batch is drawn once more than 294 vertices are waiting: 100 triangles.
constexpr uint32_t batchVertexLimit = 294;
constexpr uint32_t vertexStride = sizeof(FontVertex);
constexpr uint32_t batchVertexRoom = 300;

bool hasGlyph(unsigned char c) { return c >= blank && c <= lastGlyph; }

}  // namespace

Status TextFont::drawText(float x, float y, float z, float xScale, float yScale, uint32_t colour,
                          const char* text, uint32_t drawFlags) {
    if (device == nullptr || !vertexBuffer || !savedState || !drawState) return StatusFail;
    if (vertexBuffer->size() < batchVertexRoom * vertexStride) return StatusFail;
    if (text == nullptr) return StatusOk;
    // Without a screen size nothing can be placed (and nothing divided by it).
    if (settings.screenWidth <= 0 || settings.screenHeight <= 0) return StatusFail;

    // The line height in texels: the cell height of the blank.
    const GlyphRect& blankRect = glyphRects[0];
    const float lineTexels = (blankRect.bottom - blankRect.top) * static_cast<float>(atlasHeight);
    if (!(lineTexels > 0.0f)) return StatusFail;

    savedState->capture();
    drawState->apply();

    device->setFvf(FvfScreenVertex);
    device->setPixelShader(nullptr);
    device->setStreamSource(0, vertexBuffer.get(), 0, vertexStride);
    if ((drawFlags & TextFiltered) != 0) {
        device->setSamplerState(0, SamplerState::MinFilter, FilterLinear);
        device->setSamplerState(0, SamplerState::MagFilter, FilterLinear);
    }

    const float screenW = static_cast<float>(settings.screenWidth);
    const float screenH = static_cast<float>(settings.screenHeight);
    const float xFactor = xScale * screenH / lineTexels;  // texels to pixels, across
    const float yFactor = yScale * screenH / lineTexels;  // texels to pixels, down
    const float widthTexels = static_cast<float>(atlasWidth);
    const float margin = static_cast<float>(spacing) * xFactor;

    // The advance of a character in pixels: its cell without the margins.
    auto cellWidth = [&](const GlyphRect& r) { return (r.right - r.left) * widthTexels * xFactor; };

    if ((drawFlags & TextCentreX) != 0) {
        float lineWidth = 0.0f;
        for (const char* p = text; *p != '\0' && static_cast<unsigned char>(*p) != lineFeed; ++p) {
            const auto c = static_cast<unsigned char>(*p);
            if (!hasGlyph(c)) continue;
            lineWidth += cellWidth(glyphRects[c - blank]) - 2.0f * margin;
        }
        x = -lineWidth / screenW;
    }
    if ((drawFlags & TextCentreY) != 0) y = -lineTexels / screenH;

    const float startX = (x + 1.0f) * screenW / 2.0f - margin;
    float sx = startX;
    float sy = (y + 1.0f) * screenH / 2.0f;

    void* locked = nullptr;
    Status status = vertexBuffer->lock(0, 0, &locked, LockDiscard);
    if (!succeeded(status) || locked == nullptr) {
        savedState->apply();
        return succeeded(status) ? StatusFail : status;
    }
    auto* vertices = static_cast<FontVertex*>(locked);
    uint32_t triangles = 0;

    for (const char* p = text; *p != '\0'; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (c == lineFeed) {
            sx = startX;
            sy += yScale * screenH;
        }
        if (!hasGlyph(c)) continue;

        const GlyphRect& r = glyphRects[c - blank];
        const float w = cellWidth(r);
        const float h = (r.bottom - r.top) * static_cast<float>(atlasHeight) * yFactor;
        if (c != blank) {
            // Pixel centres lie on integer coordinates: shift by half a pixel
            // so that texels land on pixels one to one.
            const float x0 = sx - 0.5f, x1 = sx + w - 0.5f;
            const float y0 = sy - 0.5f, y1 = sy + h - 0.5f;
            FontVertex* v = vertices + triangles * 3;
            v[0] = FontVertex{x0, y1, z, 1.0f, colour, r.left, r.bottom};
            v[1] = FontVertex{x0, y0, z, 1.0f, colour, r.left, r.top};
            v[2] = FontVertex{x1, y1, z, 1.0f, colour, r.right, r.bottom};
            v[3] = FontVertex{x1, y0, z, 1.0f, colour, r.right, r.top};
            v[4] = FontVertex{x1, y1, z, 1.0f, colour, r.right, r.bottom};
            v[5] = FontVertex{x0, y0, z, 1.0f, colour, r.left, r.top};
            triangles += 2;
            if (triangles * 3 > batchVertexLimit) {
                vertexBuffer->unlock();
                device->drawPrimitive(PrimitiveType::TriangleList, 0, triangles);
                triangles = 0;
                locked = nullptr;
                status = vertexBuffer->lock(0, 0, &locked, LockDiscard);
                if (!succeeded(status) || locked == nullptr) {
                    savedState->apply();
                    return succeeded(status) ? StatusFail : status;
                }
                vertices = static_cast<FontVertex*>(locked);
            }
        }
        sx += w - 2.0f * margin;
    }

    vertexBuffer->unlock();
    if (triangles > 0) device->drawPrimitive(PrimitiveType::TriangleList, 0, triangles);

    savedState->apply();
    return StatusOk;
}

}  // namespace tiefschacht
