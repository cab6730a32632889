// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size of a JPEG picture from libjpeg's own header pass: the markers are
// read exactly as the decoder reads them (stray bytes between segments
// included), and no pixel is decoded.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tiefschacht {

// The width and height the JPEG's frame header declares; false with
// libjpeg's reason in `error` when its header cannot be read.
bool readJpegSize(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height,
                  std::string& error);

}  // namespace tiefschacht
