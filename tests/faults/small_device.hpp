// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small file system of its own (tmpfs) mounted over a folder, so that a
// test can fill it up and watch the game meet a full device. The mount lives
// in a mount namespace of the test process alone (its children share it) and
// goes with the object.
#include <cstddef>
#include <filesystem>
#include <string>

namespace tiefschacht {

class SmallDevice {
public:
    // Mounts an empty device of `bytes` over `folder`; what the folder held
    // is out of sight until the device goes.
    SmallDevice(const std::filesystem::path& folder, size_t bytes);
    ~SmallDevice();
    SmallDevice(const SmallDevice&) = delete;
    SmallDevice& operator=(const SmallDevice&) = delete;

    bool mounted() const { return mounted_; }
    const std::string& whyNot() const { return whyNot_; }

    // Fills the device with a file of its own until only `pages` pages are
    // free. False when that cannot be done.
    bool fillLeaving(size_t pages);

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
    std::string whyNot_;
};

}  // namespace tiefschacht
