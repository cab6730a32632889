// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Pictures: BMP and JPEG through SDL2_image after the header pass of
// stb_image (bmp_header.cpp) or libjpeg (jpeg_header.cpp), PNG through libpng
// itself (png_codec.cpp); each is refused before decoding when its header,
// as a picture library's own header pass reads it, asks for more than the
// caller allows.
#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

#include "platform/backends.hpp"
#include "platform/bmp_header.hpp"
#include "platform/file_access.hpp"
#include "platform/jpeg_header.hpp"
#include "platform/png_codec.hpp"

namespace tiefschacht {

namespace {
// Pictures larger than this on either side are refused before decoding, so a
// damaged or hostile header cannot ask for gigabytes (a few bytes claiming
// 16384 x 16384 pixels cost seconds and over a gigabyte to decode). No
// texture can be larger: it is the largest side the graphics device takes.
constexpr uint32_t largestSide = 4096;
// An uncompressed BMP of the largest size, with room for its headers.
constexpr size_t largestFile = (size_t{largestSide} * largestSide * 4) + (1u << 20);

bool isPng(const uint8_t* d, size_t n) {
    static constexpr uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    return n >= 8 && std::memcmp(d, pngSignature, 8) == 0;
}
uint32_t readLe32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

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
bool isJpeg(const uint8_t* d, size_t n) {
    return n >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF;
}

// Whether every chunk of a PNG lies inside the file, up to and with IEND.
// The PNG loader does not notice when a read comes up short, so a chunk
// that claims to run past the end makes it read the same bytes forever.
bool pngChunksInside(const uint8_t* d, size_t n) {
    size_t p = 8;
    while (p + 12 <= n) {
        const uint32_t length =
            uint32_t{d[p]} << 24 | uint32_t{d[p + 1]} << 16 | uint32_t{d[p + 2]} << 8 | d[p + 3];
        const uint64_t end = uint64_t{p} + 12 + length;
        if (end > n) return false;
        if (std::memcmp(d + p + 4, "IEND", 4) == 0) return true;
        p = static_cast<size_t>(end);
    }
    return false;
}

// The formats decoded: only those whose declared size can be checked before
// decoding. Anything else SDL2_image would guess from the contents (SVG, GIF,
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
    case Format::Jpeg: return IMG_LoadJPG_RW(rw);
    case Format::Png:  // decoded by libpng directly
    case Format::None: break;
    }
    return nullptr;
}

std::string sizeText(int64_t w, int64_t h) {
    return std::to_string(w) + " x " + std::to_string(h) + " pixels";
}

class SdlImageDecoder final : public ImageDecoder {
public:
    PictureStatus decodeFile(const char* path, uint64_t pixelLimit, DecodedImage& out,
                             std::string& error) override {
        std::string bytes;
        if (!readRegularFile(path ? path : "", largestFile, bytes, error))
            return PictureStatus::Failed;
        return decodeMemory(bytes.data(), bytes.size(), pixelLimit, out, error);
    }

    PictureStatus decodeMemory(const void* data, size_t size, uint64_t pixelLimit,
                               DecodedImage& out, std::string& error) override {
        out = DecodedImage{};
        if (!data || size == 0) {
            error = "empty file";
            return PictureStatus::Failed;
        }
        if (size > largestFile) {
            error = "larger than " + describeSize(largestFile);
            return PictureStatus::Failed;
        }
        const auto* bytes = static_cast<const uint8_t*>(data);
        const Format format = formatOf(bytes, size);
        if (format == Format::None) {
            error = "not a BMP, PNG or JPEG picture";
            return PictureStatus::Failed;
        }
        if (format == Format::Png) {
            // The chunks are checked first: a PNG cut short is refused as a
            // whole, before any of it is decoded.
            if (!pngChunksInside(bytes, size)) {
                error = "damaged PNG picture (a chunk runs past the end of the file)";
                return PictureStatus::Failed;
            }
            return decodePng(bytes, size, largestSide, pixelLimit, out, error);
        }
        // The size from a picture library's own header pass (libjpeg's, which
        // SDL2_image's JPEG decoder repeats; stb_image's info call for a BMP):
        // a picture too large is never decoded.
        uint32_t w = 0, h = 0;
        std::string reason;
        const bool jpeg = format == Format::Jpeg;
        if (!(jpeg ? readJpegSize(bytes, size, w, h, reason)
                   : readBmpSize(bytes, size, w, h, reason))) {
            error = std::string(jpeg ? "damaged JPEG picture (" : "damaged BMP picture (") +
                    reason + ")";
            return PictureStatus::Failed;
        }
        out.width = static_cast<int>(std::min<uint32_t>(w, INT_MAX));
        out.height = static_cast<int>(std::min<uint32_t>(h, INT_MAX));
        if (w > largestSide || h > largestSide) {
            error = sizeText(w, h) + ", more than " + std::to_string(largestSide) + " on a side";
            return PictureStatus::Failed;
        }
        if (uint64_t{w} * h > pixelLimit) return PictureStatus::OverLimit;
        return decodeWithSdl(format, bytes, size, pixelLimit, out, error);
    }

