// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "small_device.hpp"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <vector>

namespace tiefschacht {

namespace {

bool writeProcFile(const char* path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    out.flush();
    return static_cast<bool>(out);
}

// A mount namespace of this process's own: directly with the right to
// mount, else inside a user namespace where this process is root.
bool ownMountNamespace(std::string& whyNot) {
    if (unshare(CLONE_NEWNS) != 0) {
        const uid_t uid = getuid();
        const gid_t gid = getgid();
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
            whyNot = std::string("no mount namespace: ") + std::strerror(errno);
            return false;
        }
        if (!writeProcFile("/proc/self/setgroups", "deny") ||
            !writeProcFile("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeProcFile("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1")) {
            whyNot = "no mapping into the user namespace";
            return false;
        }
    }
    // Mounts made here must not reach the rest of the machine.
    if (mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        whyNot = std::string("the mounts cannot be made private: ") + std::strerror(errno);
        return false;
    }
    return true;
}

size_t pagesFree(const std::filesystem::path& folder) {
    struct statvfs s {};
    if (statvfs(folder.c_str(), &s) != 0) return 0;
    return static_cast<size_t>(s.f_bavail) * s.f_bsize / 4096;
}

}  // namespace

SmallDevice::SmallDevice(const std::filesystem::path& folder, size_t bytes) : folder_(folder) {
    if (!ownMountNamespace(whyNot_)) return;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    if (mount("tiefschacht-test", folder.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, options.c_str()) !=
        0) {
        whyNot_ = std::string("tmpfs cannot be mounted: ") + std::strerror(errno);
        return;
    }
    mounted_ = true;
}

SmallDevice::~SmallDevice() {
    if (mounted_) umount2(folder_.c_str(), MNT_DETACH);
}

bool SmallDevice::fillLeaving(size_t pages) {
    const size_t free = pagesFree(folder_);
    if (free < pages) return false;
    const int fd = open((folder_ / ".filling").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (fd < 0) return false;
    const std::vector<char> page(4096, 'F');
    for (size_t i = 0; i < free - pages; ++i) {
        if (write(fd, page.data(), page.size()) != static_cast<ssize_t>(page.size())) break;
    }
    close(fd);
    return pagesFree(folder_) == pages;
}

}  // namespace tiefschacht
