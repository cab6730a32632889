// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/software/state_block.hpp"

#include "platform/software/device.hpp"

namespace tiefschacht {

namespace swr {

void recordState(std::vector<RecordedState>& list, const RecordedState& s) {
    for (auto& r : list) {
        if (r.sameSlot(s)) {
            r = s;
            return;
        }
    }
    list.push_back(s);
}

}  // namespace swr

Status SoftwareStateBlock::capture() {
    SoftwareDevice* device = registry_->device;
    if (device == nullptr) return StatusInvalidCall;
    for (auto& s : states_) device->readState(s);
    return StatusOk;
}

Status SoftwareStateBlock::apply() {
    SoftwareDevice* device = registry_->device;
    if (device == nullptr) return StatusInvalidCall;
    for (const auto& s : states_) device->writeState(s);
    return StatusOk;
}

}  // namespace tiefschacht
