// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/device.hpp"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/seams.hpp"
#include "platform/software/rasteriser.hpp"
#include "platform/software/texture.hpp"
#include "platform/software/vertex_buffer.hpp"

namespace tiefschacht {

using swr::RecordedState;

namespace {

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
// A frame of the size, transparent black; without pixels when `empty`.
std::shared_ptr<Frame> blankFrame(int width, int height, bool empty = false) {
    auto f = std::make_shared<Frame>();
    f->width = width;
    f->height = height;
    if (!empty) f->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return f;
}

int transformIndex(TransformKind k) {
    switch (k) {
    case TransformKind::World: return 0;
    case TransformKind::View: return 1;
    case TransformKind::Projection: return 2;
    }
    return -1;
}

}  // namespace

SoftwareDevice::SoftwareDevice(VideoOutput* video, int width, int height, PixelFormat format,
                               bool depthBuffer, uint32_t behaviour,
                               const SoftwareDeviceOptions& options)
    : options_(options),
      video_(video),
      width_(width),
      height_(height),
      format_(format),
      behaviour_(behaviour),
      back_(blankFrame(width, height, true)),
      shown_(blankFrame(width, height)),
      stale_(true),
      states_(swr::defaultStates(depthBuffer)),
      registry_(std::make_shared<swr::Registry>()) {
    registry_->device = this;
}

SoftwareDevice::~SoftwareDevice() { registry_->device = nullptr; }

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
    if (width == 0 || height == 0 || width > options_.maxTextureSide ||
        height > options_.maxTextureSide)
        return StatusInvalidCall;
    if (levels > 1) return StatusInvalidCall;
    if (!SoftwareTexture::supportedFormat(format)) return StatusInvalidCall;
    auto texture = std::make_unique<SoftwareTexture>(width, height, format, registry_);
    if (!texture->valid()) return StatusOutOfMemory;
    out = std::move(texture);
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
    out = DeviceCaps{options_.maxTextureSide, options_.maxTextureSide};
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

}  // namespace tiefschacht
