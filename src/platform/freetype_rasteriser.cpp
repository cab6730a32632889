// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The glyph rasteriser: typefaces found by name through fontconfig and drawn
// by FreeType, anti-aliased, white on black, into 8-bit coverage bitmaps.
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_SYNTHESIS_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends.hpp"

namespace tiefschacht {

namespace {

struct FtLibraryDeleter {
    void operator()(FT_Library library) const { FT_Done_FreeType(library); }
};
struct FtFaceDeleter {
    void operator()(FT_Face face) const { FT_Done_Face(face); }
};
struct FcConfigDeleter {
    void operator()(FcConfig* config) const { FcConfigDestroy(config); }
};
struct FcPatternDeleter {
    void operator()(FcPattern* pattern) const { FcPatternDestroy(pattern); }
};

// Shared, so that a face keeps its library alive even when it outlives the
// rasteriser that opened it.
using FtLibraryRef = std::shared_ptr<FT_LibraryRec_>;
using FtFaceHandle = std::unique_ptr<FT_FaceRec_, FtFaceDeleter>;
using FcConfigHandle = std::unique_ptr<FcConfig, FcConfigDeleter>;
using FcPatternHandle = std::unique_ptr<FcPattern, FcPatternDeleter>;

constexpr int screenDotsPerInch = 96;

// Font units scaled to pixels, rounded to the nearest pixel.
int scaleFontUnits(long units, int pixelsPerEm, int unitsPerEm) {
    if (unitsPerEm <= 0) return 0;
    return static_cast<int>(std::lround(static_cast<double>(units) * pixelsPerEm / unitsPerEm));
}

class FreeTypeFace final : public GlyphFace {
public:
    FreeTypeFace(FtLibraryRef library, FtFaceHandle face, bool embolden)
        : library_(std::move(library)), face_(std::move(face)), embolden_(embolden) {
        measureCell();
    }

    int cellHeight() const override { return ascent_ + descent_; }

    int advance(unsigned char c) const override {
        if (!loadGlyph(c)) return 0;
        return static_cast<int>((face_->glyph->advance.x + 32) >> 6);
    }

    void draw(unsigned char c, uint8_t* coverage, int bitmapWidth, int bitmapHeight, int x,
              int y) const override {
        if (coverage == nullptr || bitmapWidth <= 0 || bitmapHeight <= 0) return;
        if (!loadGlyph(c)) return;
        FT_GlyphSlot slot = face_->glyph;
        if (slot->format != FT_GLYPH_FORMAT_BITMAP &&
            FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) != 0)
            return;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.buffer == nullptr) return;  // blanks have no pixels
        const int left = x + slot->bitmap_left;
        const int top = y + ascent_ - slot->bitmap_top;
        const int rows = static_cast<int>(bitmap.rows);
        const int width = static_cast<int>(bitmap.width);
        const int stride = std::abs(bitmap.pitch);
        for (int r = 0; r < rows; ++r) {
            const int ty = top + r;
            if (ty < 0 || ty >= bitmapHeight) continue;
            // A negative pitch means the rows are stored bottom first.
            const unsigned char* src =
                bitmap.buffer +
                static_cast<ptrdiff_t>(bitmap.pitch >= 0 ? r : rows - 1 - r) * stride;
            uint8_t* dst = coverage + static_cast<ptrdiff_t>(ty) * bitmapWidth;
            for (int col = 0; col < width; ++col) {
                const int tx = left + col;
                if (tx < 0 || tx >= bitmapWidth) continue;
                uint8_t value = 0;
                if (bitmap.pixel_mode == FT_PIXEL_MODE_GRAY) {
                    const int levels = bitmap.num_grays > 1 ? bitmap.num_grays - 1 : 255;
                    value = static_cast<uint8_t>(src[col] * 255 / levels);
                } else if (bitmap.pixel_mode == FT_PIXEL_MODE_MONO) {
                    value = (src[col >> 3] & (0x80 >> (col & 7))) ? 255 : 0;
                } else {
                    return;  // colour bitmaps are no glyphs for text
                }
                // Overlapping neighbours keep the stronger coverage.
                dst[tx] = std::max(dst[tx], value);
            }
        }
    }

private:
    void measureCell() {
        const int ppem = face_->size->metrics.y_ppem;
        const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_.get(), FT_SFNT_OS2));
        if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
            // The Windows metrics give the cell height the fonts were made for.
            ascent_ = scaleFontUnits(os2->usWinAscent, ppem, face_->units_per_EM);
            descent_ = scaleFontUnits(os2->usWinDescent, ppem, face_->units_per_EM);
        } else {
            ascent_ = static_cast<int>((face_->size->metrics.ascender + 32) >> 6);
            descent_ = static_cast<int>((-face_->size->metrics.descender + 32) >> 6);
        }
        if (ascent_ + descent_ < 1) ascent_ = std::max(1, ppem);
    }

    // Character codes are Latin-1, which are also their Unicode code points.
    bool loadGlyph(unsigned char c) const {
        if (FT_Load_Char(face_.get(), c, FT_LOAD_DEFAULT | FT_LOAD_NO_BITMAP) != 0) return false;
        if (embolden_) FT_GlyphSlot_Embolden(face_->glyph);
        return true;
    }

    FtLibraryRef library_;
    FtFaceHandle face_;
    bool embolden_ = false;
    int ascent_ = 0;
    int descent_ = 0;
};

