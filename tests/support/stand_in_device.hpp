// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The one stand-in graphics device, for tests that need what the software
// device does not give: failures on demand (textures, vertex buffers),
// textures whose rows are padded (so a writer that ignores the pitch is
// caught) and start as garbage (so one that leaves texels unwritten is),
// counts of buffer locks, and the frame's calls in order. It keeps every
// state, records state blocks as the real device does, and keeps each draw
// with its states and a copy of its vertices. Tests that only look at what
// was drawn use the software device and its draw log instead.
#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "drawing/text_font.hpp"
#include "platform/graphics_device.hpp"
#include "platform/software/device_states.hpp"
#include "platform/software/frame_record.hpp"
#include "platform/software/state_block.hpp"

namespace tiefschacht {

namespace testsupport {

class StandInTexture final : public Texture {
    uint32_t w_, h_;
    PixelFormat format_;
    int* live_;

public:
    StandInTexture(uint32_t w, uint32_t h, PixelFormat f, Pool p, int* live)
        : w_(w),
          h_(h),
          format_(f),
          live_(live),
          pool(p),
          pitch(static_cast<int>(w * bytesPerTexel(f) + 8)),
          bytes(static_cast<size_t>(pitch) * h, 0xCD) {
        if (live_) ++*live_;
    }
    ~StandInTexture() override {
        if (live_) --*live_;
    }
    uint32_t width() const override { return w_; }
    uint32_t height() const override { return h_; }
    PixelFormat format() const override { return format_; }
    Status lockRect(LockedRect& out) override {
        if (locked) return StatusInvalidCall;
        locked = true;
        out.pitch = pitch;
        out.bits = bytes.data();
        return StatusOk;
    }
    Status unlockRect() override {
        if (!locked) return StatusInvalidCall;
        locked = false;
        return StatusOk;
    }
    // A texel of a 16-bit texture, a pixel of a 32-bit one.
    uint16_t texel(uint32_t x, uint32_t y) const { return read<uint16_t>(x, y); }
    uint32_t pixel(uint32_t x, uint32_t y) const { return read<uint32_t>(x, y); }
    static uint32_t bytesPerTexel(PixelFormat f) { return f == PixelFormat::A4R4G4B4 ? 2 : 4; }

    Pool pool;
    int pitch;
    std::vector<uint8_t> bytes;
    bool locked = false;

private:
    template <typename T>
    T read(uint32_t x, uint32_t y) const {
        T t;
        std::memcpy(&t, bytes.data() + static_cast<size_t>(y) * pitch + x * sizeof(T), sizeof(T));
        return t;
    }
};

class StandInVertexBuffer final : public VertexBuffer {
public:
    StandInVertexBuffer(uint32_t length, uint32_t u, uint32_t f, Pool p)
        : usage(u), fvf(f), pool(p), bytes(length, 0) {}
    uint32_t size() const override { return static_cast<uint32_t>(bytes.size()); }
    Status lock(uint32_t offset, uint32_t, void** data, uint32_t flags) override {
        if (locked || offset > bytes.size()) return StatusInvalidCall;
        locked = true;
        ++lockCount;
        if (flags & LockDiscard) ++discardLocks;
        *data = bytes.data() + offset;
        return StatusOk;
    }
    Status unlock() override {
        if (!locked) return StatusInvalidCall;
        locked = false;
        return StatusOk;
    }
    uint32_t usage, fvf;
    Pool pool;
    std::vector<uint8_t> bytes;
    bool locked = false;
    int lockCount = 0;
    int discardLocks = 0;
};

struct StandInDraw {
    DrawRecord record;
    std::vector<FontVertex> vertices;  // of a draw of screen vertices from a stand-in buffer
};

class StandInDevice final : public GraphicsDevice {
public:
    StandInDevice() : states_(swr::defaultStates(false)) {}

    // The frame's calls in order ("clear <colour>", "beginScene",
    // "renderState <state> <value>", ...).
    std::vector<std::string> calls;
    std::function<void()> onEndScene;  // runs inside the frame, after the handlers
    bool failTextures = false;
    bool failVertexBuffers = false;
    uint32_t maxTextureSide = 4096;

    struct TextureRequest {
        uint32_t width, height, levels, usage;
        PixelFormat format;
        Pool pool;
    };
    std::vector<TextureRequest> textureRequests;
    int liveTextures = 0;
    StandInTexture* lastTexture = nullptr;
    StandInVertexBuffer* lastBuffer = nullptr;
    std::vector<StandInDraw> draws;
    int badDraws = 0;  // with no stand-in buffer, a wrong stride, or while the buffer is locked
    VertexBuffer* stream = nullptr;
    uint32_t stride = 0;
    uint32_t fvf = 0;

