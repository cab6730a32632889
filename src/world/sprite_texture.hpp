#pragma once
// One picture of the game: its file name and its device texture.
#include <array>
#include <cstdint>
#include <memory>

#include "platform/graphics_device.hpp"

struct SpriteTexture {
    std::array<char, 100> fileName{};  // at most 99 characters
    std::unique_ptr<Texture> texture;  // null until created

    void setFileName(const char* name);
    // Loads the picture named by fileName through the image seam, converted
    // to A8R8G8B8 with the colour key (opaque black becomes transparent
    // black). On failure the texture is left as it was.
    void loadFromFile();
    // An empty texture of one level.
    void createBlank(uint32_t width, uint32_t height, uint32_t usage, PixelFormat format);
};

// The colour key: an opaque pure black pixel becomes (0, 0, 0, 0).
void applyColourKey(uint32_t* argb, size_t count);
