// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A vertex buffer of the software device: plain bytes, locked by range.
#include <cstdint>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/software/registry.hpp"

namespace tiefschacht {

class SoftwareVertexBuffer final : public VertexBuffer {
public:
    SoftwareVertexBuffer(uint32_t length, swr::RegistryPtr registry);
    ~SoftwareVertexBuffer() override;
    SoftwareVertexBuffer(const SoftwareVertexBuffer&) = delete;
    SoftwareVertexBuffer& operator=(const SoftwareVertexBuffer&) = delete;

    uint32_t size() const override { return static_cast<uint32_t>(bytes_.size()); }
    Status lock(uint32_t offset, uint32_t size, void** data, uint32_t flags) override;
    Status unlock() override;

    const uint8_t* data() const { return bytes_.data(); }

private:
    std::vector<uint8_t> bytes_;
    swr::RegistryPtr registry_;
    bool locked_ = false;
};

}  // namespace tiefschacht