// True when `family` is one of the names the request binds strongly after
// fontconfig's substitution: the name asked for and its metric-compatible
// aliases. Families that were only added as loose preferences (generic
// fallbacks such as "DejaVu Sans" for an unknown name) are weakly bound.
bool isStrongFamily(FcPattern* substituted, const FcChar8* family) {
    FcPatternIter iter;
    FcPatternIterStart(substituted, &iter);
    if (!FcPatternFindIter(substituted, &iter, FC_FAMILY)) return false;
    const int count = FcPatternIterValueCount(substituted, &iter);
    for (int i = 0; i < count; ++i) {
        FcValue value;
        FcValueBinding binding;
        if (FcPatternIterGetValue(substituted, &iter, i, &value, &binding) != FcResultMatch)
            continue;
        if (value.type != FcTypeString || binding == FcValueBindingWeak) continue;
        if (FcStrCmpIgnoreCase(value.u.s, family) == 0) return true;
    }
    return false;
}

bool isAcceptableMatch(FcPattern* substituted, FcPattern* match) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        if (isStrongFamily(substituted, family)) return true;
    return false;
}

std::string describeFace(const char* name, bool bold, bool italic) {
    std::string text = "typeface \"";
    text += name;
    text += "\"";
    if (bold || italic) {
        text += " (";
        text += bold ? "bold" : "";
        text += bold && italic ? ", " : "";
        text += italic ? "italic" : "";
        text += ")";
    }
    return text;
}

// Whether the process has run out of file descriptors: fontconfig and
// FreeType then fail as if no face were installed. Looks at what the failed
// call left in errno, and tries to open two files at once, as looking a face
// up does.
bool outOfFileHandles(int errorLeft, std::string& why) {
    if (errorLeft == EMFILE || errorLeft == ENFILE) {
        why = std::strerror(errorLeft);
        return true;
    }
    const int first = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int failure = first < 0 ? errno : 0;
    const int second = first < 0 ? -1 : ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int secondFailure = first >= 0 && second < 0 ? errno : 0;
    if (first >= 0) ::close(first);
    if (second >= 0) ::close(second);
    for (int code : {failure, secondFailure}) {
        if (code == EMFILE || code == ENFILE) {
            why = std::strerror(code);
            return true;
        }
    }
    return false;
}

// The reason a face cannot be had when it is the lack of file handles.
std::string noFileHandles(const std::string& described, const std::string& why) {
    return described + " cannot be looked up: the game has run out of file handles (" + why + ")";
}

