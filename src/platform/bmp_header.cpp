// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/bmp_header.hpp"

#include <climits>
#include <cstdlib>

// Only stb_image's BMP reader is built, privately to this file, and only its
// header pass is called.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#include <stb/stb_image.h>

namespace tiefschacht {

bool readBmpSize(const uint8_t* data, size_t size, uint32_t& width, uint32_t& height,
                 std::string& error) {
    int w = 0, h = 0, channels = 0;
    if (size > INT_MAX ||
        stbi_info_from_memory(data, static_cast<int>(size), &w, &h, &channels) == 0) {
        const char* reason = stbi_failure_reason();
        error = reason != nullptr ? reason : "no BMP header";
        return false;
    }
    width = static_cast<uint32_t>(w);
    // The header's height is negative for a picture stored top row first.
    height = static_cast<uint32_t>(std::llabs(static_cast<long long>(h)));
    return true;
}

}  // namespace tiefschacht