    bool encode(const DecodedImage& image, PictureFileType type, std::string& out,
                std::string& error) override {
        if (image.width <= 0 || image.height <= 0 ||
            image.argb.size() !=
                static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
            error = "the picture has no pixels";
            return false;
        }
        if (type == PictureFileType::Png) return encodePng(image, out, error);
        return encodeBmp(image, out, error);
    }

private:
    static PictureStatus decodeWithSdl(Format format, const uint8_t* bytes, size_t size,
                                       uint64_t pixelLimit, DecodedImage& out, std::string& error) {
        SDL_RWops* rw = SDL_RWFromConstMem(bytes, static_cast<int>(size));
        if (!rw) {
            error = SDL_GetError();
            return PictureStatus::Failed;
        }
        SDL_Surface* loaded = loadAs(format, rw);
        SDL_RWclose(rw);
        if (!loaded) {
            error = std::string("damaged picture (") + SDL_GetError() + ")";
            return PictureStatus::Failed;
        }
        // The decoder must find the size the header pass gave; a picture
        // that reads otherwise is refused as the damage it is.
        if (loaded->w != out.width || loaded->h != out.height) {
            SDL_FreeSurface(loaded);
            error = "damaged picture (its decoder reads another size from its header)";
            return PictureStatus::Failed;
        }
        if (static_cast<uint64_t>(loaded->w) * static_cast<uint64_t>(loaded->h) > pixelLimit) {
            SDL_FreeSurface(loaded);
            return PictureStatus::OverLimit;
        }
        const bool ownAlpha = loaded->format->Amask != 0 &&
                              (format != Format::Bmp || bmpHasAlphaChannel(bytes, size));
        SDL_Surface* argb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
        SDL_FreeSurface(loaded);
        if (!argb) {
            error = SDL_GetError();
            return PictureStatus::Failed;
        }
        bool ok = copyOut(argb, ownAlpha, format == Format::Bmp, out);
        SDL_FreeSurface(argb);
        if (!ok) error = "the decoded picture cannot be read";
        return ok ? PictureStatus::Ok : PictureStatus::Failed;
    }

    // SDL writes the BMP into a buffer large enough for any 32-bit BMP of
    // the picture's size; where it stopped is the file's end.
    static bool encodeBmp(const DecodedImage& image, std::string& out, std::string& error) {
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(image.argb.data()), image.width, image.height, 32,
            image.width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (!s) {
            error = SDL_GetError();
            return false;
        }
        out.assign(image.argb.size() * 4 + 1024, '\0');
        SDL_RWops* rw = SDL_RWFromMem(out.data(), static_cast<int>(out.size()));
        const bool saved = rw && SDL_SaveBMP_RW(s, rw, 0) == 0;
        const Sint64 end = rw ? SDL_RWtell(rw) : -1;
        if (rw) SDL_RWclose(rw);
        SDL_FreeSurface(s);
        if (!saved || end <= 0) {
            error = std::string("the picture cannot be encoded as BMP (") + SDL_GetError() + ")";
            out.clear();
            return false;
        }
        out.resize(static_cast<size_t>(end));
        return true;
    }

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
            const auto* row = reinterpret_cast<const uint32_t*>(
                static_cast<const uint8_t*>(s->pixels) + static_cast<size_t>(y) * s->pitch);
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

std::unique_ptr<ImageDecoder> createSdlImageDecoder() {
    return std::make_unique<SdlImageDecoder>();
}

}  // namespace tiefschacht
