// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The picture path of the World's texture loading: a file decoded through
// the image seam, the colour key applied and the pixels copied
// into a texture of the software device. The texture must hold exactly the
// decoded picture with opaque black made transparent.
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_support.hpp"
#include "platform/backends.hpp"
#include "platform/picture_files.hpp"
#include "platform/platform_layer.hpp"
#include "platform/software/device.hpp"
#include "services/graphics.hpp"
#include "world/sprite_texture.hpp"

using namespace tiefschacht;

namespace {
constexpr const char* pictureFile = "Graphics/Bild.bmp";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input(pictureFile, data, size);
    platformLayer.images = createSdlImageDecoder();
    graphics.device =
        std::make_unique<SoftwareDevice>(nullptr, 8, 8, PixelFormat::A8R8G8B8, false, 0);

    DecodedImage image;
    std::string error;
    const bool decoded = platformLayer.images->decodeFile(pictureFile, noPixelLimit, image,
                                                          error) == PictureStatus::Ok;
    if (decoded) {
        FUZZ_CHECK(image.width > 0 && image.height > 0);
        FUZZ_CHECK(image.argb.size() ==
                   static_cast<size_t>(image.width) * static_cast<size_t>(image.height));
    }
    DeviceCaps caps;
    FUZZ_CHECK(succeeded(graphics.device->getDeviceCaps(caps)));
    const bool fits = decoded && static_cast<uint32_t>(image.width) <= caps.maxTextureWidth &&
                      static_cast<uint32_t>(image.height) <= caps.maxTextureHeight;

    {
        SpriteTexture sprite;
        sprite.setFileName(pictureFile);
        TextureBudget budget;
        sprite.loadFromFile(budget);
        FUZZ_CHECK(static_cast<bool>(sprite.texture) == fits);
        if (fits) {
            Texture& t = *sprite.texture;
            FUZZ_CHECK(t.width() == static_cast<uint32_t>(image.width));
            FUZZ_CHECK(t.height() == static_cast<uint32_t>(image.height));
            applyColourKey(image.argb.data(), image.argb.size());
            LockedRect locked;
            FUZZ_CHECK(succeeded(t.lockRect(locked)) && locked.bits);
            const auto* bytes = static_cast<const unsigned char*>(locked.bits);
            for (int y = 0; y < image.height; ++y) {
                FUZZ_CHECK(
                    std::memcmp(bytes + static_cast<size_t>(y) * static_cast<size_t>(locked.pitch),
                                image.argb.data() +
                                    static_cast<size_t>(y) * static_cast<size_t>(image.width),
                                static_cast<size_t>(image.width) * sizeof(uint32_t)) == 0);
            }
            t.unlockRect();
        }
    }
    graphics.device.reset();
    platformLayer.images.reset();
    return 0;
}