class FreeTypeRasteriser final : public GlyphRasteriser {
public:
    std::unique_ptr<GlyphFace> openFace(const char* faceName, int pixelHeight, bool bold,
                                        bool italic, std::string& error) override {
        const char* name = faceName != nullptr ? faceName : "";
        const std::string described = describeFace(name, bold, italic);
        if (pixelHeight < 1) {
            error = described + ": no usable pixel height (" + std::to_string(pixelHeight) + ")";
            return nullptr;
        }
        std::string why;
        errno = 0;
        if (!start(error)) {
            error = outOfFileHandles(errno, why) ? noFileHandles(described, why)
                                                 : described + ": " + error;
            return nullptr;
        }
        std::string file;
        int index = 0;
        bool embolden = false;
        errno = 0;
        if (!findFace(name, bold, italic, file, index, embolden)) {
            error = outOfFileHandles(errno, why)
                        ? noFileHandles(described, why)
                        : described +
                              " not found (no installed face of that family or a "
                              "metric-compatible one)";
            return nullptr;
        }
        FT_Face raw = nullptr;
        errno = 0;
        if (FT_New_Face(library_.get(), file.c_str(), index, &raw) != 0 || raw == nullptr) {
            const int failure = errno;
            error =
                outOfFileHandles(failure, why)
                    ? noFileHandles(described, why)
                    : described + ": cannot open " + file +
                          (failure != 0 ? std::string(" (") + std::strerror(failure) + ")" : "");
            return nullptr;
        }
        FtFaceHandle face(raw);
        if (FT_Set_Pixel_Sizes(face.get(), 0, static_cast<FT_UInt>(pixelHeight)) != 0) {
            error = described + ": " + file + " cannot be drawn at " + std::to_string(pixelHeight) +
                    " pixels";
            return nullptr;
        }
        return std::make_unique<FreeTypeFace>(library_, std::move(face), embolden);
    }

    int dotsPerInch() const override { return screenDotsPerInch; }

private:
    // FreeType and fontconfig are started on the first face asked for.
    bool start(std::string& error) {
        if (!library_) {
            FT_Library raw = nullptr;
            if (FT_Init_FreeType(&raw) != 0 || raw == nullptr) {
                error = "FreeType cannot be started";
                return false;
            }
            library_ = FtLibraryRef(raw, FtLibraryDeleter{});
        }
        if (!config_) {
            config_.reset(FcInitLoadConfigAndFonts());
            if (!config_) {
                error = "fontconfig cannot be started";
                return false;
            }
        }
        return true;
    }

    bool findFace(const char* name, bool bold, bool italic, std::string& file, int& index,
                  bool& embolden) {
        FcPatternHandle pattern(FcPatternCreate());
        if (!pattern) return false;
        FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name));
        FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
        FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
        FcPatternAddBool(pattern.get(), FC_SCALABLE, FcTrue);
        if (!FcConfigSubstitute(config_.get(), pattern.get(), FcMatchPattern)) return false;
        FcDefaultSubstitute(pattern.get());

        FcResult result = FcResultNoMatch;
        FcPatternHandle match(FcFontMatch(config_.get(), pattern.get(), &result));
        if (!match || result != FcResultMatch) return false;
        if (!isAcceptableMatch(pattern.get(), match.get())) return false;

        FcChar8* path = nullptr;
        if (FcPatternGetString(match.get(), FC_FILE, 0, &path) != FcResultMatch || path == nullptr)
            return false;
        file = reinterpret_cast<const char*>(path);
        if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) != FcResultMatch) index = 0;
        // A family without a bold face is drawn bold by thickening its strokes.
        FcBool synthetic = FcFalse;
        embolden = FcPatternGetBool(match.get(), FC_EMBOLDEN, 0, &synthetic) == FcResultMatch &&
                   synthetic == FcTrue;
        return true;
    }

    FtLibraryRef library_;
    FcConfigHandle config_;
};

}  // namespace

std::unique_ptr<GlyphRasteriser> createFreeTypeRasteriser() {
    return std::make_unique<FreeTypeRasteriser>();
}

}  // namespace tiefschacht
