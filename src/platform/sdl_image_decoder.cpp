#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/backends.hpp"

namespace {
// Pictures larger than this on either side are refused before decoding, so a
// damaged or hostile header cannot ask for gigabytes (a few bytes claiming
// 16384 x 16384 pixels cost seconds and over a gigabyte to decode). No
// texture can be larger: it is the largest side the graphics device takes.
constexpr uint32_t largestSide = 4096;
constexpr size_t largestFile = 256u << 20;

uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint32_t readBe32(const uint8_t* p) {
    return uint32_t(p[3]) | uint32_t(p[2]) << 8 | uint32_t(p[1]) << 16 | uint32_t(p[0]) << 24;
}
uint16_t readBe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] << 8 | p[1]); }

bool isBmp(const uint8_t* d, size_t n) { return n >= 2 && d[0] == 'B' && d[1] == 'M'; }

// Whether a BMP's header gives its pixels a real alpha channel: only a
// bit-field header that names an alpha mask does. A plain 32-bit BMP keeps
// nothing meaningful in its fourth byte.
bool bmpHasAlphaChannel(const uint8_t* d, size_t n) {
    if (n < 54) return false;
    uint32_t headerSize = readLe32(d + 14);
    uint32_t bits = d[28] | uint32_t(d[29]) << 8;
    uint32_t compression = readLe32(d + 30);
    constexpr uint32_t biBitfields = 3, biAlphaBitfields = 6;
    if (bits != 32 && bits != 16) return false;
    if (compression == biAlphaBitfields) return true;
    if (compression != biBitfields || headerSize < 56 || n < 14 + 56) return false;
    return readLe32(d + 14 + 52) != 0;  // the alpha mask of a V3 or later header
}

bool isPng(const uint8_t* d, size_t n) {
    static constexpr uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return n >= 8 && std::memcmp(d, pngSignature, 8) == 0;
}
bool isJpeg(const uint8_t* d, size_t n) { return n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF; }

// Whether every chunk of a PNG lies inside the file, up to and with IEND.
// The PNG loader does not notice when a read comes up short, so a chunk
// that claims to run past the end makes it read the same bytes forever.
bool pngChunksInside(const uint8_t* d, size_t n) {
    size_t p = 8;
    while (p + 12 <= n) {
        const uint64_t end = uint64_t{p} + 12 + readBe32(d + p);
        if (end > n) return false;
        if (std::memcmp(d + p + 4, "IEND", 4) == 0) return true;
        p = static_cast<size_t>(end);
    }
    return false;
}

// The formats decoded: only those whose declared size sizeAcceptable can
// check. Anything else SDL2_image would guess from the contents (SVG, GIF,
// XCF and the rest) is refused, so no file gets past the size guard, or into
// a loader the game never needs, by its format.
enum class Format { None, Bmp, Png, Jpeg };

Format formatOf(const uint8_t* d, size_t n) {
    if (isBmp(d, n)) return Format::Bmp;
    if (isPng(d, n)) return Format::Png;
    if (isJpeg(d, n)) return Format::Jpeg;
    return Format::None;
}

// The format's own loader: the general one would try every format in turn
// however the file starts.
SDL_Surface* loadAs(Format format, SDL_RWops* rw) {
    switch (format) {
    case Format::Bmp: return IMG_LoadBMP_RW(rw);
    case Format::Png: return IMG_LoadPNG_RW(rw);
    case Format::Jpeg: return IMG_LoadJPG_RW(rw);
    case Format::None: break;
    }
    return nullptr;
}

// Rejects declared sizes beyond largestSide; each format has its size in a
// known place.
bool sizeAcceptable(Format format, const uint8_t* d, size_t n) {
    auto ok = [](int64_t w, int64_t h) {
        if (w < 0) w = -w;
        if (h < 0) h = -h;
        return w <= largestSide && h <= largestSide;
    };
    switch (format) {
    case Format::Bmp: {
        // Too short to hold its size: the loader would read the missing
        // bytes as whatever it likes, and ask for gigabytes.
        if (n < 26) return false;
        uint32_t headerSize = readLe32(d + 14);
        if (headerSize == 12)
            return ok(d[18] | d[19] << 8, d[20] | d[21] << 8);
        return ok(static_cast<int32_t>(readLe32(d + 18)), static_cast<int32_t>(readLe32(d + 22)));
    }
    case Format::Png:
        return n < 24 || (readBe32(d + 16) <= largestSide && readBe32(d + 20) <= largestSide);
    case Format::Jpeg: {
        // Walk the JPEG segments up to the first frame header.
        size_t p = 2;
        while (p + 4 <= n) {
            if (d[p] != 0xFF) return true;  // let the decoder judge the damage
            uint8_t marker = d[p + 1];
            if (marker == 0xFF) { ++p; continue; }
            if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
                p += 2;
                continue;
            }
            uint16_t length = readBe16(d + p + 2);
            bool frameHeader = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 &&
                               marker != 0xC8 && marker != 0xCC;
            if (frameHeader) {
                if (p + 9 > n) return true;
                return ok(readBe16(d + p + 5), readBe16(d + p + 7));
            }
            p += 2 + length;
        }
        return true;
    }
    case Format::None: break;
    }
    return false;
}

