// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/png_codec.hpp"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>
#include <vector>

namespace tiefschacht {

// Pixels are handed over as 32-bit A8R8G8B8 words, which libpng writes as
// the bytes B, G, R, A: the order of those words in a little-endian memory.
static_assert(std::endian::native == std::endian::little,
              "the picture codecs assume a little-endian machine");

namespace {

// Everything libpng's callbacks reach. The steps that libpng may leave with
// a long jump keep their state here, never in locals with destructors.
struct PngJob {
    const uint8_t* data = nullptr;
    size_t size = 0;
    size_t pos = 0;
    uint32_t largestSide = 0;
    uint64_t pixelLimit = 0;
    DecodedImage* out = nullptr;
    std::vector<png_bytep>* rows = nullptr;
    std::string* message = nullptr;  // libpng's error
    PictureStatus status = PictureStatus::Failed;
};

void readFromMemory(png_structp png, png_bytep out, size_t length) {
    auto* job = static_cast<PngJob*>(png_get_io_ptr(png));
    if (length > job->size - job->pos) png_error(png, "the file ends early");
    std::memcpy(out, job->data + job->pos, length);
    job->pos += length;
}

[[noreturn]] void onError(png_structp png, png_const_charp message) {
    auto* job = static_cast<PngJob*>(png_get_error_ptr(png));
    job->message->assign(message != nullptr ? message : "damaged");
    png_longjmp(png, 1);
}

// A warning comes with a picture that still loads: nothing to say.
void onWarning(png_structp, png_const_charp) {}

// Reads the header, checks the size, then decodes into A8R8G8B8 words.
void decodeSteps(png_structp png, png_infop info, PngJob& job) {
    png_set_read_fn(png, &job, readFromMemory);
    png_read_info(png, info);
    const png_uint_32 width = png_get_image_width(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    job.out->width = static_cast<int>(width);
    job.out->height = static_cast<int>(height);
    if (width > job.largestSide || height > job.largestSide) return;
    if (uint64_t{width} * height > job.pixelLimit) {
        job.status = PictureStatus::OverLimit;
        return;
    }
    const int colour = png_get_color_type(png, info);
    png_set_strip_16(png);
    png_set_packing(png);
    if (colour == PNG_COLOR_TYPE_PALETTE) png_set_palette_to_rgb(png);
    if (colour == PNG_COLOR_TYPE_GRAY && png_get_bit_depth(png, info) < 8)
        png_set_expand_gray_1_2_4_to_8(png);
    if (png_get_valid(png, info, PNG_INFO_tRNS) != 0) png_set_tRNS_to_alpha(png);
    if (colour == PNG_COLOR_TYPE_GRAY || colour == PNG_COLOR_TYPE_GRAY_ALPHA)
        png_set_gray_to_rgb(png);
    png_set_bgr(png);
    png_set_filler(png, 0xFF, PNG_FILLER_AFTER);  // opaque where the file has no alpha
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t{width} * 4) png_error(png, "unexpected row layout");

    job.out->argb.assign(size_t{width} * height, 0);
    job.rows->resize(height);
    for (png_uint_32 y = 0; y < height; ++y)
        (*job.rows)[y] = reinterpret_cast<png_bytep>(job.out->argb.data() + size_t{y} * width);
    png_read_image(png, job.rows->data());
    png_read_end(png, nullptr);
    job.status = PictureStatus::Ok;
}

// False when libpng gave up with an error (the job's message says which).
bool runDecoding(png_structp png, png_infop info, PngJob& job) {
    if (setjmp(png_jmpbuf(png)) != 0) return false;
    decodeSteps(png, info, job);
    return true;
}

class PngReadHandle {
public:
    explicit PngReadHandle(PngJob& job)
        : png_(png_create_read_struct(PNG_LIBPNG_VER_STRING, &job, onError, onWarning)),
          info_(png_ != nullptr ? png_create_info_struct(png_) : nullptr) {}
    ~PngReadHandle() {
        if (png_ != nullptr)
            png_destroy_read_struct(&png_, info_ != nullptr ? &info_ : nullptr, nullptr);
    }
    PngReadHandle(const PngReadHandle&) = delete;
    PngReadHandle& operator=(const PngReadHandle&) = delete;
    png_structp png() const { return png_; }
    png_infop info() const { return info_; }

private:
    png_structp png_;
    png_infop info_;
};

}  // namespace

PictureStatus decodePng(const uint8_t* data, size_t size, uint32_t largestSide, uint64_t pixelLimit,
                        DecodedImage& out, std::string& error) {
    std::string message;
    std::vector<png_bytep> rows;
    PngJob job;
    job.data = data;
    job.size = size;
    job.largestSide = largestSide;
    job.pixelLimit = pixelLimit;
    job.out = &out;
    job.rows = &rows;
    job.message = &message;
    out = DecodedImage{};

    PngReadHandle handle(job);
    if (handle.png() == nullptr || handle.info() == nullptr) {
        error = "libpng cannot be started";
        return PictureStatus::Failed;
    }
    if (!runDecoding(handle.png(), handle.info(), job)) {
        error = "damaged PNG picture (" + message + ")";
        out.argb.clear();
        return PictureStatus::Failed;
    }
    if (job.status == PictureStatus::Failed)
        error = std::to_string(out.width) + " x " + std::to_string(out.height) +
                " pixels, more than " + std::to_string(largestSide) + " on a side";
    return job.status;
}

bool encodePng(const DecodedImage& image, std::string& out, std::string& error) {
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = PNG_FORMAT_BGRA;
    png_alloc_size_t size = 0;
    // The first call measures, the second writes.
    if (png_image_write_to_memory(&png, nullptr, &size, 0, image.argb.data(), 0, nullptr) != 0) {
        out.resize(size);
        if (png_image_write_to_memory(&png, out.data(), &size, 0, image.argb.data(), 0, nullptr) !=
            0) {
            out.resize(size);
            return true;
        }
    }
    error = std::string("the picture cannot be encoded as PNG (") + png.message + ")";
    png_image_free(&png);
    out.clear();
    return false;
}

}  // namespace tiefschacht
