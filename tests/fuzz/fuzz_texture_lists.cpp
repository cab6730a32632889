// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The two texture lists, chosen by the input's first byte: even, the ground
// list (a count, then file names); odd, the enemy list (a type count, then per
// type a frame count, behaviour, blending and frame file names). Every name
// "decodes" to a small picture, so each entry also makes a device texture.
#include <cstring>
#include <memory>
#include <string>

#include "fuzz_support.hpp"
#include "platform/platform_layer.hpp"
#include "platform/software/device.hpp"
#include "services/graphics.hpp"
#include "world/game.hpp"
#include "world/world.hpp"

using namespace tiefschacht;

namespace {
constexpr const char* groundList = "Data/GroundTextures.txt";
constexpr const char* enemyList = "Data/EnemyTextures.txt";

// Any name gives a 2 x 2 picture with one opaque black pixel; the names asked
// for must be the bounded names the slots keep.
class AnyNameDecoder final : public ImageDecoder {
public:
    PictureStatus decodeFile(const char* path, uint64_t, DecodedImage& out, std::string&) override {
        FUZZ_CHECK(path != nullptr && path[0] != '\0' && std::strlen(path) < 100);
        out.width = 2;
        out.height = 2;
        out.argb = {0xFF000000u, 0xFF102030u, 0x80FFFFFFu, 0x00000000u};
        return PictureStatus::Ok;
    }
    PictureStatus decodeMemory(const void*, size_t, uint64_t, DecodedImage&,
                               std::string&) override {
        return PictureStatus::Failed;
    }
    bool encode(const DecodedImage&, PictureFileType, std::string&, std::string&) override {
        return false;
    }
};

void checkSlot(const SpriteTexture& s) {
    FUZZ_CHECK(s.fileName.back() == '\0');
    if (s.fileName[0] == '\0') {
        FUZZ_CHECK(!s.texture);
        return;
    }
    FUZZ_CHECK(s.texture && s.texture->width() == 2 && s.texture->height() == 2);
}

// Filled slots come first; after the first empty one, all are empty.
template <size_t N>
void checkSlots(const std::array<std::unique_ptr<SpriteTexture>, N>& slots, size_t from,
                size_t count) {
    bool gap = false;
    for (size_t i = from; i < from + count; ++i) {
        if (!slots[i]) {
            gap = true;
            continue;
        }
        FUZZ_CHECK(!gap);
        checkSlot(*slots[i]);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const bool enemies = (data[0] & 1) != 0;
    const char* path = enemies ? enemyList : groundList;
    fuzz::OneInput input(path, data + 1, size - 1);

    graphics.device =
        std::make_unique<SoftwareDevice>(nullptr, 8, 8, PixelFormat::A8R8G8B8, false, 0);
    platformLayer.images = std::make_unique<AnyNameDecoder>();
    {
        World world{BareTag{}};
        if (enemies) {
            world.readEnemyTextureList(path);
            for (int t = 0; t < enemyTypeCapacity; ++t)
                checkSlots(world.enemyTextures, static_cast<size_t>(t) * enemyFrameCapacity,
                           enemyFrameCapacity);
            for (const auto& s : world.groundTextures) FUZZ_CHECK(!s);
        } else {
            world.readTextureList(path);
            checkSlots(world.groundTextures, 0, world.groundTextures.size());
            for (const auto& s : world.enemyTextures) FUZZ_CHECK(!s);
        }
    }
    platformLayer.images.reset();
    graphics.device.reset();
    return 0;
}