class SdlImageDecoder final : public ImageDecoder {
public:
    bool decodeFile(const char* path, DecodedImage& out) override {
        if (!path) return false;
        std::ifstream in(path, std::ios::binary);
        if (!in) return false;
        in.seekg(0, std::ios::end);
        std::streamoff size = in.tellg();
        if (size <= 0 || static_cast<uint64_t>(size) > largestFile) return false;
        in.seekg(0, std::ios::beg);
        std::vector<uint8_t> bytes(static_cast<size_t>(size));
        if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) return false;
        return decodeMemory(bytes.data(), bytes.size(), out);
    }

    bool decodeMemory(const void* data, size_t size, DecodedImage& out) override {
        if (!data || size == 0 || size > largestFile) return false;
        const auto* bytes = static_cast<const uint8_t*>(data);
        const Format format = formatOf(bytes, size);
        if (!sizeAcceptable(format, bytes, size)) return false;
        if (format == Format::Png && !pngChunksInside(bytes, size)) return false;
        SDL_RWops* rw = SDL_RWFromConstMem(data, static_cast<int>(size));
        if (!rw) return false;
        SDL_Surface* loaded = loadAs(format, rw);
        SDL_RWclose(rw);
        if (!loaded) return false;
        bool ownAlpha = loaded->format->Amask != 0 &&
                        (format != Format::Bmp || bmpHasAlphaChannel(bytes, size));
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        if (!argb) return false;
        bool ok = copyOut(argb, ownAlpha, format == Format::Bmp, out);
        SDL_FreeSurface(argb);
        return ok;
    }

    bool writeFile(const char* path, const DecodedImage& image) override {
        if (!path || image.width <= 0 || image.height <= 0 ||
            image.argb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
            return false;
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(image.argb.data()), image.width, image.height, 32,
            image.width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (!s) return false;
        std::string name(path);
        std::string ext = name.size() >= 4 ? name.substr(name.size() - 4) : "";
        std::transform(ext.begin(), ext.end(), ext.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        int rc = ext == ".bmp" ? SDL_SaveBMP(s, path) : IMG_SavePNG(s, path);
        SDL_FreeSurface(s);
        return rc == 0;
    }

private:
        // ownAlpha: the picture's fourth channel is alpha (else every pixel is
    // opaque). bmp: all-zero alpha means a BMP written without alpha in mind.
    static bool copyOut(SDL_Surface* s, bool ownAlpha, bool bmp, DecodedImage& out) {
        if (s->w <= 0 || s->h <= 0) return false;
        if (SDL_MUSTLOCK(s) && SDL_LockSurface(s) != 0) return false;
        out.width = s->w;
        out.height = s->h;
        out.argb.resize(static_cast<size_t>(s->w) * static_cast<size_t>(s->h));
        bool anyAlpha = false;
        for (int y = 0; y < s->h; ++y) {
            const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(s->pixels) +
                                                                static_cast<size_t>(y) * s->pitch);
            uint32_t* dst = out.argb.data() + static_cast<size_t>(y) * s->w;
            for (int x = 0; x < s->w; ++x) {
                uint32_t p = row[x];
                if (!ownAlpha) p |= 0xFF000000u;
                anyAlpha |= (p >> 24) != 0;
                dst[x] = p;
            }
        }
        if (SDL_MUSTLOCK(s)) SDL_UnlockSurface(s);
        if (ownAlpha && bmp && !anyAlpha)
            for (uint32_t& p : out.argb) p |= 0xFF000000u;
        return true;
    }
};
}  // namespace

std::unique_ptr<ImageDecoder> createSdlImageDecoder() { return std::make_unique<SdlImageDecoder>(); }
