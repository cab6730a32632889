// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The headless shell: opens nothing and keeps every request in order, for
// the state dump.
#include <string>
#include <vector>

#include "platform/backends.hpp"

namespace tiefschacht {

namespace {
class RecordingShell final : public ShellOpener {
public:
    bool open(const std::string& target, std::string&) override {
        requests_.push_back(target);
        return true;
    }
    void endFrame() override {}
    const std::vector<std::string>& requests() const override { return requests_; }

private:
    std::vector<std::string> requests_;
};
}  // namespace

std::unique_ptr<ShellOpener> createRecordingShell() { return std::make_unique<RecordingShell>(); }

}  // namespace tiefschacht
