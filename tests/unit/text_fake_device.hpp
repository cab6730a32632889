#pragma once
// A small recording graphics device for the text tests: it keeps every
// state, records state blocks as the real device does (states set while
// recording go into the block, not onto the device), and keeps a copy of the
// vertices of every draw call so that tests can check where glyphs land.
#include <cstring>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "drawing/text_font.hpp"
#include "platform/graphics_device.hpp"
#include "unit/null_device.hpp"

namespace textfake {

class FakeTexture final : public Texture {
public:
    FakeTexture(uint32_t w, uint32_t h, PixelFormat f)
        : w_(w), h_(h), format_(f), pitch_(static_cast<int>(w * 2 + 8)),
          bytes_(static_cast<size_t>(pitch_) * h, 0xCD) {}
    uint32_t width() const override { return w_; }
    uint32_t height() const override { return h_; }
    PixelFormat format() const override { return format_; }
    Status lockRect(LockedRect& out) override {
        if (locked) return StatusInvalidCall;
        locked = true;
        out.pitch = pitch_;
        out.bits = bytes_.data();
        return StatusOk;
    }
    Status unlockRect() override {
        if (!locked) return StatusInvalidCall;
        locked = false;
        return StatusOk;
    }
    uint16_t texel(uint32_t x, uint32_t y) const {
        uint16_t t;
        std::memcpy(&t, bytes_.data() + static_cast<size_t>(y) * pitch_ + x * 2, 2);
        return t;
    }
    bool locked = false;

private:
    uint32_t w_, h_;
    PixelFormat format_;
    int pitch_;  // wider than the row, so that a writer ignoring it is caught
    std::vector<uint8_t> bytes_;
};

class FakeVertexBuffer final : public VertexBuffer {
public:
    FakeVertexBuffer(uint32_t length, uint32_t u, Pool p) : usage(u), pool(p), bytes(length, 0) {}
    uint32_t size() const override { return static_cast<uint32_t>(bytes.size()); }
    Status lock(uint32_t offset, uint32_t length, void** data, uint32_t flags) override {
        if (locked || offset > bytes.size()) return StatusInvalidCall;
        locked = true;
        ++lockCount;
        if (flags & LockDiscard) ++discardLocks;
        (void)length;
        *data = bytes.data() + offset;
        return StatusOk;
    }
    Status unlock() override {
        if (!locked) return StatusInvalidCall;
        locked = false;
        return StatusOk;
    }
    uint32_t usage;
    Pool pool;
    std::vector<uint8_t> bytes;
    bool locked = false;
    int lockCount = 0;
    int discardLocks = 0;
};

class FakeDevice;

// The recorded states of a block, by kind and index.
struct StateSet {
    std::map<int, uint32_t> render;
    std::map<std::pair<int, int>, uint32_t> sampler;
    std::map<std::pair<int, int>, uint32_t> stage;
    bool hasTexture = false;
    Texture* texture = nullptr;
};

class FakeStateBlock final : public StateBlock {
public:
    FakeStateBlock(FakeDevice& d, StateSet s) : device(d), set(std::move(s)) {}
    Status capture() override;
    Status apply() override;
    FakeDevice& device;
    StateSet set;
};

struct FakeDraw {
    DrawRecord record;
    std::vector<FontVertex> vertices;
};

class FakeDevice final : public devicetest::NullDevice {
public:
    FakeDevice() {
        render_.fill(0);
        for (auto& s : sampler_) s.fill(0);
        for (auto& s : stage_) s.fill(0);
    }


    Status setRenderState(RenderState s, uint32_t value) override {
        const int i = static_cast<int>(s);
        if (recording_) recorded_.render[i] = value;
        else render_[i] = value;
        return StatusOk;
    }
    uint32_t getRenderState(RenderState s) const override { return render_[static_cast<int>(s)]; }
    Status setSamplerState(int sampler, SamplerState s, uint32_t value) override {
        if (sampler < 0 || sampler >= SamplerCount) return StatusInvalidCall;
        if (recording_) recorded_.sampler[{sampler, static_cast<int>(s)}] = value;
        else sampler_[sampler][static_cast<int>(s)] = value;
        return StatusOk;
    }
    uint32_t getSamplerState(int sampler, SamplerState s) const override {
        return sampler_[sampler][static_cast<int>(s)];
    }
    Status setTextureStageState(int stage, TextureStageState s, uint32_t value) override {
        if (stage < 0 || stage >= TextureStageCount) return StatusInvalidCall;
        if (recording_) recorded_.stage[{stage, static_cast<int>(s)}] = value;
        else stage_[stage][static_cast<int>(s)] = value;
        return StatusOk;
    }
    uint32_t getTextureStageState(int stage, TextureStageState s) const override {
        return stage_[stage][static_cast<int>(s)];
    }
    Status setTexture(int stage, Texture* texture) override {
        if (stage != 0) return StatusOk;
        if (recording_) {
            recorded_.hasTexture = true;
            recorded_.texture = texture;
        } else {
            texture_ = texture;
        }
        return StatusOk;
    }
    Texture* getTexture(int) const override { return texture_; }

