// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/vertex_buffer.hpp"

namespace tiefschacht {

SoftwareVertexBuffer::SoftwareVertexBuffer(uint32_t length, swr::RegistryPtr registry)
    : bytes_(length, 0), registry_(std::move(registry)) {
    registry_->buffers.insert(this);
}

SoftwareVertexBuffer::~SoftwareVertexBuffer() { registry_->buffers.erase(this); }

Status SoftwareVertexBuffer::lock(uint32_t offset, uint32_t size, void** data, uint32_t) {
    if (data == nullptr) return StatusInvalidCall;
    *data = nullptr;
    if (locked_) return StatusInvalidCall;
    const uint64_t total = bytes_.size();
    // Size 0 locks from the offset to the end.
    uint64_t end = size == 0 ? total : uint64_t{offset} + size;
    if (offset > total || end > total) return StatusInvalidCall;
    // A discard lock keeps the old bytes: drawing reads what was written,
    // and stale bytes are harmless because every draw is bounds-checked.
    locked_ = true;
    *data = bytes_.data() + offset;
    return StatusOk;
}

Status SoftwareVertexBuffer::unlock() {
    if (!locked_) return StatusInvalidCall;
    locked_ = false;
    return StatusOk;
}

}  // namespace tiefschacht
