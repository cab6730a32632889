// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/texture.hpp"

#include <cstring>

#include "platform/software/device.hpp"

namespace tiefschacht {

SoftwareTexture::SoftwareTexture(uint32_t width, uint32_t height, PixelFormat format,
                                 swr::RegistryPtr registry)
    : width_(width),
      height_(height),
      format_(format),
      registry_(std::move(registry)),
      stored_(zeroed<uint8_t>(texelCount() * bytesPerTexel(format))),
      sampled_(zeroed<uint32_t>(texelCount())) {
    // All-zero texels read as transparent black in every format but X8R8G8B8,
    // whose missing alpha is opaque.
    if (format_ == PixelFormat::X8R8G8B8 && valid()) convert();
    stamp_ = registry_->nextStamp++;
    registry_->textures.insert(this);
}

SoftwareTexture::~SoftwareTexture() {
    // Requests still to be drawn may read these texels.
    if (registry_->device != nullptr) registry_->device->beforeTextureChange();
    registry_->textures.erase(this);
}

bool SoftwareTexture::supportedFormat(PixelFormat format) {
    return format == PixelFormat::A8R8G8B8 || format == PixelFormat::X8R8G8B8 ||
           format == PixelFormat::A4R4G4B4;
}

uint32_t SoftwareTexture::bytesPerTexel(PixelFormat format) {
    return format == PixelFormat::A4R4G4B4 ? 2 : 4;
}

Status SoftwareTexture::lockRect(LockedRect& out) {
    if (locked_) return StatusInvalidCall;
    locked_ = true;
    out.pitch = static_cast<int>(width_ * bytesPerTexel(format_));
    out.bits = stored_.get();
    return StatusOk;
}

Status SoftwareTexture::unlockRect() {
    if (!locked_) return StatusInvalidCall;
    locked_ = false;
    // Requests still to be drawn read the texels as they were.
    if (registry_->device != nullptr) registry_->device->beforeTextureChange();
    convert();
    return StatusOk;
}

swr::TextureView SoftwareTexture::view() const {
    return swr::TextureView{sampled_.get(), static_cast<int>(width_), static_cast<int>(height_),
                            opaque_};
}

// One pass: every texel converted and its alpha gathered. Blending an
// opaque picture is a plain copy; the span drawer skips reading the target
// for it.
void SoftwareTexture::convert() {
    const size_t count = texelCount();
    uint32_t alphas = 0xFF000000u;
    const uint8_t* from = stored_.get();
    uint32_t* to = sampled_.get();
    if (format_ == PixelFormat::A4R4G4B4) {
        for (size_t i = 0; i < count; ++i) {
            uint16_t t;
            std::memcpy(&t, from + 2 * i, 2);
            // Four bits widen to eight as x * 17 (0 -> 0, 15 -> 255).
            uint32_t a = ((t >> 12) & 0xF) * 17, r = ((t >> 8) & 0xF) * 17;
            uint32_t g = ((t >> 4) & 0xF) * 17, b = (t & 0xF) * 17;
            to[i] = swr::packArgb(a, r, g, b);
            alphas &= to[i];
        }
    } else {
        const uint32_t forced = format_ == PixelFormat::X8R8G8B8 ? 0xFF000000u : 0u;
        for (size_t i = 0; i < count; ++i) {
            uint32_t t;
            std::memcpy(&t, from + 4 * i, 4);
            to[i] = t | forced;
            alphas &= to[i];
        }
    }
    opaque_ = (alphas & 0xFF000000u) == 0xFF000000u;
    stamp_ = registry_->nextStamp++;
}

}  // namespace tiefschacht
