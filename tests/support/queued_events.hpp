// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Window events from a list: handed out one per call, then none. A close
// request can also arrive while the game waits: at the given look for one.
#include <algorithm>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

namespace testsupport {

class QueuedEvents final : public WindowEvents {
public:
    std::vector<PlatformEvent> queue;
    int closeAtLook =
        0;  // the look (counted from 1) at which the close button is pressed; 0: never
    int looks = 0;

    PlatformEvent takeEvent() override {
        if (queue.empty()) return PlatformEvent::None;
        PlatformEvent e = queue.front();
        queue.erase(queue.begin());
        return e;
    }
    bool closePending() override {
        if (++looks == closeAtLook) queue.push_back(PlatformEvent::CloseWindow);
        return std::find(queue.begin(), queue.end(), PlatformEvent::CloseWindow) != queue.end();
    }
};

}  // namespace testsupport

}  // namespace tiefschacht
