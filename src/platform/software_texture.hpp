#pragma once
// A texture of the software device: one level in A8R8G8B8, X8R8G8B8 or
// A4R4G4B4. Locks hand out the texels in the texture's own format; at every
// unlock they are converted into the ARGB8888 copy the samplers read.
#include <cstdint>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/software_registry.hpp"
#include "platform/software_shading.hpp"

class SoftwareTexture final : public Texture {
public:
    SoftwareTexture(uint32_t width, uint32_t height, PixelFormat format, swr::RegistryPtr registry);
    ~SoftwareTexture() override;
    SoftwareTexture(const SoftwareTexture&) = delete;
    SoftwareTexture& operator=(const SoftwareTexture&) = delete;

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
    void convert();

    uint32_t width_;
    uint32_t height_;
    PixelFormat format_;
    swr::RegistryPtr registry_;
    std::vector<uint8_t> stored_;     // in the texture's own format
    std::vector<uint32_t> sampled_;   // ARGB8888
    bool opaque_ = false;             // every sampled texel has alpha 255
    bool locked_ = false;
    uint64_t stamp_ = 0;
};
