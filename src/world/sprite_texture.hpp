// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One picture of the game: its file name and its device texture.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/graphics_device.hpp"

namespace tiefschacht {

// The memory all textures loaded from picture files may take together,
// counted as 4 bytes a pixel. The shipped game loads 181 pictures of 6.7 MiB
// in all: this is 19 times that, room for a picture of the largest size a
// texture can have (4096 x 4096, 64 MiB) besides them, and small enough that
// a list naming such a picture hundreds of times stays far from exhausting
// the machine's memory (the software device keeps two copies of a texture).
constexpr uint64_t textureBudgetBytes = uint64_t{128} << 20;

// What the textures loaded so far take of the budget.
struct TextureBudget {
    uint64_t limitBytes = textureBudgetBytes;
    uint64_t usedBytes = 0;
    bool exceeded = false;  // a picture was refused for it (said once)
};

struct SpriteTexture {
    std::array<char, 100> fileName{};  // at most 99 characters
    std::unique_ptr<Texture> texture;  // null until created

    void setFileName(const char* name);
    // Loads the picture named by fileName through the image seam, converted
    // to A8R8G8B8 with the colour key (opaque black becomes transparent
    // black), and counts it against the budget. A picture that cannot be
    // loaded, or would break the budget, leaves the texture as it was, with
    // a warning naming the file (for the budget: only the first).
    void loadFromFile(TextureBudget& budget);
    // An empty texture of one level.
    void createBlank(uint32_t width, uint32_t height, uint32_t usage, PixelFormat format);
};

// The device texture of a slot, or null when the slot or its texture is absent.
inline Texture* textureOf(const SpriteTexture* s) { return s ? s->texture.get() : nullptr; }

// The colour key: an opaque pure black pixel becomes (0, 0, 0, 0).
void applyColourKey(uint32_t* argb, size_t count);

}  // namespace tiefschacht
