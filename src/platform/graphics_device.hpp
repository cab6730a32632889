// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The graphics device: the requests the game makes of its renderer, with the
// old immediate-mode semantics (render, sampler and texture-stage states that
// hold until changed, textures, vertex buffers, state blocks, transforms).
// The implementation is a software rasteriser into an ARGB8888 back buffer
// (software_device.cpp, made by software_graphics_system.hpp); presentation
// goes through the VideoOutput seam.
#include <cstdint>
#include <memory>

#include "platform/math3d.hpp"

namespace tiefschacht {

// Status values: 0 success, negative failure.
using Status = int32_t;
constexpr Status StatusOk = 0;
constexpr Status StatusFail = static_cast<Status>(0x80004005u);          // E_FAIL
constexpr Status StatusInvalidCall = static_cast<Status>(0x8876086Cu);   // D3DERR_INVALIDCALL
constexpr Status StatusNotAvailable = static_cast<Status>(0x8876086Au);  // D3DERR_NOTAVAILABLE
constexpr Status StatusOutOfMemory = static_cast<Status>(0x8007000Eu);

inline bool succeeded(Status s) { return s >= 0; }

enum class PixelFormat : uint32_t {
    Unknown = 0,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    R5G6B5 = 23,
    X1R5G5B5 = 24,
    A1R5G5B5 = 25,
    A4R4G4B4 = 26,
    D16 = 80,
};

enum class Pool : uint32_t { Default = 0, Managed = 1, SystemMem = 2 };

// Usage flags.
constexpr uint32_t UsageWriteOnly = 0x8;
constexpr uint32_t UsageDynamic = 0x200;

// Vertex formats.
constexpr uint32_t FvfXyz = 0x002;
constexpr uint32_t FvfXyzRhw = 0x004;
constexpr uint32_t FvfDiffuse = 0x040;
constexpr uint32_t FvfTex1 = 0x100;
constexpr uint32_t FvfQuadVertex = FvfXyz | FvfDiffuse | FvfTex1;       // 24 bytes
constexpr uint32_t FvfScreenVertex = FvfXyzRhw | FvfDiffuse | FvfTex1;  // 28 bytes

// Lock flags.
constexpr uint32_t LockDiscard = 0x2000;

enum class TransformKind { World, View, Projection };

enum class PrimitiveType : uint32_t { TriangleList = 4, TriangleStrip = 5 };

enum class RenderState : int {
    ZEnable,
    FillMode,
    ZWriteEnable,
    AlphaTestEnable,
    SrcBlend,
    DestBlend,
    CullMode,
    ZFunc,
    AlphaRef,
    AlphaFunc,
    DitherEnable,
    AlphaBlendEnable,
    FogEnable,
    SpecularEnable,
    StencilEnable,
    Clipping,
    Lighting,
    VertexBlend,
    ClipPlaneEnable,
    IndexedVertexBlendEnable,
    ColorWriteEnable,
    Count
};

enum class SamplerState : int { AddressU, AddressV, MagFilter, MinFilter, MipFilter, Count };

enum class TextureStageState : int {
    ColorOp,
    ColorArg1,
    ColorArg2,
    AlphaOp,
    AlphaArg1,
    AlphaArg2,
    TexCoordIndex,
    TextureTransformFlags,
    Count
};

// Values of the states above (numbered as in the old interface).
constexpr uint32_t ZBufferFalse = 0, ZBufferTrue = 1;
constexpr uint32_t FillSolid = 3;
constexpr uint32_t CullNone = 1, CullCW = 2, CullCCW = 3;
constexpr uint32_t BlendZero = 1, BlendOne = 2, BlendSrcAlpha = 5, BlendInvSrcAlpha = 6;
constexpr uint32_t CmpNever = 1, CmpLess = 2, CmpEqual = 3, CmpLessEqual = 4, CmpGreater = 5,
                   CmpNotEqual = 6, CmpGreaterEqual = 7, CmpAlways = 8;
constexpr uint32_t VertexBlendDisable = 0;
constexpr uint32_t ColorWriteAll = 0xF;
constexpr uint32_t AddressWrap = 1, AddressClamp = 3;
constexpr uint32_t FilterNone = 0, FilterPoint = 1, FilterLinear = 2;
constexpr uint32_t TopDisable = 1, TopSelectArg1 = 2, TopSelectArg2 = 3, TopModulate = 4;
constexpr uint32_t TaDiffuse = 0, TaCurrent = 1, TaTexture = 2;
constexpr uint32_t TtfDisable = 0;

constexpr int TextureStageCount = 2;
constexpr int SamplerCount = 2;

// Behaviour flags of device creation (the kind of vertex processing).
constexpr uint32_t CreateSoftwareVertexProcessing = 0x20;
constexpr uint32_t CreateHardwareVertexProcessing = 0x40;
constexpr uint32_t CreateMixedVertexProcessing = 0x80;
constexpr uint32_t CreatePureDevice = 0x10;

struct DisplayMode {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t refreshRate = 0;
    PixelFormat format = PixelFormat::Unknown;
};

struct PresentParameters {
    uint32_t backBufferWidth = 0;  // 0: the window's size
    uint32_t backBufferHeight = 0;
    PixelFormat backBufferFormat = PixelFormat::Unknown;
    uint32_t backBufferCount = 0;
    bool windowed = false;
    bool enableAutoDepthStencil = false;
    PixelFormat autoDepthStencilFormat = PixelFormat::Unknown;
    bool flipSwapEffect = false;  // full-screen flip; windowed uses discard
    bool waitForRetrace = true;   // presentation interval one
};

struct DeviceCaps {
    uint32_t maxTextureWidth = 0;
    uint32_t maxTextureHeight = 0;
};

struct LockedRect {
    int pitch = 0;  // bytes between rows
    void* bits = nullptr;
};

// A texture of one mip level. Texels are stored in the texture's format and
// may be read back by locking; the device samples what was last unlocked.
class Texture {
public:
    virtual ~Texture() = default;
    virtual uint32_t width() const = 0;
    virtual uint32_t height() const = 0;
    virtual PixelFormat format() const = 0;
    [[nodiscard]] virtual Status lockRect(LockedRect& out) = 0;
    virtual Status unlockRect() = 0;
};

class VertexBuffer {
public:
    virtual ~VertexBuffer() = default;
    virtual uint32_t size() const = 0;
    // offset and size in bytes; size 0 locks the whole buffer.
    [[nodiscard]] virtual Status lock(uint32_t offset, uint32_t size, void** data,
                                      uint32_t flags) = 0;
    virtual Status unlock() = 0;
};

// A recorded set of states. capture() reads the device's current values of
// the recorded states into the block; apply() sets them on the device.
class StateBlock {
public:
    virtual ~StateBlock() = default;
    virtual Status capture() = 0;
    virtual Status apply() = 0;
};

class GraphicsDevice {
public:
    virtual ~GraphicsDevice() = default;

