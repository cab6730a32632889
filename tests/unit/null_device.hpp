#pragma once
// A graphics device that does nothing and answers every question with a
// harmless value: the base of the tests' recording devices, which override
// only the requests they look at. Creating textures, vertex buffers and
// state blocks fails unless a derived device makes them.
#include <memory>
#include <vector>

#include "platform/graphics_device.hpp"

namespace devicetest {

class NullDevice : public GraphicsDevice {
public:
    Status clear(uint32_t, float) override { return StatusOk; }
    Status beginScene() override { return StatusOk; }
    Status endScene() override { return StatusOk; }
    Status present() override { return StatusOk; }
    Status setTransform(TransformKind, const Mat4&) override { return StatusOk; }
    Status getTransform(TransformKind, Mat4& out) const override {
        out = Mat4::identity();
        return StatusOk;
    }
    Status setRenderState(RenderState, uint32_t) override { return StatusOk; }
    uint32_t getRenderState(RenderState) const override { return 0; }
    Status setSamplerState(int, SamplerState, uint32_t) override { return StatusOk; }
    uint32_t getSamplerState(int, SamplerState) const override { return 0; }
    Status setTextureStageState(int, TextureStageState, uint32_t) override { return StatusOk; }
    uint32_t getTextureStageState(int, TextureStageState) const override { return 0; }
    Status setTexture(int, Texture*) override { return StatusOk; }
    Texture* getTexture(int) const override { return nullptr; }
    Status createTexture(uint32_t, uint32_t, uint32_t, uint32_t, PixelFormat, Pool,
                         std::unique_ptr<Texture>&) override {
        return StatusFail;
    }
    Status createVertexBuffer(uint32_t, uint32_t, uint32_t, Pool, std::unique_ptr<VertexBuffer>&) override {
        return StatusFail;
    }
    Status setStreamSource(int, VertexBuffer*, uint32_t, uint32_t) override { return StatusOk; }
    Status setFvf(uint32_t) override { return StatusOk; }
    Status setPixelShader(const void*) override { return StatusOk; }
    Status drawPrimitive(PrimitiveType, uint32_t, uint32_t) override { return StatusOk; }
    Status beginStateBlock() override { return StatusOk; }
    Status endStateBlock(std::unique_ptr<StateBlock>&) override { return StatusFail; }
    Status getDeviceCaps(DeviceCaps& out) const override {
        out.maxTextureWidth = out.maxTextureHeight = 4096;
        return StatusOk;
    }
    const uint32_t* backBuffer() const override { return nullptr; }
    int backBufferWidth() const override { return 0; }
    int backBufferHeight() const override { return 0; }
    void setMaxTextureWidth(uint32_t) override {}
    void enableDrawLog(bool) override {}
    const std::vector<DrawRecord>& drawLog() const override { return log_; }
    void clearDrawLog() override {}

private:
    std::vector<DrawRecord> log_;
};

}  // namespace devicetest
