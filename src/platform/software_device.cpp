#include "platform/software_device.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/seams.hpp"
#include "platform/software_rasteriser.hpp"
#include "platform/software_texture.hpp"
#include "platform/software_vertex_buffer.hpp"

using swr::RecordedState;

namespace {

constexpr uint32_t QuadVertexSize = 24;
constexpr uint32_t ScreenVertexSize = 28;

bool validRender(RenderState s) {
    return static_cast<int>(s) >= 0 && static_cast<int>(s) < swr::RenderStateCount;
}
bool validSampler(int unit, SamplerState s) {
    return unit >= 0 && unit < SamplerCount && static_cast<int>(s) >= 0 &&
           static_cast<int>(s) < swr::SamplerStateCount;
}
bool validStage(int unit, TextureStageState s) {
    return unit >= 0 && unit < TextureStageCount && static_cast<int>(s) >= 0 &&
           static_cast<int>(s) < swr::StageStateCount;
}
int transformIndex(TransformKind k) {
    switch (k) {
    case TransformKind::World: return 0;
    case TransformKind::View: return 1;
    case TransformKind::Projection: return 2;
    }
    return -1;
}

swr::StageOp stageOp(uint32_t v) {
    switch (v) {
    case TopDisable: return swr::StageOp::Disable;
    case TopSelectArg1: return swr::StageOp::SelectArg1;
    case TopSelectArg2: return swr::StageOp::SelectArg2;
    default: return swr::StageOp::Modulate;
    }
}
// Stage 0 has no earlier stage, so "current" is the diffuse colour.
swr::StageArg stageArg(uint32_t v) {
    return (v & 0xF) == TaTexture ? swr::StageArg::Texture : swr::StageArg::Diffuse;
}
swr::BlendFactor blendFactor(uint32_t v, swr::BlendFactor fallback) {
    switch (v) {
    case BlendZero: return swr::BlendFactor::Zero;
    case BlendOne: return swr::BlendFactor::One;
    case BlendSrcAlpha: return swr::BlendFactor::SrcAlpha;
    case BlendInvSrcAlpha: return swr::BlendFactor::InvSrcAlpha;
    default: return fallback;
    }
}

float readFloat(const uint8_t* p) {
    float f;
    std::memcpy(&f, p, 4);
    return f;
}
uint32_t readU32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

}  // namespace

SoftwareDevice::SoftwareDevice(VideoOutput* video, int width, int height, PixelFormat format,
                               bool depthBuffer, uint32_t behaviour)
    : video_(video), width_(width), height_(height), format_(format), behaviour_(behaviour),
      colour_(static_cast<size_t>(width) * height, 0),
      depth_(static_cast<size_t>(width) * height, 1.0f),
      presented_(static_cast<size_t>(width) * height, 0),
      states_(swr::defaultStates(depthBuffer)), registry_(std::make_shared<swr::Registry>()) {
    registry_->device = this;
    spanTables_.wide = swr::wideVectorsAvailable();
}

SoftwareDevice::~SoftwareDevice() { registry_->device = nullptr; }

// ------------------------------------------------------------- frame --

Status SoftwareDevice::clear(uint32_t colour, float depth) {
    if (!(depth >= 0.0f)) depth = 0.0f;
    if (depth > 1.0f) depth = 1.0f;
    std::fill(colour_.begin(), colour_.end(), colour);
    stale_ = false;
    // The depth buffer is filled when a draw first uses it: most frames of
    // the game never test depth, so they skip that pass over memory.
    depthClearPending_ = true;
    pendingDepth_ = depth;
    return StatusOk;
}

Status SoftwareDevice::beginScene() {
    if (inScene_) return StatusInvalidCall;
    inScene_ = true;
    return StatusOk;
}

Status SoftwareDevice::endScene() {
    if (!inScene_) return StatusInvalidCall;
    inScene_ = false;
    return StatusOk;
}

