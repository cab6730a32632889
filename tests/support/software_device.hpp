// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real software device for tests: made directly at a size, with its
// options open to change between draws (so one device can draw the same
// thing by two paths), and its draw log and back buffer in reach.
#include <cstring>
#include <memory>
#include <vector>

#include "platform/software/device.hpp"

namespace tiefschacht {

namespace testsupport {

class TestSoftwareDevice final : public SoftwareDevice {
public:
    using SoftwareDevice::SoftwareDevice;
    SoftwareDeviceOptions& options() { return options_; }
};

// A device of width x height with a depth buffer, presenting into `video`
// (none: presents go nowhere).
inline std::unique_ptr<TestSoftwareDevice> makeSoftwareDevice(
    int width, int height, const SoftwareDeviceOptions& options = {},
    VideoOutput* video = nullptr) {
    return std::make_unique<TestSoftwareDevice>(video, width, height, PixelFormat::X8R8G8B8, true,
                                                CreateSoftwareVertexProcessing, options);
}

// The vertices of a logged draw, read as V (a vertex of the draw's layout).
template <typename V>
std::vector<V> verticesOf(const SoftwareDevice& device, const DrawRecord& d) {
    std::vector<V> out;
    if (d.stride < sizeof(V)) return out;
    const uint8_t* bytes = device.frameRecord().vertices(d);
    for (size_t at = 0; at + sizeof(V) <= d.byteCount; at += d.stride) {
        V v;
        std::memcpy(&v, bytes + at, sizeof v);
        out.push_back(v);
    }
    return out;
}

}  // namespace testsupport

}  // namespace tiefschacht
