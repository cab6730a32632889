// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What one frame asked of the software device: its clears and its draws in
// order, each draw with every state in force, the content stamp of its
// texture and a copy of its vertices. The device keeps the record of the
// frame it is drawing; tests read it as the draw log.
#include <cstdint>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/software/device_states.hpp"

namespace tiefschacht {

struct DrawRecord {
    PrimitiveType type = PrimitiveType::TriangleList;
    uint32_t primitiveCount = 0;
    uint32_t fvf = 0;
    uint32_t stride = 0;
    swr::DeviceStates states;   // in force at the draw
    uint64_t textureStamp = 0;  // the contents of the stage-0 texture; 0: none the device made
    size_t firstByte = 0;       // where the draw's vertices start in the record's copy
    size_t byteCount = 0;

    const Texture* texture() const { return states.textures[0]; }
    uint32_t renderState(RenderState s) const { return states.render[static_cast<int>(s)]; }
    uint32_t samplerState(SamplerState s) const { return states.sampler[0][static_cast<int>(s)]; }
    const Mat4& world() const { return states.transforms[0]; }
};

struct ClearRecord {
    uint32_t colour = 0;
    float depth = 1.0f;
};

class FrameRecord {
public:
    void reset();
    void addClear(uint32_t colour, float depth);
    // Copies `byteCount` bytes of vertices from `vertices` into the record.
    void addDraw(const DrawRecord& draw, const uint8_t* vertices, size_t byteCount);

    bool empty() const { return requests_.empty(); }
    size_t size() const { return requests_.size(); }
    bool startsWithClear() const { return !requests_.empty() && requests_[0].clear; }
    // Whether request i of this record asks for the same pixels as request
    // i of `other` (the same kind, states, texture contents and vertices).
    bool sameRequest(size_t i, const FrameRecord& other) const;
    bool operator==(const FrameRecord& other) const;

    // Request i in order: a clear or a draw.
    bool isClear(size_t i) const { return requests_[i].clear; }
    const ClearRecord& clear(size_t i) const { return clears_[requests_[i].index]; }
    const DrawRecord& draw(size_t i) const { return draws_[requests_[i].index]; }

    const std::vector<DrawRecord>& draws() const { return draws_; }
    const uint8_t* vertices(const DrawRecord& d) const { return vertices_.data() + d.firstByte; }

private:
    struct Request {
        bool clear = false;
        uint32_t index = 0;  // into clears_ or draws_
    };
    std::vector<Request> requests_;
    std::vector<ClearRecord> clears_;
    std::vector<DrawRecord> draws_;
    std::vector<uint8_t> vertices_;
};

}  // namespace tiefschacht
