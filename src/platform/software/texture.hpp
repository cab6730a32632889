// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A texture of the software device: one level in A8R8G8B8, X8R8G8B8 or
// A4R4G4B4. Locks hand out the texels in the texture's own format; at every
// unlock they are converted into the ARGB8888 copy the samplers read.
//
// A new texture is all zero (transparent black) without being written: its
// memory comes zeroed from the system, page by page as it is first touched,
// so a texture that is filled right after it is made (every picture the
// game loads) is written once, not cleared first.
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "platform/graphics_device.hpp"
#include "platform/software/registry.hpp"
#include "platform/software/shading.hpp"

namespace tiefschacht {

class SoftwareTexture final : public Texture {
public:
    // A texture whose memory could not be had: valid() is false.
    SoftwareTexture(uint32_t width, uint32_t height, PixelFormat format, swr::RegistryPtr registry);
    ~SoftwareTexture() override;
    SoftwareTexture(const SoftwareTexture&) = delete;
    SoftwareTexture& operator=(const SoftwareTexture&) = delete;

    bool valid() const { return stored_ != nullptr && sampled_ != nullptr; }
    uint32_t width() const override { return width_; }
    uint32_t height() const override { return height_; }
    PixelFormat format() const override { return format_; }
    Status lockRect(LockedRect& out) override;
    Status unlockRect() override;

    // The texels as last unlocked, for sampling, and the stamp of those contents.
    swr::TextureView view() const;
    uint64_t stamp() const { return stamp_; }

    static bool supportedFormat(PixelFormat format);
    static uint32_t bytesPerTexel(PixelFormat format);

private:
    struct FreeMemory {
        void operator()(void* p) const { std::free(p); }
    };
    template <typename T>
    using ZeroedArray = std::unique_ptr<T[], FreeMemory>;
    template <typename T>
    static ZeroedArray<T> zeroed(size_t count) {
        return ZeroedArray<T>(static_cast<T*>(std::calloc(count, sizeof(T))));
    }

    void convert();
    size_t texelCount() const { return static_cast<size_t>(width_) * height_; }

    uint32_t width_;
    uint32_t height_;
    PixelFormat format_;
    swr::RegistryPtr registry_;
    ZeroedArray<uint8_t> stored_;    // in the texture's own format
    ZeroedArray<uint32_t> sampled_;  // ARGB8888
    bool opaque_ = false;            // every sampled texel has alpha 255
    bool locked_ = false;
    uint64_t stamp_ = 0;
};

}  // namespace tiefschacht
