// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// BMP pictures through stb_image's BMP decoder: its own header pass gives
// the size before a single pixel is decoded, and the decoder that then reads
// the pixels is the one that read that header.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/seams.hpp"

namespace tiefschacht {

// Decodes a BMP held in memory. Refuses (OverLimit) a picture of more than
// `pixelLimit` pixels and (Failed) one wider or higher than `largestSide`,
// both before decoding, and (Failed) one whose file ends before its last
// pixel. A picture keeps its alpha channel only when its header names one.
PictureStatus decodeBmp(const uint8_t* data, size_t size, uint32_t largestSide, uint64_t pixelLimit,
                        DecodedImage& out, std::string& error);

}  // namespace tiefschacht
