// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The software graphics system: a 32-bit desktop of the window's size, the
// usual back-buffer formats, and devices for every kind of vertex
// processing, less the formats and kinds its options refuse.
#include <algorithm>
#include <vector>

#include "platform/software/device.hpp"
#include "platform/software/graphics_system.hpp"

namespace tiefschacht {

namespace {

constexpr uint32_t ProcessingMask = CreateSoftwareVertexProcessing |
                                    CreateHardwareVertexProcessing | CreateMixedVertexProcessing |
                                    CreatePureDevice;
constexpr int MaxBackBufferSide = 16384;

class SoftwareGraphicsSystem final : public GraphicsSystem {
public:
    // A size of -1 x -1 follows the video output's window.
    SoftwareGraphicsSystem(VideoOutput* video, int width, int height,
                           const SoftwareSystemOptions& options)
        : video_(video), width_(width), height_(height), options_(options) {
        for (uint32_t& kind : options_.refusedBehaviours) kind &= ProcessingMask;
    }

    Status getAdapterDisplayMode(DisplayMode& out) const override {
        out.width = static_cast<uint32_t>(std::max(windowWidth(), 0));
        out.height = static_cast<uint32_t>(std::max(windowHeight(), 0));
        out.refreshRate = 60;
        out.format = PixelFormat::X8R8G8B8;
        return StatusOk;
    }

    Status checkDeviceType(PixelFormat, PixelFormat backBufferFormat, bool) const override {
        static constexpr PixelFormat accepted[] = {PixelFormat::R5G6B5, PixelFormat::X1R5G5B5,
                                                   PixelFormat::A1R5G5B5, PixelFormat::X8R8G8B8,
                                                   PixelFormat::A8R8G8B8};
        if (std::find(std::begin(accepted), std::end(accepted), backBufferFormat) ==
            std::end(accepted))
            return StatusNotAvailable;
        if (std::find(options_.refusedFormats.begin(), options_.refusedFormats.end(),
                      backBufferFormat) != options_.refusedFormats.end())
            return StatusNotAvailable;
        return StatusOk;
    }

    Status createDevice(uint32_t behaviourFlags, const PresentParameters& params,
                        std::unique_ptr<GraphicsDevice>& out) override {
        out.reset();
        uint32_t kind = behaviourFlags & ProcessingMask;
        uint32_t processing = kind & ~CreatePureDevice;
        // Exactly one kind of vertex processing; a pure device only with hardware.
        if (processing != CreateSoftwareVertexProcessing &&
            processing != CreateHardwareVertexProcessing &&
            processing != CreateMixedVertexProcessing)
            return StatusInvalidCall;
        if ((kind & CreatePureDevice) != 0 && processing != CreateHardwareVertexProcessing)
            return StatusInvalidCall;
        if (std::find(options_.refusedBehaviours.begin(), options_.refusedBehaviours.end(), kind) !=
            options_.refusedBehaviours.end())
            return StatusNotAvailable;
        int w = params.backBufferWidth != 0 ? static_cast<int>(std::min<uint32_t>(
                                                  params.backBufferWidth, MaxBackBufferSide + 1))
                                            : windowWidth();
        int h = params.backBufferHeight != 0 ? static_cast<int>(std::min<uint32_t>(
                                                   params.backBufferHeight, MaxBackBufferSide + 1))
                                             : windowHeight();
        if (w <= 0 || h <= 0 || w > MaxBackBufferSide || h > MaxBackBufferSide)
            return StatusInvalidCall;
        out =
            std::make_unique<SoftwareDevice>(video_, w, h, params.backBufferFormat,
                                             params.enableAutoDepthStencil, kind, options_.device);
        return StatusOk;
    }

private:
    int windowWidth() const { return width_ >= 0 ? width_ : video_ ? video_->windowWidth() : 0; }
    int windowHeight() const {
        return height_ >= 0 ? height_ : video_ ? video_->windowHeight() : 0;
    }

    VideoOutput* video_;
    int width_;
    int height_;
    SoftwareSystemOptions options_;
};

}  // namespace

std::unique_ptr<GraphicsSystem> createSoftwareGraphicsSystem(VideoOutput* video, int windowWidth,
                                                             int windowHeight,
                                                             const SoftwareSystemOptions& options) {
    return std::make_unique<SoftwareGraphicsSystem>(video, windowWidth, windowHeight, options);
}

std::unique_ptr<GraphicsSystem> createSoftwareGraphicsSystem(VideoOutput* video,
                                                             const SoftwareSystemOptions& options) {
    return std::make_unique<SoftwareGraphicsSystem>(video, -1, -1, options);
}

}  // namespace tiefschacht
