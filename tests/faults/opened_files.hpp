// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which files of a runtime folder a run opens, as the kernel reports them
// (inotify on Data/, Graphics/ and Sound/): the list of files to damage is
// checked against what the game really opens, not against a list kept by hand.
#include <filesystem>
#include <set>
#include <string>

namespace tiefschacht {

class OpenedFiles {
public:
    explicit OpenedFiles(const std::filesystem::path& runtimeFolder);
    ~OpenedFiles();
    OpenedFiles(const OpenedFiles&) = delete;
    OpenedFiles& operator=(const OpenedFiles&) = delete;

    bool watching() const { return fd_ >= 0 && !failed_; }
    // Everything opened since the watch began, as relative paths ("Data/Items.txt").
    // False when events were lost.
    bool collect(std::set<std::string>& opened);

private:
    int fd_ = -1;
    bool failed_ = false;
    std::set<std::pair<int, std::string>> watches_;
};

}  // namespace tiefschacht