// A changed frame is swapped into the presented buffer rather than copied:
// the game clears every frame before it draws, so the old contents left in
// the back buffer are never seen. Whatever reads or draws on the back buffer
// before the next clear gets the presented frame back first (restoreBackBuffer).
Status SoftwareDevice::present() {
    // A present straight after another shows the same frame again.
    const bool changed = !stale_ && (!presentedOnce_ || std::memcmp(presented_.data(), colour_.data(),
                                                                     colour_.size() * 4) != 0);
    if (changed) {
        presented_.swap(colour_);
        stale_ = true;
    }
    presentedOnce_ = true;
    if (video_ != nullptr) video_->present(presented_.data(), width_, height_, changed);
    return StatusOk;
}

void SoftwareDevice::restoreBackBuffer() {
    if (!stale_) return;
    std::copy(presented_.begin(), presented_.end(), colour_.begin());
    stale_ = false;
}

// ------------------------------------------------------------ states --

namespace {
// One state assignment as the device and the state blocks record it.
RecordedState stateChange(RecordedState::Kind kind, int unit, int index, uint32_t value) {
    RecordedState s;
    s.kind = kind;
    s.unit = unit;
    s.index = index;
    s.value = value;
    return s;
}
}  // namespace

void SoftwareDevice::change(const RecordedState& s) {
    if (recording_)
        swr::recordState(recorded_, s);
    else
        writeState(s);
}

void SoftwareDevice::writeState(const RecordedState& s) {
    switch (s.kind) {
    case RecordedState::Kind::Render: states_.render[s.index] = s.value; break;
    case RecordedState::Kind::Sampler: states_.sampler[s.unit][s.index] = s.value; break;
    case RecordedState::Kind::Stage: states_.stage[s.unit][s.index] = s.value; break;
    case RecordedState::Kind::Texture: states_.textures[s.unit] = s.texture; break;
    case RecordedState::Kind::Transform: states_.transforms[s.index] = s.matrix; break;
    }
}

void SoftwareDevice::readState(RecordedState& s) const {
    switch (s.kind) {
    case RecordedState::Kind::Render: s.value = states_.render[s.index]; break;
    case RecordedState::Kind::Sampler: s.value = states_.sampler[s.unit][s.index]; break;
    case RecordedState::Kind::Stage: s.value = states_.stage[s.unit][s.index]; break;
    case RecordedState::Kind::Texture: s.texture = states_.textures[s.unit]; break;
    case RecordedState::Kind::Transform: s.matrix = states_.transforms[s.index]; break;
    }
}

Status SoftwareDevice::setTransform(TransformKind kind, const Mat4& m) {
    int i = transformIndex(kind);
    if (i < 0) return StatusInvalidCall;
    RecordedState s;
    s.kind = RecordedState::Kind::Transform;
    s.index = i;
    s.matrix = m;
    change(s);
    return StatusOk;
}

Status SoftwareDevice::getTransform(TransformKind kind, Mat4& out) const {
    int i = transformIndex(kind);
    if (i < 0) return StatusInvalidCall;
    out = states_.transforms[i];
    return StatusOk;
}

Status SoftwareDevice::setRenderState(RenderState st, uint32_t value) {
    if (!validRender(st)) return StatusInvalidCall;
    change(stateChange(RecordedState::Kind::Render, 0, static_cast<int>(st), value));
    return StatusOk;
}

uint32_t SoftwareDevice::getRenderState(RenderState st) const {
    return validRender(st) ? states_.render[static_cast<int>(st)] : 0;
}

Status SoftwareDevice::setSamplerState(int sampler, SamplerState st, uint32_t value) {
    if (!validSampler(sampler, st)) return StatusInvalidCall;
    change(stateChange(RecordedState::Kind::Sampler, sampler, static_cast<int>(st), value));
    return StatusOk;
}

