// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PNG pictures through libpng, with its messages caught: an error ends the
// decoding and comes back as the reason, and nothing is printed, so every
// message the game gives about a picture names it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/seams.hpp"

namespace tiefschacht {

// Decodes a PNG held in memory. Refuses (OverLimit) a picture of more than
// `pixelLimit` pixels before decoding it, and (Failed) one wider or higher
// than `largestSide`.
PictureStatus decodePng(const uint8_t* data, size_t size, uint32_t largestSide, uint64_t pixelLimit,
                        DecodedImage& out, std::string& error);

// The bytes of a PNG file of the picture, with its alpha channel.
bool encodePng(const DecodedImage& image, std::string& out, std::string& error);

}  // namespace tiefschacht