    Status createTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t usage,
                         PixelFormat format, Pool pool, std::unique_ptr<Texture>& out) override {
        textureRequests.push_back({width, height, levels, usage, format, pool});
        if (failTextures || width == 0 || height == 0) return StatusOutOfMemory;
        auto t = std::make_unique<FakeTexture>(width, height, format);
        lastTexture = t.get();
        out = std::move(t);
        return StatusOk;
    }
    Status createVertexBuffer(uint32_t length, uint32_t usage, uint32_t, Pool pool,
                              std::unique_ptr<VertexBuffer>& out) override {
        if (failVertexBuffers) return StatusOutOfMemory;
        auto b = std::make_unique<FakeVertexBuffer>(length, usage, pool);
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
    Status drawPrimitive(PrimitiveType type, uint32_t startVertex, uint32_t count) override {
        FakeDraw d;
        d.record.type = type;
        d.record.primitiveCount = count;
        d.record.fvf = fvf;
        d.record.texture = texture_;
        d.record.renderStates = render_;
        d.record.samplerStates = sampler_[0];
        auto* vb = dynamic_cast<FakeVertexBuffer*>(stream);
        if (vb != nullptr && !vb->locked && stride == sizeof(FontVertex)) {
            const size_t n = static_cast<size_t>(count) * 3;
            if ((startVertex + n) * sizeof(FontVertex) <= vb->bytes.size()) {
                d.vertices.resize(n);
                std::memcpy(d.vertices.data(), vb->bytes.data() + startVertex * sizeof(FontVertex),
                            n * sizeof(FontVertex));
            }
        } else {
            ++badDraws;  // no buffer, a wrong stride, or drawn while still locked
        }
        draws.push_back(std::move(d));
        return StatusOk;
    }

    Status beginStateBlock() override {
        if (recording_) return StatusInvalidCall;
        recording_ = true;
        recorded_ = StateSet{};
        return StatusOk;
    }
    Status endStateBlock(std::unique_ptr<StateBlock>& out) override {
        if (!recording_) return StatusInvalidCall;
        recording_ = false;
        out = std::make_unique<FakeStateBlock>(*this, recorded_);
        return StatusOk;
    }

    Status getDeviceCaps(DeviceCaps& out) const override {
        out.maxTextureWidth = out.maxTextureHeight = maxTextureWidth;
        return StatusOk;
    }
    void setMaxTextureWidth(uint32_t w) override { maxTextureWidth = w; }
    void clearDrawLog() override { draws.clear(); }

    // Every state the device holds, for comparing before and after.
    struct Snapshot {
        std::array<uint32_t, static_cast<int>(RenderState::Count)> render;
        std::array<std::array<uint32_t, static_cast<int>(SamplerState::Count)>, SamplerCount> sampler;
        std::array<std::array<uint32_t, static_cast<int>(TextureStageState::Count)>, TextureStageCount>
            stage;
        Texture* texture;
        bool operator==(const Snapshot&) const = default;
    };
    Snapshot snapshot() const { return Snapshot{render_, sampler_, stage_, texture_}; }

    struct TextureRequest {
        uint32_t width, height, levels, usage;
        PixelFormat format;
        Pool pool;
    };
    std::vector<TextureRequest> textureRequests;
    uint32_t maxTextureWidth = 4096;
    bool failTextures = false;
    bool failVertexBuffers = false;
    FakeTexture* lastTexture = nullptr;
    FakeVertexBuffer* lastBuffer = nullptr;
    std::vector<FakeDraw> draws;
    int badDraws = 0;
    VertexBuffer* stream = nullptr;
    uint32_t stride = 0;
    uint32_t fvf = 0;

private:
    friend class FakeStateBlock;
    std::array<uint32_t, static_cast<int>(RenderState::Count)> render_{};
    std::array<std::array<uint32_t, static_cast<int>(SamplerState::Count)>, SamplerCount> sampler_{};
    std::array<std::array<uint32_t, static_cast<int>(TextureStageState::Count)>, TextureStageCount>
        stage_{};
    Texture* texture_ = nullptr;
    bool recording_ = false;
    StateSet recorded_;
};

inline Status FakeStateBlock::capture() {
    for (auto& [i, v] : set.render) v = device.render_[i];
    for (auto& [k, v] : set.sampler) v = device.sampler_[k.first][k.second];
    for (auto& [k, v] : set.stage) v = device.stage_[k.first][k.second];
    if (set.hasTexture) set.texture = device.texture_;
    return StatusOk;
}

inline Status FakeStateBlock::apply() {
    for (auto& [i, v] : set.render) device.render_[i] = v;
    for (auto& [k, v] : set.sampler) device.sampler_[k.first][k.second] = v;
    for (auto& [k, v] : set.stage) device.stage_[k.first][k.second] = v;
    if (set.hasTexture) device.texture_ = set.texture;
    return StatusOk;
}

}  // namespace textfake
