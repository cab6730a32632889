// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A shell that opens each target at most once per press. A screen asks
// again in every frame its button is held, so a target asked for in the
// frame before (or already in this frame) is not opened again.
#include <functional>
#include <string>
#include <vector>

#include "platform/seams.hpp"

namespace tiefschacht {

class OncePerPressShell final : public ShellOpener {
public:
    using Opener = std::function<bool(const std::string&, std::string&)>;
    explicit OncePerPressShell(Opener opener) : opener_(std::move(opener)) {}

    // A request left out as part of a press already made succeeds.
    bool open(const std::string& target, std::string& error) override;
    void endFrame() override;
    // The targets actually opened, in order.
    const std::vector<std::string>& requests() const override { return opened_; }

private:
    Opener opener_;
    std::vector<std::string> previousFrame_;
    std::vector<std::string> thisFrame_;
    std::vector<std::string> opened_;
};

}  // namespace tiefschacht
