// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/file_writing.hpp"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>

namespace tiefschacht {

namespace {

std::string reasonOf(int error) { return std::strerror(error); }

// Writes everything, going on after a partial write or a signal.
bool writeAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Makes a rename in the folder durable. A folder that cannot be synced is
// no reason to fail: the new file is in place either way.
void syncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    (void)fsync(fd);
    close(fd);
}

// Six random letters and digits: a name beside `base` that another program
// cannot have guessed in advance.
std::string randomSuffix() {
    static constexpr char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::array<unsigned char, 6> bits{};
    if (getrandom(bits.data(), bits.size(), 0) != static_cast<ssize_t>(bits.size())) {
        // Without random bytes the name is still unique to this process;
        // the exclusive creation below refuses any name already taken.
        const auto mix = static_cast<unsigned>(getpid()) ^ static_cast<unsigned>(clock());
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] = static_cast<unsigned char>(mix >> (i * 5));
    }
    std::string s;
    for (unsigned char b : bits) s += alphabet[b % (sizeof alphabet - 1)];
    return s;
}

// Creates a new file `base.tmp-XXXXXX` exclusively; its name goes to `name`.
int createTemporary(const std::string& base, std::string& name) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = base + ".tmp-" + randomSuffix();
        const int fd =
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

// Writes, sets the permission bits when asked, syncs and closes `fd`; the
// reason of the first failure goes to `error`.
bool finishFile(int fd, std::string_view bytes, int mode, std::string& error) {
    bool ok = writeAll(fd, bytes) && (mode < 0 || fchmod(fd, static_cast<mode_t>(mode)) == 0) &&
              fsync(fd) == 0;
    if (!ok) error = reasonOf(errno);
    if (close(fd) != 0 && ok) {
        error = reasonOf(errno);
        ok = false;
    }
    return ok;
}

}  // namespace

bool replaceFile(const std::string& path, std::string_view bytes, std::string& error) {
    // The permission bits of the regular file being replaced; -1 leaves the
    // new file with what its creation gave it (0666 less the umask).
    int mode = -1;
    struct stat old {};
    if (lstat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        mode = static_cast<int>(old.st_mode & 07777);

    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) {
        error = reasonOf(errno);
        return false;
    }
    bool ok = finishFile(fd, bytes, mode, error);
    if (ok && std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = reasonOf(errno);
        ok = false;
    }
    if (!ok) {
        unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

bool writeNewFile(const std::string& path, std::string_view bytes, mode_t mode, bool& nameTaken,
                  std::string& error) {
    nameTaken = false;
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        nameTaken = errno == EEXIST;
        error = reasonOf(errno);
        return false;
    }
    if (!finishFile(fd, bytes, static_cast<int>(mode & 07777), error)) {
        unlink(path.c_str());
        return false;
    }
    syncFolder(folderOf(path));
    return true;
}

FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
}

bool FileLock::acquire(const std::string& path, std::string& error) {
    if (fd_ >= 0) return true;
    const int fd =
        open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        error = path + ": " + (errno == ELOOP ? "it is a symbolic link" : reasonOf(errno));
        return false;
    }
    while (flock(fd, LOCK_EX) != 0) {
        if (errno == EINTR) continue;
        error = path + ": " + reasonOf(errno);
        close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

}  // namespace tiefschacht
