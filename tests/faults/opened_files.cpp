// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "opened_files.hpp"

#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace tiefschacht {

OpenedFiles::OpenedFiles(const std::filesystem::path& runtimeFolder) {
    fd_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd_ < 0) return;
    for (const char* sub : {"Data", "Graphics", "Sound"}) {
        const int wd = inotify_add_watch(fd_, (runtimeFolder / sub).c_str(), IN_OPEN);
        if (wd < 0)
            failed_ = true;
        else
            watches_.insert({wd, sub});
    }
}

OpenedFiles::~OpenedFiles() {
    if (fd_ >= 0) close(fd_);
}

bool OpenedFiles::collect(std::set<std::string>& opened) {
    if (!watching()) return false;
    alignas(inotify_event) std::array<char, 65536> buffer;
    for (;;) {
        const ssize_t n = read(fd_, buffer.data(), buffer.size());
        if (n < 0) return errno == EAGAIN;
        for (ssize_t at = 0; at < n;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer.data() + at);
            if (event->mask & IN_Q_OVERFLOW) return false;
            if (event->len > 0 && !(event->mask & IN_ISDIR)) {
                for (const auto& [wd, sub] : watches_)
                    if (wd == event->wd) opened.insert(sub + "/" + event->name);
            }
            at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
}

}  // namespace tiefschacht
