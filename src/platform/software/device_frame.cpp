// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The software device's frames: clearing, presenting, and the skipping of a
// frame whose requests are those of the frame on screen.
#include <algorithm>

#include "platform/seams.hpp"
#include "platform/software/device.hpp"

namespace tiefschacht {

Status SoftwareDevice::clear(uint32_t colour, float depth) {
    if (!(depth >= 0.0f)) depth = 0.0f;
    if (depth > 1.0f) depth = 1.0f;
    frame_.addClear(colour, depth);
    takeRequest();
    return StatusOk;
}

Status SoftwareDevice::beginScene() {
    if (inScene_) return StatusInvalidCall;
    inScene_ = true;
    return StatusOk;
}

Status SoftwareDevice::endScene() {
    if (!inScene_) return StatusInvalidCall;
    inScene_ = false;
    return StatusOk;
}

void SoftwareDevice::takeRequest() {
    const size_t newest = frame_.size() - 1;
    // A frame that opens as the frame on screen did may be that frame again.
    if (newest == 0) matching_ = shownReproducible_;
    if (matching_ && frame_.sameRequest(newest, shownRecord_)) return;
    drawPending();
}

void SoftwareDevice::drawPending() {
    matching_ = false;
    while (drawn_ < frame_.size()) drawRequest(drawn_++);
}

void SoftwareDevice::drawRequest(size_t index) {
    if (!frame_.isClear(index)) {
        const DrawRecord& d = frame_.draw(index);
        if (d.byteCount > 0) rasterise(d, frame_.vertices(d));
        return;
    }
    const ClearRecord& c = frame_.clear(index);
    const size_t size = static_cast<size_t>(width_) * static_cast<size_t>(height_);
    if (back_.use_count() > 1 || back_->pixels.size() != size)
        back_ =
            std::make_shared<Frame>(Frame{width_, height_, std::vector<uint32_t>(size, c.colour)});
    else
        std::fill(back_->pixels.begin(), back_->pixels.end(), c.colour);
    stale_ = false;
    // The depth buffer is filled when a draw first uses it: most frames of
    // the game never test depth, so they skip that pass over memory.
    depthClearPending_ = true;
    pendingDepth_ = c.depth;
}

// A changed frame is swapped into the presented buffer rather than copied:
// the game clears every frame before it draws, so the old contents left in
// the back buffer are never seen. Whatever reads or draws on the back buffer
// before the next clear gets the presented frame back first (restoreBackBuffer).
Status SoftwareDevice::present() {
    // Nothing asked since the last present, or every request the same as
    // the frame on screen's: the same frame again.
    const bool same = frame_.empty() || (matching_ && frame_.size() == shownRecord_.size());
    if (same) {
        if (!frame_.empty()) stale_ = true;
    } else {
        drawPending();
        std::swap(back_, shown_);
        stale_ = true;
        shownReproducible_ = frame_.startsWithClear() && !written_;
        std::swap(shownRecord_, frame_);
    }
    frame_.reset();
    matching_ = false;
    drawn_ = 0;
    written_ = false;
    if (video_ != nullptr) video_->present(shown_, !same);
    return StatusOk;
}

void SoftwareDevice::restoreBackBuffer() {
    // The video output may still hold the frame that is to be drawn into:
    // then the device takes a buffer of its own.
    if (back_.use_count() > 1)
        back_ = std::make_shared<Frame>(stale_ ? *shown_ : *back_);
    else if (stale_)
        back_->pixels = shown_->pixels;
    stale_ = false;
}

const uint32_t* SoftwareDevice::backBuffer() {
    drawPending();
    return stale_ ? shown_->pixels.data() : back_->pixels.data();
}

uint32_t* SoftwareDevice::mutableBackBuffer() {
    drawPending();
    restoreBackBuffer();
    written_ = true;
    return back_->pixels.data();
}

}  // namespace tiefschacht
