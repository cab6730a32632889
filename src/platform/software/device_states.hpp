// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Every state the software device holds between calls, with the start values
// of the old immediate-mode interface.
#include <array>
#include <cstdint>

#include "platform/graphics_device.hpp"

namespace tiefschacht {

namespace swr {

constexpr int RenderStateCount = static_cast<int>(RenderState::Count);
constexpr int SamplerStateCount = static_cast<int>(SamplerState::Count);
constexpr int StageStateCount = static_cast<int>(TextureStageState::Count);

struct DeviceStates {
    std::array<uint32_t, RenderStateCount> render{};
    std::array<std::array<uint32_t, SamplerStateCount>, SamplerCount> sampler{};
    std::array<std::array<uint32_t, StageStateCount>, TextureStageCount> stage{};
    std::array<Texture*, TextureStageCount> textures{};
    std::array<Mat4, 3> transforms{Mat4::identity(), Mat4::identity(), Mat4::identity()};
};

// The start values; the depth test starts on when the device has a depth buffer.
DeviceStates defaultStates(bool depthBuffer);

}  // namespace swr

}  // namespace tiefschacht
