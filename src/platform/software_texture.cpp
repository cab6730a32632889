#include "platform/software_texture.hpp"

#include <cstring>

#include "platform/software_device.hpp"

SoftwareTexture::SoftwareTexture(uint32_t width, uint32_t height, PixelFormat format,
                                 swr::RegistryPtr registry)
    : width_(width), height_(height), format_(format), registry_(std::move(registry)),
      stored_(static_cast<size_t>(width) * height * bytesPerTexel(format), 0),
      sampled_(static_cast<size_t>(width) * height, 0) {
    convert();
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
    out.bits = stored_.data();
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
    return swr::TextureView{sampled_.data(), static_cast<int>(width_), static_cast<int>(height_), opaque_};
}

void SoftwareTexture::convert() {
    const size_t count = sampled_.size();
    if (format_ == PixelFormat::A4R4G4B4) {
        for (size_t i = 0; i < count; ++i) {
            uint16_t t;
            std::memcpy(&t, stored_.data() + 2 * i, 2);
            // Four bits widen to eight as x * 17 (0 -> 0, 15 -> 255).
            uint32_t a = ((t >> 12) & 0xF) * 17, r = ((t >> 8) & 0xF) * 17;
            uint32_t g = ((t >> 4) & 0xF) * 17, b = (t & 0xF) * 17;
            sampled_[i] = swr::packArgb(a, r, g, b);
        }
    } else {
        std::memcpy(sampled_.data(), stored_.data(), count * 4);
        if (format_ == PixelFormat::X8R8G8B8)
            for (auto& t : sampled_) t |= 0xFF000000u;
    }
    // Blending an opaque picture is a plain copy; the span drawer skips
    // reading the target for it.
    uint32_t alphas = 0xFF000000u;
    for (uint32_t t : sampled_) alphas &= t;
    opaque_ = alphas == 0xFF000000u;
    stamp_ = registry_->nextStamp++;
}
