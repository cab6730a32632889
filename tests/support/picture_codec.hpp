// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Short forms of the picture decoder's calls for tests that only ask
// whether a picture decodes or is written, without a pixel limit.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/picture_files.hpp"

namespace tiefschacht {

namespace testsupport {

// A picture of one colour.
inline DecodedImage solidPicture(int width, int height, uint32_t argb) {
    DecodedImage image;
    image.width = width;
    image.height = height;
    image.argb.assign(static_cast<size_t>(width) * static_cast<size_t>(height), argb);
    return image;
}

inline bool decodes(ImageDecoder& decoder, const void* data, size_t size, DecodedImage& out) {
    std::string error;
    return decoder.decodeMemory(data, size, noPixelLimit, out, error) == PictureStatus::Ok;
}

inline bool decodesFile(ImageDecoder& decoder, const std::string& path, DecodedImage& out) {
    std::string error;
    return readPictureFile(decoder, path, out, error);
}

inline bool writes(ImageDecoder& decoder, const std::string& path, const DecodedImage& image) {
    std::string error;
    return writePictureFile(decoder, path, image, error);
}

}  // namespace testsupport

}  // namespace tiefschacht