uint32_t SoftwareDevice::getSamplerState(int sampler, SamplerState st) const {
    return validSampler(sampler, st) ? states_.sampler[sampler][static_cast<int>(st)] : 0;
}

Status SoftwareDevice::setTextureStageState(int stage, TextureStageState st, uint32_t value) {
    if (!validStage(stage, st)) return StatusInvalidCall;
    change(stateChange(RecordedState::Kind::Stage, stage, static_cast<int>(st), value));
    return StatusOk;
}

uint32_t SoftwareDevice::getTextureStageState(int stage, TextureStageState st) const {
    return validStage(stage, st) ? states_.stage[stage][static_cast<int>(st)] : 0;
}

Status SoftwareDevice::setTexture(int stage, Texture* texture) {
    if (stage < 0 || stage >= TextureStageCount) return StatusInvalidCall;
    RecordedState s;
    s.kind = RecordedState::Kind::Texture;
    s.unit = stage;
    s.texture = texture;
    change(s);
    return StatusOk;
}

Texture* SoftwareDevice::getTexture(int stage) const {
    return stage >= 0 && stage < TextureStageCount ? states_.textures[stage] : nullptr;
}

// --------------------------------------------------------- resources --

Status SoftwareDevice::createTexture(uint32_t width, uint32_t height, uint32_t levels, uint32_t,
                                     PixelFormat format, Pool, std::unique_ptr<Texture>& out) {
    out.reset();
    if (width == 0 || height == 0 || width > caps_.maxTextureWidth ||
        height > caps_.maxTextureHeight)
        return StatusInvalidCall;
    if (levels > 1) return StatusInvalidCall;
    if (!SoftwareTexture::supportedFormat(format)) return StatusInvalidCall;
    out = std::make_unique<SoftwareTexture>(width, height, format, registry_);
    return StatusOk;
}

Status SoftwareDevice::createVertexBuffer(uint32_t length, uint32_t, uint32_t, Pool,
                                          std::unique_ptr<VertexBuffer>& out) {
    out.reset();
    // Anything beyond 64 MB is not a vertex buffer this game could mean.
    if (length == 0 || length > (64u << 20)) return StatusInvalidCall;
    out = std::make_unique<SoftwareVertexBuffer>(length, registry_);
    return StatusOk;
}

Status SoftwareDevice::setStreamSource(int stream, VertexBuffer* buffer, uint32_t offset,
                                       uint32_t stride) {
    if (stream != 0) return StatusInvalidCall;
    stream_ = buffer;
    streamOffset_ = offset;
    streamStride_ = stride;
    return StatusOk;
}

Status SoftwareDevice::setFvf(uint32_t fvf) {
    fvf_ = fvf;
    return StatusOk;
}

Status SoftwareDevice::setPixelShader(const void* shader) {
    return shader == nullptr ? StatusOk : StatusInvalidCall;
}

Status SoftwareDevice::getDeviceCaps(DeviceCaps& out) const {
    out = caps_;
    return StatusOk;
}

// ------------------------------------------------------ state blocks --

Status SoftwareDevice::beginStateBlock() {
    if (recording_) return StatusInvalidCall;
    recording_ = true;
    recorded_.clear();
    return StatusOk;
}

Status SoftwareDevice::endStateBlock(std::unique_ptr<StateBlock>& out) {
    if (!recording_) return StatusInvalidCall;
    recording_ = false;
    out = std::make_unique<SoftwareStateBlock>(std::move(recorded_), registry_);
    recorded_.clear();
    return StatusOk;
}

// ----------------------------------------------------------- drawing --

swr::RenderTarget SoftwareDevice::target() {
    restoreBackBuffer();
    return swr::RenderTarget{colour_.data(), depth_.data(), width_, height_};
}

