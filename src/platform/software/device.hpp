// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The software graphics device: holds the states, textures, vertex streams
// and state blocks of the old immediate-mode interface and rasterises into
// an ARGB8888 back buffer with a float depth buffer.
//
// Every frame's requests (its clears and draws with their states, texture
// contents and vertices) are kept in a FrameRecord. A frame whose requests
// are those of the frame on screen, from its opening clear on, would draw
// the same pixels: while the requests match, they are only recorded, and
// when the frame is presented matching to its end, nothing is drawn and the
// output is told the frame is unchanged. The first request that differs
// draws the ones recorded before it and itself; everything after is drawn
// as it comes. Tests read the record's draws as the draw log.
#include <cstdint>
#include <memory>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/seams.hpp"
#include "platform/software/device_states.hpp"
#include "platform/software/fast_quad.hpp"
#include "platform/software/frame_record.hpp"
#include "platform/software/geometry.hpp"
#include "platform/software/graphics_system.hpp"
#include "platform/software/registry.hpp"
#include "platform/software/shading.hpp"
#include "platform/software/state_block.hpp"

namespace tiefschacht {

class SoftwareDevice : public GraphicsDevice {
public:
    SoftwareDevice(VideoOutput* video, int width, int height, PixelFormat format, bool depthBuffer,
                   uint32_t behaviour, const SoftwareDeviceOptions& options = {});
    ~SoftwareDevice() override;
    SoftwareDevice(const SoftwareDevice&) = delete;
    SoftwareDevice& operator=(const SoftwareDevice&) = delete;

    Status clear(uint32_t colour, float depth) override;
    Status beginScene() override;
    Status endScene() override;
    Status present() override;

    Status setTransform(TransformKind kind, const Mat4& m) override;
    Status getTransform(TransformKind kind, Mat4& out) const override;
    Status setRenderState(RenderState s, uint32_t value) override;
    uint32_t getRenderState(RenderState s) const override;
    Status setSamplerState(int sampler, SamplerState s, uint32_t value) override;
    uint32_t getSamplerState(int sampler, SamplerState s) const override;
    Status setTextureStageState(int stage, TextureStageState s, uint32_t value) override;
    uint32_t getTextureStageState(int stage, TextureStageState s) const override;
    Status setTexture(int stage, Texture* texture) override;
    Texture* getTexture(int stage) const override;

    Status createTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                         PixelFormat format, Pool pool, std::unique_ptr<Texture>& out) override;
    Status createVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf, Pool pool,
                              std::unique_ptr<VertexBuffer>& out) override;

    Status setStreamSource(int stream, VertexBuffer* buffer, uint32_t offset,
                           uint32_t stride) override;
    Status setFvf(uint32_t fvf) override;
    Status setPixelShader(const void* shader) override;
    Status drawPrimitive(PrimitiveType type, uint32_t startVertex,
                         uint32_t primitiveCount) override;

    Status beginStateBlock() override;
    Status endStateBlock(std::unique_ptr<StateBlock>& out) override;

    Status getDeviceCaps(DeviceCaps& out) const override;

    // The back buffer, ARGB8888, rows tightly packed, with every request so
    // far drawn. Between a present and the next clear or draw, its contents
    // are those of the presented frame.
    const uint32_t* backBuffer();
    int backBufferWidth() const { return width_; }
    int backBufferHeight() const { return height_; }
    PixelFormat backBufferFormat() const { return format_; }
    uint32_t behaviour() const { return behaviour_; }

    // The requests of the frame being drawn (since the last present), and
    // its draws alone: the draw log.
    const FrameRecord& frameRecord() const { return frame_; }
    const std::vector<DrawRecord>& drawLog() const { return frame_.draws(); }
    // How many rectangles the fast path has drawn.
    int fastRectCount() const { return fastRects_; }
    // Write access to the back buffer (to lay down a background); the frame
    // then never counts as unchanged.
    uint32_t* mutableBackBuffer();

    // For state blocks: read the device's value of a recorded state, or set it.
    void readState(swr::RecordedState& s) const;
    void writeState(const swr::RecordedState& s);
    // For textures: their texels are about to change or go; requests that
    // read them are drawn first.
    void beforeTextureChange() { drawPending(); }

protected:
    SoftwareDeviceOptions options_;

private:
    // Stores or records a state change.
    void change(const swr::RecordedState& s);
    swr::RenderTarget target();
    // Gives the back buffer the presented frame's contents again after a
    // present swapped them away, and makes it the device's alone.
    void restoreBackBuffer();

    // The frame's requests (software_device_frame.cpp): the newest one was
    // just recorded; draw it unless the frame still matches the one on screen.
    void takeRequest();
    // Draws every recorded request not yet drawn, and stops matching.
    void drawPending();
    void drawRequest(size_t index);

    // Drawing one recorded draw (software_device_draw.cpp).
    void rasterise(const DrawRecord& d, const uint8_t* vertices);
    swr::PixelSetup pixelSetup(const swr::DeviceStates& states) const;
    void drawPolygon(std::array<swr::ScreenVertex, swr::MaxPolygon>& poly, int n,
                     const swr::PixelSetup& setup, const swr::DeviceStates& states,
                     bool minMagDiffer);
    // Draws triangles a and b (six vertex indices) as one rectangle when
    // they make one; false when the general path must draw them.
    bool drawRectPair(const size_t (&index)[6], bool transformed, const swr::PixelSetup& setup,
                      const swr::DeviceStates& states, bool minMagDiffer);

    VideoOutput* video_;
    int width_;
    int height_;
    PixelFormat format_;
    uint32_t behaviour_;
    std::shared_ptr<Frame> back_;   // drawn into (without pixels until first drawn into)
    std::shared_ptr<Frame> shown_;  // presented, shared with the video output
    bool stale_;                    // back_ holds an old frame; shown_ is the back buffer
    std::vector<float> depth_;      // empty until a draw tests depth
    bool depthClearPending_ = false;
    float pendingDepth_ = 1.0f;

    swr::DeviceStates states_;
    swr::RegistryPtr registry_;
    bool recording_ = false;
    std::vector<swr::RecordedState> recorded_;

    VertexBuffer* stream_ = nullptr;
    uint32_t streamOffset_ = 0;
    uint32_t streamStride_ = 0;
    uint32_t fvf_ = 0;
    bool inScene_ = false;

    FrameRecord frame_;               // the requests since the last present
    FrameRecord shownRecord_;         // the requests of the frame on screen
    bool shownReproducible_ = false;  // shownRecord_ begins with a clear and was drawn alone
    bool matching_ = false;  // frame_ so far equals the start of shownRecord_, nothing drawn
    size_t drawn_ = 0;       // requests of frame_ drawn
    bool written_ = false;   // the back buffer was written directly this frame

    // Scratch space reused by every draw, so drawing allocates nothing.
    std::vector<swr::ScreenVertex> screenScratch_;
    std::vector<swr::ClipVertex> clipScratch_;
    std::vector<swr::ScreenVertex> projectedScratch_;
    std::vector<uint8_t> insideScratch_;
    swr::SpanTables spanTables_;
    int fastRects_ = 0;
};

}  // namespace tiefschacht