    Status clear(uint32_t colour, float) override { return log("clear " + std::to_string(colour)); }
    Status beginScene() override { return log("beginScene"); }
    Status endScene() override {
        if (onEndScene) onEndScene();
        return log("endScene");
    }
    Status present() override { return log("present"); }

    Status setTransform(TransformKind k, const Mat4& m) override {
        swr::RecordedState s = state(swr::RecordedState::Kind::Transform, 0, static_cast<int>(k));
        s.matrix = m;
        change(s);
        return log("setTransform " + std::to_string(static_cast<int>(k)));
    }
    Status getTransform(TransformKind k, Mat4& out) const override {
        out = states_.transforms[static_cast<int>(k)];
        return StatusOk;
    }
    Status setRenderState(RenderState s, uint32_t v) override {
        change(state(swr::RecordedState::Kind::Render, 0, static_cast<int>(s), v));
        return log("renderState " + std::to_string(static_cast<int>(s)) + " " + std::to_string(v));
    }
    uint32_t getRenderState(RenderState s) const override {
        return states_.render[static_cast<int>(s)];
    }
    Status setSamplerState(int i, SamplerState s, uint32_t v) override {
        if (i < 0 || i >= SamplerCount) return StatusInvalidCall;
        change(state(swr::RecordedState::Kind::Sampler, i, static_cast<int>(s), v));
        return log("samplerState " + std::to_string(i) + " " + std::to_string(static_cast<int>(s)) +
                   " " + std::to_string(v));
    }
    uint32_t getSamplerState(int i, SamplerState s) const override {
        return states_.sampler[i][static_cast<int>(s)];
    }
    Status setTextureStageState(int i, TextureStageState s, uint32_t v) override {
        if (i < 0 || i >= TextureStageCount) return StatusInvalidCall;
        change(state(swr::RecordedState::Kind::Stage, i, static_cast<int>(s), v));
        return log("stageState " + std::to_string(i) + " " + std::to_string(static_cast<int>(s)) +
                   " " + std::to_string(v));
    }
    uint32_t getTextureStageState(int i, TextureStageState s) const override {
        return states_.stage[i][static_cast<int>(s)];
    }
    Status setTexture(int stage, Texture* texture) override {
        if (stage < 0 || stage >= TextureStageCount) return StatusInvalidCall;
        swr::RecordedState s = state(swr::RecordedState::Kind::Texture, stage, 0);
        s.texture = texture;
        change(s);
        return StatusOk;
    }
    Texture* getTexture(int stage) const override { return states_.textures[stage]; }

    Status createTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                         PixelFormat format, Pool pool, std::unique_ptr<Texture>& out) override {
        textureRequests.push_back({width, height, levels, usage, format, pool});
        if (failTextures || width == 0 || height == 0) return StatusOutOfMemory;
        auto t = std::make_unique<StandInTexture>(width, height, format, pool, &liveTextures);
        lastTexture = t.get();
        out = std::move(t);
        return StatusOk;
    }
    Status createVertexBuffer(uint32_t length, uint32_t usage, uint32_t format, Pool pool,
                              std::unique_ptr<VertexBuffer>& out) override {
        if (failVertexBuffers) return StatusOutOfMemory;
        auto b = std::make_unique<StandInVertexBuffer>(length, usage, format, pool);
        lastBuffer = b.get();
        out = std::move(b);
        return StatusOk;
    }

    Status setStreamSource(int, VertexBuffer* buffer, uint32_t, uint32_t s) override {
        stream = buffer;
        stride = s;
        return StatusOk;
    }
    Status setFvf(uint32_t f) override {
        fvf = f;
        return StatusOk;
    }
    Status setPixelShader(const void*) override { return StatusOk; }
    Status drawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t count) override {
        StandInDraw d;
        d.record.type = type;
        d.record.primitiveCount = count;
        d.record.fvf = fvf;
        d.record.stride = stride;
        d.record.states = states_;
        auto* vb = dynamic_cast<StandInVertexBuffer*>(stream);
        const size_t n = static_cast<size_t>(count) * 3;
        if (vb != nullptr && !vb->locked && stride == sizeof(FontVertex) &&
            (startVertex + n) * sizeof(FontVertex) <= vb->bytes.size()) {
            d.vertices.resize(n);
            std::memcpy(d.vertices.data(), vb->bytes.data() + startVertex * sizeof(FontVertex),
                        n * sizeof(FontVertex));
        } else {
            ++badDraws;
        }
        draws.push_back(std::move(d));
        return StatusOk;
    }

