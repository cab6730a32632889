// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Creating the graphics device: the back-buffer format, the present
// parameters, the kind of vertex processing with its start-up log line, and
// the states every frame starts from.
#include <array>
#include <string>

#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/file_writing.hpp"
#include "services/game_paths.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"
#include "services/vertex_processing.hpp"

namespace tiefschacht {

Graphics graphics;

namespace {
struct FormatCheck {
    PixelFormat display;
    PixelFormat backBuffer;
};

constexpr std::array<FormatCheck, 3> checks16{{
    {PixelFormat::R5G6B5, PixelFormat::R5G6B5},
    {PixelFormat::X1R5G5B5, PixelFormat::X1R5G5B5},
    {PixelFormat::X1R5G5B5, PixelFormat::A1R5G5B5},
}};
constexpr std::array<FormatCheck, 2> checks32{{
    {PixelFormat::X8R8G8B8, PixelFormat::X8R8G8B8},
    {PixelFormat::X8R8G8B8, PixelFormat::A8R8G8B8},
}};

// The first full-screen format the system accepts; none keeps the last one.
template <size_t N>
void chooseFormat(const GraphicsSystem& system, const std::array<FormatCheck, N>& rows) {
    for (const FormatCheck& c : rows) {
        if (succeeded(system.checkDeviceType(c.display, c.backBuffer, false))) {
            graphics.backBufferFormat = c.backBuffer;
            return;
        }
    }
}

PresentParameters presentParameters() {
    PresentParameters p;
    p.windowed = settings.fullScreen == 0;
    p.backBufferCount = static_cast<uint32_t>(settings.backBufferCount);
    p.enableAutoDepthStencil = true;
    p.autoDepthStencilFormat = PixelFormat::D16;
    // Frames are shown as soon as they are done: the frame cap alone sets
    // the game's pace, and waiting for the retrace would halve it whenever
    // a frame misses one.
    p.waitForRetrace = false;
    if (p.windowed) {
        p.flipSwapEffect = false;
        p.backBufferFormat = graphics.desktopFormat;
        graphics.backBufferFormat = graphics.desktopFormat;
    } else {
        p.flipSwapEffect = true;
        p.backBufferWidth = static_cast<uint32_t>(settings.screenWidth);
        p.backBufferHeight = static_cast<uint32_t>(settings.screenHeight);
        p.backBufferFormat = graphics.backBufferFormat;
    }
    return p;
}

void setFixedStates(GraphicsDevice& d) {
    d.setSamplerState(0, SamplerState::MinFilter, FilterLinear);
    d.setSamplerState(0, SamplerState::MagFilter, FilterLinear);
    d.setSamplerState(1, SamplerState::MinFilter, FilterLinear);
    d.setSamplerState(1, SamplerState::MagFilter, FilterLinear);
    d.setTextureStageState(0, TextureStageState::TexCoordIndex, 0);
    d.setTextureStageState(1, TextureStageState::TexCoordIndex, 0);
    d.setRenderState(RenderState::CullMode, CullCW);
    d.setRenderState(RenderState::DitherEnable, 1);
    d.setRenderState(RenderState::SpecularEnable, 1);
    d.setRenderState(RenderState::Lighting, 1);
    d.setRenderState(RenderState::ZEnable, ZBufferTrue);
}

// The start-up log: one line naming the vertex processing obtained (none
// when no kind was tried). It is written whole beside the old log and
// renamed over it, so a link or another name planted there is replaced,
// never written through. A log that cannot be written ends the program.
void writeProtocol(const char* line) {
    std::string text;
    if (line) {
        graphics.protocolLine = line;
        text = graphics.protocolLine + "\n";
    }
    const std::string path = writtenFile(protocolFile);
    std::string error;
    if (!replaceFile(path, text, error)) failOnFile(path.c_str(), error.c_str());
}

}  // namespace

void initGraphics() { initGraphicsWith(std::move(platformLayer.graphics)); }

void initGraphicsWith(std::unique_ptr<GraphicsSystem> system) {
    graphics.system = std::move(system);
    if (!graphics.system) failOnStartUp("no graphics system can be created");
    GraphicsSystem& sys = *graphics.system;

    if (settings.fullScreen == 0) {
        DisplayMode desktop;
        if (succeeded(sys.getAdapterDisplayMode(desktop))) graphics.desktopFormat = desktop.format;
    }
    if (settings.colourDepth == 16)
        chooseFormat(sys, checks16);
    else if (settings.colourDepth == 32)
        chooseFormat(sys, checks32);
    graphics.presentParameters = presentParameters();

    DeviceCreation created =
        createDeviceForMode(sys, settings.vertexProcessingMode, graphics.presentParameters);
    graphics.device = std::move(created.device);
    writeProtocol(created.logLine);

    if (!graphics.device) {
        if (created.attemptsMade == 0)
            failOnStartUp("no graphics device: vertex processing mode " +
                          std::to_string(settings.vertexProcessingMode) + " in " +
                          configurationFile(renderingOptionsFile) + " is not one of 0 to 3");
        failOnStartUp("no graphics device: every kind of vertex processing was refused");
    }

    setFixedStates(*graphics.device);
    graphics.aspectRatio =
        settings.screenHeight != 0
            ? static_cast<float>(settings.screenWidth) / static_cast<float>(settings.screenHeight)
            : 0.0f;
}

void releaseGraphics() {
    graphics.device.reset();
    graphics.system.reset();
}

}  // namespace tiefschacht
