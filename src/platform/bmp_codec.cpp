// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/bmp_codec.hpp"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>

// Only stb_image's BMP decoder is built, privately to this file, and no
// picture larger than a texture gets past it even on its own.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS 4096
#include <stb/stb_image.h>

namespace tiefschacht {

namespace {

uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

// Whether a BMP's header gives its pixels a real alpha channel: only a
// bit-field header that names an alpha mask does. A plain 32-bit BMP keeps
// nothing meaningful in its fourth byte.
bool bmpHasAlphaChannel(const uint8_t* d, size_t n) {
    if (n < 54) return false;
    uint32_t headerSize = readLe32(d + 14);
    uint32_t bits = d[28] | uint32_t(d[29]) << 8;
    uint32_t compression = readLe32(d + 30);
    constexpr uint32_t biBitfields = 3;
    if (bits != 32 && bits != 16) return false;
    if (compression != biBitfields || headerSize < 56 || n < 14 + 56) return false;
    return readLe32(d + 14 + 52) != 0;  // the alpha mask of a V3 or later header
}

// The file as the decoder reads it, noting a read or skip past its end: the
// decoder itself reads missing bytes as zeros, which would make a cut-off
// picture black instead of refused.
struct Reading {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    bool pastEnd = false;
};

int readBytes(void* user, char* out, int wanted) {
    auto* r = static_cast<Reading*>(user);
    const size_t left = r->size - r->pos;
    const size_t n = wanted > 0 ? std::min(left, static_cast<size_t>(wanted)) : 0;
    if (n == 0) r->pastEnd = true;
    std::memcpy(out, r->data + r->pos, n);
    r->pos += n;
    return static_cast<int>(n);
}

void skipBytes(void* user, int count) {
    auto* r = static_cast<Reading*>(user);
    if (count <= 0) return;
    if (static_cast<size_t>(count) > r->size - r->pos) r->pastEnd = true;
    r->pos += std::min(static_cast<size_t>(count), r->size - r->pos);
}

int atEnd(void* user) {
    const auto* r = static_cast<const Reading*>(user);
    return r->pos >= r->size ? 1 : 0;
}

constexpr stbi_io_callbacks callbacks{readBytes, skipBytes, atEnd};

struct FreePixels {
    void operator()(stbi_uc* p) const { stbi_image_free(p); }
};

std::string reason() {
    const char* r = stbi_failure_reason();
    return r != nullptr ? r : "unknown";
}

}  // namespace

PictureStatus decodeBmp(const uint8_t* data, size_t size, uint32_t largestSide, uint64_t pixelLimit,
                        DecodedImage& out, std::string& error) {
    out = DecodedImage{};
    if (size > INT_MAX) {
        error = "damaged BMP picture (too large a file)";
        return PictureStatus::Failed;
    }
    Reading header{data, size};
    int w = 0, h = 0, channels = 0;
    if (stbi_info_from_callbacks(&callbacks, &header, &w, &h, &channels) == 0) {
        error = "damaged BMP picture (" + reason() + ")";
        return PictureStatus::Failed;
    }
    // A picture stored top row first gives its height as a negative number.
    const int64_t width = w, height = std::llabs(static_cast<int64_t>(h));
    out.width = static_cast<int>(width);
    out.height = static_cast<int>(std::min<int64_t>(height, INT_MAX));
    if (width > largestSide || height > largestSide) {
        error = std::to_string(width) + " x " + std::to_string(height) + " pixels, more than " +
                std::to_string(largestSide) + " on a side";
        return PictureStatus::Failed;
    }
    if (static_cast<uint64_t>(width) * static_cast<uint64_t>(height) > pixelLimit)
        return PictureStatus::OverLimit;

    Reading pixels{data, size};
    int dw = 0, dh = 0, dc = 0;
    std::unique_ptr<stbi_uc, FreePixels> rgba(
        stbi_load_from_callbacks(&callbacks, &pixels, &dw, &dh, &dc, 4));
    if (!rgba || pixels.pastEnd || dw != width || dh != height) {
        error = pixels.pastEnd
                    ? std::string("damaged BMP picture (the file ends before its pixels do)")
                    : "damaged BMP picture (" + reason() + ")";
        return PictureStatus::Failed;
    }
    const bool ownAlpha = channels == 4 && bmpHasAlphaChannel(data, size);
    const size_t count = static_cast<size_t>(dw) * static_cast<size_t>(dh);
    out.argb.resize(count);
    bool anyAlpha = false;
    for (size_t i = 0; i < count; ++i) {
        const stbi_uc* p = rgba.get() + 4 * i;
        const uint32_t alpha = ownAlpha ? p[3] : 0xFFu;
        anyAlpha |= alpha != 0;
        out.argb[i] = alpha << 24 | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
    }
    // All-zero alpha: a picture written without alpha in mind.
    if (!anyAlpha)
        for (uint32_t& p : out.argb) p |= 0xFF000000u;
    return PictureStatus::Ok;
}

}  // namespace tiefschacht
