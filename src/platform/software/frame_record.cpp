// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/frame_record.hpp"

#include <algorithm>
#include <cstring>

namespace tiefschacht {

namespace {
// Everything of two draws that decides their pixels. The bound textures
// are compared by their content stamps, not by where they live.
bool sameDraw(const DrawRecord& a, const uint8_t* va, const DrawRecord& b, const uint8_t* vb) {
    return a.type == b.type && a.primitiveCount == b.primitiveCount && a.fvf == b.fvf &&
           a.stride == b.stride && a.textureStamp == b.textureStamp && a.byteCount == b.byteCount &&
           a.states.render == b.states.render && a.states.sampler == b.states.sampler &&
           a.states.stage == b.states.stage &&
           // The same bits give the same pixels: the transforms and vertices are
           // compared as stored, so -0 and 0 or two NaNs count as different.
           // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison)
           std::memcmp(a.states.transforms.data(), b.states.transforms.data(),
                       sizeof a.states.transforms) == 0 &&
           std::memcmp(va, vb, a.byteCount) == 0;
}
}  // namespace

void FrameRecord::reset() {
    requests_.clear();
    clears_.clear();
    draws_.clear();
    vertices_.clear();
}

void FrameRecord::addClear(uint32_t colour, float depth) {
    requests_.push_back(Request{true, static_cast<uint32_t>(clears_.size())});
    clears_.push_back(ClearRecord{colour, depth});
}

void FrameRecord::addDraw(const DrawRecord& draw, const uint8_t* vertices, size_t byteCount) {
    requests_.push_back(Request{false, static_cast<uint32_t>(draws_.size())});
    DrawRecord& d = draws_.emplace_back(draw);
    d.firstByte = vertices_.size();
    d.byteCount = byteCount;
    vertices_.insert(vertices_.end(), vertices, vertices + byteCount);
}

bool FrameRecord::sameRequest(size_t i, const FrameRecord& other) const {
    if (i >= requests_.size() || i >= other.requests_.size()) return false;
    if (isClear(i) != other.isClear(i)) return false;
    if (isClear(i)) {
        const ClearRecord &a = clear(i), &b = other.clear(i);
        // NOLINTNEXTLINE(bugprone-suspicious-memory-comparison): the same bits, as above
        return a.colour == b.colour && std::memcmp(&a.depth, &b.depth, sizeof a.depth) == 0;
    }
    const DrawRecord &a = draw(i), &b = other.draw(i);
    return sameDraw(a, vertices(a), b, other.vertices(b));
}

bool FrameRecord::operator==(const FrameRecord& other) const {
    if (size() != other.size()) return false;
    for (size_t i = 0; i < size(); ++i)
        if (!sameRequest(i, other)) return false;
    return true;
}

}  // namespace tiefschacht
