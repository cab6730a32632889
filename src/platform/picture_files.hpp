// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Picture files through an image decoder: reading one without a limit of
// its own, and writing one in the format its name asks for.
#include <cstdint>
#include <limits>
#include <string>

#include "platform/seams.hpp"

namespace tiefschacht {

// A pixel limit that leaves only the decoder's own (the largest texture).
inline constexpr uint64_t noPixelLimit = std::numeric_limits<uint64_t>::max();

// Decodes a picture file; false (with `error`) when it cannot.
bool readPictureFile(ImageDecoder& decoder, const std::string& path, DecodedImage& out,
                     std::string& error);

// The bytes of a picture file for `path`: BMP when the name ends in .bmp
// (in any case), else PNG; false (with the reason in `error`) when it cannot
// be encoded.
bool encodePictureFile(ImageDecoder& encoder, const std::string& path, const DecodedImage& image,
                       std::string& bytes, std::string& error);

// Writes the picture as BMP when the name ends in .bmp (in any case), else as
// PNG; false (with the reason in `error`) when it cannot be encoded or a
// write or the close fails.
bool writePictureFile(ImageDecoder& encoder, const std::string& path, const DecodedImage& image,
                      std::string& error);

}  // namespace tiefschacht