    virtual Status clear(uint32_t colour, float depth) = 0;  // target and depth, whole surface
    virtual Status beginScene() = 0;
    virtual Status endScene() = 0;
    virtual Status present() = 0;

    virtual Status setTransform(TransformKind kind, const Mat4& m) = 0;
    virtual Status getTransform(TransformKind kind, Mat4& out) const = 0;
    virtual Status setRenderState(RenderState s, uint32_t value) = 0;
    virtual uint32_t getRenderState(RenderState s) const = 0;
    virtual Status setSamplerState(int sampler, SamplerState s, uint32_t value) = 0;
    virtual uint32_t getSamplerState(int sampler, SamplerState s) const = 0;
    virtual Status setTextureStageState(int stage, TextureStageState s, uint32_t value) = 0;
    virtual uint32_t getTextureStageState(int stage, TextureStageState s) const = 0;
    virtual Status setTexture(int stage, Texture* texture) = 0;
    virtual Texture* getTexture(int stage) const = 0;

    [[nodiscard]] virtual Status createTexture(uint32_t width, uint32_t height, uint32_t levels,
                                               uint32_t usage, PixelFormat format, Pool pool,
                                               std::unique_ptr<Texture>& out) = 0;
    [[nodiscard]] virtual Status createVertexBuffer(uint32_t length, uint32_t usage, uint32_t fvf,
                                                    Pool pool,
                                                    std::unique_ptr<VertexBuffer>& out) = 0;

    virtual Status setStreamSource(int stream, VertexBuffer* buffer, uint32_t offset,
                                   uint32_t stride) = 0;
    virtual Status setFvf(uint32_t fvf) = 0;
    virtual Status setPixelShader(const void* shader) = 0;  // only none is supported
    virtual Status drawPrimitive(PrimitiveType type, uint32_t startVertex,
                                 uint32_t primitiveCount) = 0;

    virtual Status beginStateBlock() = 0;
    [[nodiscard]] virtual Status endStateBlock(std::unique_ptr<StateBlock>& out) = 0;

    [[nodiscard]] virtual Status getDeviceCaps(DeviceCaps& out) const = 0;
};

// The "graphics system" that creates devices: display mode queries, format
// checks and device creation with a kind of vertex processing.
class GraphicsSystem {
public:
    virtual ~GraphicsSystem() = default;
    [[nodiscard]] virtual Status getAdapterDisplayMode(DisplayMode& out) const = 0;
    [[nodiscard]] virtual Status checkDeviceType(PixelFormat displayFormat,
                                                 PixelFormat backBufferFormat,
                                                 bool windowed) const = 0;
    [[nodiscard]] virtual Status createDevice(uint32_t behaviourFlags,
                                              const PresentParameters& params,
                                              std::unique_ptr<GraphicsDevice>& out) = 0;
};

}  // namespace tiefschacht
