// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/sprite_texture.hpp"

#include <cstring>
#include <string>

#include "platform/file_access.hpp"
#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/graphics.hpp"

namespace tiefschacht {

namespace {
constexpr uint32_t opaqueBlack = 0xFF000000u;
constexpr uint32_t transparentBlack = 0x00000000u;
}  // namespace

void SpriteTexture::setFileName(const char* name) {
    fileName.fill('\0');
    if (!name) return;
    std::strncpy(fileName.data(), name, fileName.size() - 1);
}

void applyColourKey(uint32_t* argb, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        if (argb[i] == opaqueBlack) argb[i] = transparentBlack;
    }
}

// Copies tightly packed rows into a locked texture, whatever its pitch.
static bool fillTexture(Texture& texture, const DecodedImage& image) {
    LockedRect locked;
    if (!succeeded(texture.lockRect(locked)) || !locked.bits) return false;
    const size_t rowBytes = static_cast<size_t>(image.width) * sizeof(uint32_t);
    if (locked.pitch < 0 || static_cast<size_t>(locked.pitch) < rowBytes) {
        texture.unlockRect();
        return false;
    }
    auto* dst = static_cast<unsigned char*>(locked.bits);
    for (int y = 0; y < image.height; ++y) {
        std::memcpy(dst + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch),
                    image.argb.data() + static_cast<size_t>(y) * static_cast<size_t>(image.width),
                    rowBytes);
    }
    return succeeded(texture.unlockRect());
}

void SpriteTexture::loadFromFile(TextureBudget& budget) {
    GraphicsDevice* device = theDevice();
    ImageDecoder* decoder = platformLayer.images.get();
    if (!device || !decoder || fileName[0] == '\0') return;
    const std::string name = fileName.data();

    constexpr uint64_t bytesPerPixel = sizeof(uint32_t);
    const uint64_t pixelsLeft = budget.usedBytes < budget.limitBytes
                                    ? (budget.limitBytes - budget.usedBytes) / bytesPerPixel
                                    : 0;
    DecodedImage image;
    std::string error;
    const PictureStatus status = decoder->decodeFile(name.c_str(), pixelsLeft, image, error);
    if (status == PictureStatus::OverLimit) {
        if (!budget.exceeded)
            warnAboutFile(name, std::to_string(image.width) + " x " + std::to_string(image.height) +
                                    " pixels would take the textures past their budget of " +
                                    describeSize(budget.limitBytes) +
                                    "; this picture and every later one that does not fit stay "
                                    "blank");
        budget.exceeded = true;
        return;
    }
    if (status != PictureStatus::Ok) {
        warnAboutFile(name, error + "; the picture stays blank");
        return;
    }
    if (image.width <= 0 || image.height <= 0 ||
        image.argb.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height))
        return;
    applyColourKey(image.argb.data(), image.argb.size());

    std::unique_ptr<Texture> created;
    if (!succeeded(device->createTexture(static_cast<uint32_t>(image.width),
                                         static_cast<uint32_t>(image.height), 1, 0,
                                         PixelFormat::A8R8G8B8, Pool::Managed, created)) ||
        !created || !fillTexture(*created, image)) {
        warnAboutFile(name, "the graphics device refused a texture of " +
                                std::to_string(image.width) + " x " + std::to_string(image.height) +
                                " pixels; the picture stays blank");
        return;
    }
    texture = std::move(created);
    budget.usedBytes += image.argb.size() * bytesPerPixel;
}

void SpriteTexture::createBlank(uint32_t width, uint32_t height, uint32_t usage,
                                PixelFormat format) {
    GraphicsDevice* device = theDevice();
    if (!device) return;
    std::unique_ptr<Texture> created;
    const Pool pool = usage == 0 ? Pool::Managed : Pool::Default;
    if (succeeded(device->createTexture(width, height, 1, usage, format, pool, created)) && created)
        texture = std::move(created);
}

}  // namespace tiefschacht
