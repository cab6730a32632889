// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size of a BMP picture from stb_image's header pass: the info call of a
// picture library, which reads the header as a BMP decoder does, decodes no
// pixel and allocates nothing for them.
#include <cstddef>
#include <cstdint>
#include <string>

namespace tiefschacht {

// The width and height the BMP's header declares (a picture stored top row
// first gives its height as a positive number here too); false with the
// reason in `error` when its header cannot be read.
bool readBmpSize(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height,
                 std::string& error);

}  // namespace tiefschacht
