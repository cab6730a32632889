// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A state block of the software device: the list of states set while it was
// recorded, each with its value. capture() refreshes the values from the
// device, apply() sets them on it.
#include <cstdint>
#include <vector>

#include "platform/graphics_device.hpp"
#include "platform/software/registry.hpp"

namespace tiefschacht {

namespace swr {

struct RecordedState {
    enum class Kind { Render, Sampler, Stage, Texture, Transform };
    Kind kind = Kind::Render;
    int unit = 0;   // sampler or stage number
    int index = 0;  // which state, or the transform kind
    uint32_t value = 0;
    Texture* texture = nullptr;
    Mat4 matrix;

    bool sameSlot(const RecordedState& o) const {
        return kind == o.kind && unit == o.unit && index == o.index;
    }
};

// Adds a state to a recording; a state set twice keeps its last value.
void recordState(std::vector<RecordedState>& list, const RecordedState& s);

}  // namespace swr

class SoftwareStateBlock final : public StateBlock {
public:
    SoftwareStateBlock(std::vector<swr::RecordedState> states, swr::RegistryPtr registry)
        : states_(std::move(states)), registry_(std::move(registry)) {}
    Status capture() override;
    Status apply() override;
    const std::vector<swr::RecordedState>& states() const { return states_; }

private:
    std::vector<swr::RecordedState> states_;
    swr::RegistryPtr registry_;
};

}  // namespace tiefschacht