swr::PixelSetup SoftwareDevice::pixelSetup(bool transformed) const {
    (void)transformed;
    swr::PixelSetup p;
    Texture* bound = states_.textures[0];
    if (bound != nullptr && registry_->textures.count(bound) != 0)
        p.texture = static_cast<const SoftwareTexture*>(bound)->view();

    const auto& smp = states_.sampler[0];
    // Mirror addressing reads as wrap and border as clamp.
    uint32_t au = smp[static_cast<int>(SamplerState::AddressU)];
    uint32_t av = smp[static_cast<int>(SamplerState::AddressV)];
    p.sampler.wrapU = au == AddressWrap || au == 2;
    p.sampler.wrapV = av == AddressWrap || av == 2;
    p.sampler.linear = smp[static_cast<int>(SamplerState::MagFilter)] == FilterLinear;

    const auto& st = states_.stage[0];
    p.combine.colourOp = stageOp(st[static_cast<int>(TextureStageState::ColorOp)]);
    p.combine.colourArg1 = stageArg(st[static_cast<int>(TextureStageState::ColorArg1)]);
    p.combine.colourArg2 = stageArg(st[static_cast<int>(TextureStageState::ColorArg2)]);
    p.combine.alphaOp = stageOp(st[static_cast<int>(TextureStageState::AlphaOp)]);
    p.combine.alphaArg1 = stageArg(st[static_cast<int>(TextureStageState::AlphaArg1)]);
    p.combine.alphaArg2 = stageArg(st[static_cast<int>(TextureStageState::AlphaArg2)]);
    // A disabled colour operation switches the whole stage off.
    if (p.combine.colourOp == swr::StageOp::Disable) p.combine.alphaOp = swr::StageOp::Disable;

    const auto& rs = states_.render;
    auto r = [&](RenderState s) { return rs[static_cast<int>(s)]; };
    p.alphaTest = r(RenderState::AlphaTestEnable) != 0;
    p.alphaFunc = r(RenderState::AlphaFunc);
    p.alphaRef = r(RenderState::AlphaRef) & 0xFF;
    p.blend.enabled = r(RenderState::AlphaBlendEnable) != 0;
    p.blend.src = blendFactor(r(RenderState::SrcBlend), swr::BlendFactor::One);
    p.blend.dst = blendFactor(r(RenderState::DestBlend), swr::BlendFactor::Zero);
    p.depthTest = r(RenderState::ZEnable) != 0;
    p.depthWrite = p.depthTest && r(RenderState::ZWriteEnable) != 0;
    p.depthFunc = r(RenderState::ZFunc);
    return p;
}

void SoftwareDevice::logDraw(PrimitiveType type, uint32_t primitiveCount) {
    if (!logOn_) return;
    DrawRecord rec;
    rec.type = type;
    rec.primitiveCount = primitiveCount;
    rec.fvf = fvf_;
    rec.texture = states_.textures[0];
    rec.world = states_.transforms[0];
    rec.renderStates = states_.render;
    rec.samplerStates = states_.sampler[0];
    log_.push_back(rec);
}

void SoftwareDevice::drawPolygon(std::array<swr::ScreenVertex, swr::MaxPolygon>& poly, int n,
                                 const swr::PixelSetup& setup, bool minMagDiffer) {
    n = swr::clipToGuardBand(poly, n, width_, height_);
    if (n < 3) return;
    double area = swr::signedArea(poly, n);
    if (area == 0.0) return;
    uint32_t cull = states_.render[static_cast<int>(RenderState::CullMode)];
    // Positive area is clockwise on screen (y down).
    if ((cull == CullCW && area > 0.0) || (cull == CullCCW && area < 0.0)) return;
    if (!minMagDiffer) {
        swr::rasterisePolygon(poly, n, setup, target());
        return;
    }
    swr::PixelSetup s = setup;
    const auto& smp = states_.sampler[0];
    uint32_t filter = swr::minifies(poly[0], poly[1], poly[2], setup.texture)
                          ? smp[static_cast<int>(SamplerState::MinFilter)]
                          : smp[static_cast<int>(SamplerState::MagFilter)];
    s.sampler.linear = filter == FilterLinear;
    swr::rasterisePolygon(poly, n, s, target());
}

