#pragma once
// A graphics device that draws nothing and writes down every request: the
// calls in order as text, and each draw with the states in force.
#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "platform/graphics_device.hpp"
#include "unit/null_device.hpp"

namespace playtest {

class StubTexture : public Texture {
public:
    uint32_t width() const override { return 1; }
    uint32_t height() const override { return 1; }
    PixelFormat format() const override { return PixelFormat::A8R8G8B8; }
    Status lockRect(LockedRect& out) override {
        out.bits = &texel_;
        out.pitch = 4;
        return StatusOk;
    }
    Status unlockRect() override { return StatusOk; }

private:
    uint32_t texel_ = 0;
};

struct DrawnQuad {
    Vec3 at;
    const Texture* texture = nullptr;
    uint32_t srcBlend = 0, destBlend = 0, addressU = 0, addressV = 0;
};

class RecordingDevice : public devicetest::NullDevice {
public:
    RecordingDevice() {
        render_.fill(0);
        render_[static_cast<int>(RenderState::Lighting)] = 1;
        render_[static_cast<int>(RenderState::ZEnable)] = 1;
        address_ = {AddressWrap, AddressWrap};
    }

    std::vector<std::string> calls;
    std::vector<DrawnQuad> draws;

    static const char* name(RenderState s) {
        switch (s) {
        case RenderState::Lighting: return "Lighting";
        case RenderState::ZEnable: return "ZEnable";
        case RenderState::AlphaBlendEnable: return "AlphaBlendEnable";
        case RenderState::SrcBlend: return "SrcBlend";
        case RenderState::DestBlend: return "DestBlend";
        default: return "other";
        }
    }
    uint32_t renderState(RenderState s) const { return render_[static_cast<int>(s)]; }
    uint32_t addressU() const { return address_[0]; }
    uint32_t addressV() const { return address_[1]; }

    Status setTransform(TransformKind kind, const Mat4& m) override {
        if (kind == TransformKind::World) {
            world_ = m;
            char text[96];
            std::snprintf(text, sizeof text, "world %g %g %g", m.m[3][0], m.m[3][1], m.m[3][2]);
            calls.push_back(text);
        }
        return StatusOk;
    }
    Status getTransform(TransformKind, Mat4& out) const override {
        out = world_;
        return StatusOk;
    }
    Status setRenderState(RenderState s, uint32_t value) override {
        render_[static_cast<int>(s)] = value;
        calls.push_back(std::string(name(s)) + " " + std::to_string(value));
        return StatusOk;
    }
    uint32_t getRenderState(RenderState s) const override { return renderState(s); }
    Status setSamplerState(int sampler, SamplerState s, uint32_t value) override {
        if (sampler == 0 && s == SamplerState::AddressU) address_[0] = value;
        if (sampler == 0 && s == SamplerState::AddressV) address_[1] = value;
        calls.push_back(std::string(s == SamplerState::AddressU ? "AddressU " : "AddressV ") +
                        std::to_string(value));
        return StatusOk;
    }
    Status setTexture(int stage, Texture* texture) override {
        texture_ = texture;
        calls.push_back("texture " + std::to_string(stage) + (texture ? " set" : " none"));
        return StatusOk;
    }
    Texture* getTexture(int) const override { return texture_; }
    Status createTexture(uint32_t, uint32_t, uint32_t, uint32_t, PixelFormat, Pool,
                         std::unique_ptr<Texture>& out) override {
        out = std::make_unique<StubTexture>();
        return StatusOk;
    }
    Status setStreamSource(int stream, VertexBuffer*, uint32_t offset, uint32_t stride) override {
        calls.push_back("stream " + std::to_string(stream) + " " + std::to_string(offset) + " " +
                        std::to_string(stride));
        return StatusOk;
    }
    Status setFvf(uint32_t fvf) override {
        calls.push_back("fvf " + std::to_string(fvf));
        return StatusOk;
    }
    Status drawPrimitive(PrimitiveType type, uint32_t start, uint32_t count) override {
        calls.push_back("draw " + std::to_string(static_cast<uint32_t>(type)) + " " +
                        std::to_string(start) + " " + std::to_string(count));
        draws.push_back({{world_.m[3][0], world_.m[3][1], world_.m[3][2]},
                         texture_,
                         renderState(RenderState::SrcBlend),
                         renderState(RenderState::DestBlend),
                         address_[0],
                         address_[1]});
        return StatusOk;
    }
    Status getDeviceCaps(DeviceCaps& out) const override {
        out.maxTextureWidth = out.maxTextureHeight = 2048;
        return StatusOk;
    }

private:
    std::array<uint32_t, static_cast<int>(RenderState::Count)> render_{};
    std::array<uint32_t, 2> address_{};
    Mat4 world_ = Mat4::identity();
    Texture* texture_ = nullptr;
};

}  // namespace playtest