    Status beginStateBlock() override {
        if (recording_) return StatusInvalidCall;
        recording_ = true;
        recorded_.clear();
        return StatusOk;
    }
    Status endStateBlock(std::unique_ptr<StateBlock>& out) override {
        if (!recording_) return StatusInvalidCall;
        recording_ = false;
        out = std::make_unique<Block>(*this, std::move(recorded_));
        recorded_.clear();
        return StatusOk;
    }
    Status getDeviceCaps(DeviceCaps& out) const override {
        out.maxTextureWidth = out.maxTextureHeight = maxTextureSide;
        return StatusOk;
    }

    // Every state but the transforms, for comparing before and after.
    struct Snapshot {
        decltype(swr::DeviceStates::render) render;
        decltype(swr::DeviceStates::sampler) sampler;
        decltype(swr::DeviceStates::stage) stage;
        decltype(swr::DeviceStates::textures) textures;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const {
        return {states_.render, states_.sampler, states_.stage, states_.textures};
    }

private:
    class Block final : public StateBlock {
    public:
        Block(StandInDevice& d, std::vector<swr::RecordedState> s)
            : device_(d), states_(std::move(s)) {}
        Status capture() override {
            for (auto& s : states_) device_.read(s);
            return StatusOk;
        }
        Status apply() override {
            for (const auto& s : states_) device_.write(s);
            return StatusOk;
        }

    private:
        StandInDevice& device_;
        std::vector<swr::RecordedState> states_;
    };

    static swr::RecordedState state(swr::RecordedState::Kind kind, int unit, int index,
                                    uint32_t value = 0) {
        swr::RecordedState s;
        s.kind = kind;
        s.unit = unit;
        s.index = index;
        s.value = value;
        return s;
    }
    Status log(std::string call) {
        calls.push_back(std::move(call));
        return StatusOk;
    }
    void change(const swr::RecordedState& s) {
        if (recording_)
            swr::recordState(recorded_, s);
        else
            write(s);
    }
    void write(const swr::RecordedState& s) {
        using K = swr::RecordedState::Kind;
        switch (s.kind) {
        case K::Render: states_.render[s.index] = s.value; break;
        case K::Sampler: states_.sampler[s.unit][s.index] = s.value; break;
        case K::Stage: states_.stage[s.unit][s.index] = s.value; break;
        case K::Texture: states_.textures[s.unit] = s.texture; break;
        case K::Transform: states_.transforms[s.index] = s.matrix; break;
        }
    }
    void read(swr::RecordedState& s) const {
        using K = swr::RecordedState::Kind;
        switch (s.kind) {
        case K::Render: s.value = states_.render[s.index]; break;
        case K::Sampler: s.value = states_.sampler[s.unit][s.index]; break;
        case K::Stage: s.value = states_.stage[s.unit][s.index]; break;
        case K::Texture: s.texture = states_.textures[s.unit]; break;
        case K::Transform: s.matrix = states_.transforms[s.index]; break;
        }
    }

    swr::DeviceStates states_;
    bool recording_ = false;
    std::vector<swr::RecordedState> recorded_;
};

// Answers a 32-bit desktop of 800 x 600, accepts every format and kind of
// vertex processing unless refused, records the checks and attempts made,
// and makes stand-in devices (each set up by `prepare` when given).
class StandInGraphicsSystem final : public GraphicsSystem {
public:
    std::vector<uint32_t> refusedKinds;
    std::vector<PixelFormat> refusedFormats;
    std::vector<uint32_t> attempts;
    mutable std::vector<std::pair<PixelFormat, PixelFormat>> formatChecks;
    PresentParameters lastParams;
    std::function<void(StandInDevice&)> prepare;
    StandInDevice* lastDevice = nullptr;

    Status getAdapterDisplayMode(DisplayMode& out) const override {
        out = {800, 600, 60, PixelFormat::X8R8G8B8};
        return StatusOk;
    }
    Status checkDeviceType(PixelFormat display, PixelFormat back, bool) const override {
        formatChecks.emplace_back(display, back);
        bool refused =
            std::find(refusedFormats.begin(), refusedFormats.end(), back) != refusedFormats.end();
        return refused ? StatusNotAvailable : StatusOk;
    }
    Status createDevice(uint32_t flags, const PresentParameters& p,
                        std::unique_ptr<GraphicsDevice>& out) override {
        attempts.push_back(flags);
        lastParams = p;
        if (std::find(refusedKinds.begin(), refusedKinds.end(), flags) != refusedKinds.end())
            return StatusNotAvailable;
        auto d = std::make_unique<StandInDevice>();
        if (prepare) prepare(*d);
        lastDevice = d.get();
        out = std::move(d);
        return StatusOk;
    }
};

}  // namespace testsupport

}  // namespace tiefschacht