void SoftwareDevice::drawScreenTriangle(const swr::ScreenVertex (&tri)[3],
                                        const swr::PixelSetup& setup, bool minMagDiffer) {
    std::array<swr::ScreenVertex, swr::MaxPolygon> poly{};
    for (int i = 0; i < 3; ++i) poly[i] = tri[i];
    drawPolygon(poly, 3, setup, minMagDiffer);
}

void SoftwareDevice::drawClipTriangle(const swr::ClipVertex (&tri)[3], const swr::PixelSetup& setup,
                                      bool minMagDiffer) {
    std::array<swr::ScreenVertex, swr::MaxPolygon> poly{};
    int n = swr::clipAndProject(tri, width_, height_, poly);
    if (n < 3) return;
    drawPolygon(poly, n, setup, minMagDiffer);
}

bool SoftwareDevice::drawRectPair(const size_t (&index)[6], bool transformed,
                                  const swr::PixelSetup& setup, bool minMagDiffer) {
    const swr::ScreenVertex* corner[6];
    for (int k = 0; k < 6; ++k) {
        if (transformed) {
            // Only rectangles that no clip plane touches.
            if (!insideScratch_[index[k]]) return false;
            corner[k] = &projectedScratch_[index[k]];
        } else {
            corner[k] = &screenScratch_[index[k]];
        }
    }
    swr::ScreenRect rect;
    if (!swr::findScreenRect(corner, rect)) return false;
    auto orientation = [](const swr::ScreenVertex& a, const swr::ScreenVertex& b,
                          const swr::ScreenVertex& c) {
        return (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    };
    const uint32_t cull = states_.render[static_cast<int>(RenderState::CullMode)];
    auto culled = [&](double area) {
        return (cull == CullCW && area > 0.0) || (cull == CullCCW && area < 0.0);
    };
    const bool cullA = culled(orientation(*corner[0], *corner[1], *corner[2]));
    const bool cullB = culled(orientation(*corner[3], *corner[4], *corner[5]));
    if (cullA != cullB) return false;
    if (cullA) return true;
    swr::PixelSetup s = setup;
    if (minMagDiffer) {
        const auto& smp = states_.sampler[0];
        double texels = std::fabs((rect.uRight - rect.uLeft) * setup.texture.width *
                                  (rect.vBottom - rect.vTop) * setup.texture.height);
        double pixels = (rect.right - rect.left) * (rect.bottom - rect.top);
        uint32_t filter = texels > pixels ? smp[static_cast<int>(SamplerState::MinFilter)]
                                          : smp[static_cast<int>(SamplerState::MagFilter)];
        s.sampler.linear = filter == FilterLinear;
    }
    swr::drawScreenRect(rect, s, target(), spanTables_);
    ++fastRects_;
    return true;
}

Status SoftwareDevice::drawPrimitive(PrimitiveType type, uint32_t startVertex,
                                     uint32_t primitiveCount) {
    if (type != PrimitiveType::TriangleList && type != PrimitiveType::TriangleStrip)
        return StatusInvalidCall;
    const bool transformed = fvf_ == FvfQuadVertex;
    const uint32_t vertexSize = transformed ? QuadVertexSize
                                : fvf_ == FvfScreenVertex ? ScreenVertexSize
                                                          : 0;
    if (vertexSize == 0) return StatusInvalidCall;
    if (stream_ == nullptr || registry_->buffers.count(stream_) == 0) return StatusInvalidCall;
    if (streamStride_ < vertexSize) return StatusInvalidCall;
    const bool list = type == PrimitiveType::TriangleList;
    const uint64_t vertexCount = list ? uint64_t{primitiveCount} * 3
                                 : primitiveCount > 0 ? uint64_t{primitiveCount} + 2
                                                      : 0;
    const auto* buffer = static_cast<const SoftwareVertexBuffer*>(stream_);
    if (vertexCount > 0) {
        uint64_t end = uint64_t{streamOffset_} + (uint64_t{startVertex} + vertexCount - 1) * streamStride_ +
                       vertexSize;
        if (end > buffer->size()) return StatusInvalidCall;
    }
    logDraw(type, primitiveCount);
    if (vertexCount == 0) return StatusOk;

    const swr::PixelSetup setup = pixelSetup(transformed);
    if (setup.depthTest && depthClearPending_) {
        std::fill(depth_.begin(), depth_.end(), pendingDepth_);
        depthClearPending_ = false;
    }
    const auto& smp = states_.sampler[0];
    const bool minMagDiffer = smp[static_cast<int>(SamplerState::MinFilter)] !=
                              smp[static_cast<int>(SamplerState::MagFilter)];
    const uint8_t* base = buffer->data() + streamOffset_ + uint64_t{startVertex} * streamStride_;
    const size_t count = static_cast<size_t>(vertexCount);

    if (transformed) {
        const bool lit = states_.render[static_cast<int>(RenderState::Lighting)] != 0;
        const Mat4 m = matrixMultiply(matrixMultiply(states_.transforms[0], states_.transforms[1]),
                                      states_.transforms[2]);
        clipScratch_.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = base + i * streamStride_;
            // Lighting with no lights and no material gives black, alpha 0.
            uint32_t colour = lit ? 0u : readU32(p + 12);
            clipScratch_[i] = swr::transformVertex(m, readFloat(p), readFloat(p + 4),
                                                   readFloat(p + 8), readFloat(p + 16),
                                                   readFloat(p + 20), colour);
        }
        if (!generalOnly_ && primitiveCount >= 2) {
            projectedScratch_.resize(count);
            insideScratch_.resize(count);
            for (size_t i = 0; i < count; ++i) {
                insideScratch_[i] = swr::insideClipVolume(clipScratch_[i]);
                if (insideScratch_[i]) projectedScratch_[i] = swr::project(clipScratch_[i], width_, height_);
            }
        }
    } else {
        screenScratch_.resize(count);
        for (size_t i = 0; i < count; ++i) {
            const uint8_t* p = base + i * streamStride_;
            screenScratch_[i] = swr::screenVertex(readFloat(p), readFloat(p + 4), readFloat(p + 8),
                                                  readFloat(p + 12), readFloat(p + 20),
                                                  readFloat(p + 24), readU32(p + 16));
        }
    }

    auto triangle = [&](uint32_t t, size_t* out) {
        if (list) {
            out[0] = size_t{t} * 3;
            out[1] = out[0] + 1;
            out[2] = out[0] + 2;
        } else if (t % 2 == 0) {
            out[0] = t;
            out[1] = size_t{t} + 1;
            out[2] = size_t{t} + 2;
        } else {
            // Odd triangles of a strip run the other way round.
            out[0] = size_t{t} + 1;
            out[1] = t;
            out[2] = size_t{t} + 2;
        }
    };
    for (uint32_t t = 0; t < primitiveCount;) {
        size_t index[6];
        triangle(t, index);
        if (!generalOnly_ && t + 1 < primitiveCount) {
            triangle(t + 1, index + 3);
            if (drawRectPair(index, transformed, setup, minMagDiffer)) {
                t += 2;
                continue;
            }
        }
        if (transformed) {
            const swr::ClipVertex tri[3] = {clipScratch_[index[0]], clipScratch_[index[1]],
                                            clipScratch_[index[2]]};
            drawClipTriangle(tri, setup, minMagDiffer);
        } else {
            const swr::ScreenVertex tri[3] = {screenScratch_[index[0]], screenScratch_[index[1]],
                                              screenScratch_[index[2]]};
            drawScreenTriangle(tri, setup, minMagDiffer);
        }
        ++t;
    }
    return StatusOk;
}
