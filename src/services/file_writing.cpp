// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/file_writing.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string_view>

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
constexpr char suffixAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

std::string randomSuffix() {
    constexpr const char* alphabet = suffixAlphabet;
    std::array<unsigned char, 6> bits{};
    if (getrandom(bits.data(), bits.size(), 0) != static_cast<ssize_t>(bits.size())) {
        // Without random bytes the name is still unique to this process;
        // the exclusive creation below refuses any name already taken.
        const auto mix = static_cast<unsigned>(getpid()) ^ static_cast<unsigned>(clock());
        for (size_t i = 0; i < bits.size(); ++i)
            bits[i] = static_cast<unsigned char>(mix >> (i * 5));
    }
    std::string s;
    for (unsigned char b : bits) s += alphabet[b % (sizeof suffixAlphabet - 1)];
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

bool writeUniqueFile(const std::string& base, std::string_view bytes, mode_t mode,
                     std::string& name, std::string& error) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = base + randomSuffix() + randomSuffix();
        std::string temporary;
        const int fd = createTemporary(name, temporary);
        if (fd < 0) {
            error = reasonOf(errno);
            return false;
        }
        if (!finishFile(fd, bytes, static_cast<int>(mode & 07777), error)) {
            unlink(temporary.c_str());
            return false;
        }
        const bool linked = link(temporary.c_str(), name.c_str()) == 0;
        const int failure = errno;
        unlink(temporary.c_str());
        if (linked) {
            syncFolder(folderOf(name));
            return true;
        }
        if (failure != EEXIST) {
            error = reasonOf(failure);
            return false;
        }
    }
    error = reasonOf(EEXIST);
    return false;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void removeLeftTemporaries(const std::string& path) {
    const std::string prefix = nameOf(path) + ".tmp-";
    const int folder =
        open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return;
    DIR* entries = fdopendir(folder);
    if (entries == nullptr) {
        close(folder);
        return;
    }
    constexpr size_t suffixLength = 6;
    while (const dirent* entry = readdir(entries)) {
        const std::string_view name = entry->d_name;
        if (name.size() != prefix.size() + suffixLength || name.substr(0, prefix.size()) != prefix)
            continue;
        if (name.substr(prefix.size()).find_first_not_of(suffixAlphabet) != std::string::npos)
            continue;
        struct stat found {};
        if (fstatat(folder, entry->d_name, &found, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(found.st_mode))
            (void)unlinkat(folder, entry->d_name, 0);
    }
    closedir(entries);  // closes `folder` too
}

namespace {

// The owner of `who` and the permissions of the file a lock guards.
bool inGroup(uid_t who, gid_t group) {
    if (who == geteuid()) return group == getegid() || group_member(group) != 0;
    std::array<char, 4096> buffer{};
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(who, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr)
        return false;
    std::array<gid_t, 256> groups{};
    int count = static_cast<int>(groups.size());
    if (getgrouplist(found->pw_name, found->pw_gid, groups.data(), &count) < 0) return false;
    return std::find(groups.begin(), groups.begin() + count, group) != groups.begin() + count;
}

// Whether the user `who` may write the file (or folder) described by `g`.
bool mayWrite(uid_t who, const struct stat& g) {
    if (who == 0) return true;
    if (who == g.st_uid) return (g.st_mode & S_IWUSR) != 0;
    if ((g.st_mode & S_IWOTH) != 0) return true;
    return (g.st_mode & S_IWGRP) != 0 && inGroup(who, g.st_gid);
}

// Read and write for exactly those classes that may write the guarded file.
mode_t lockModeFor(const struct stat& g) {
    return S_IRUSR | S_IWUSR | ((g.st_mode & S_IWGRP) != 0 ? S_IRGRP | S_IWGRP : 0) |
           ((g.st_mode & S_IWOTH) != 0 ? S_IROTH | S_IWOTH : 0);
}

// Whether a lock file can be used: its owner may write the guarded file, and
// it is open to no one else.
bool lockFits(const struct stat& lock, const struct stat& g) {
    if (!S_ISREG(lock.st_mode) || !mayWrite(lock.st_uid, g)) return false;
    if ((lock.st_mode & 0777 & ~lockModeFor(g)) != 0) return false;
    return (lock.st_mode & 0070) == 0 || lock.st_gid == g.st_gid;
}

// Makes a fitting lock file at `path`: made under a name of its own with its
// permissions set, then linked in (when there is none) or renamed over the
// one there (when that one does not fit).
bool makeLockFile(const std::string& path, const struct stat& g, bool replace, std::string& error) {
    std::string temporary;
    const int fd = createTemporary(path, temporary);
    if (fd < 0) {
        error = reasonOf(errno);
        return false;
    }
    (void)fchown(fd, static_cast<uid_t>(-1), g.st_gid);  // a group the player is not in stays
    bool ok = fchmod(fd, lockModeFor(g)) == 0;
    close(fd);
    if (ok) {
        if (replace)
            ok = std::rename(temporary.c_str(), path.c_str()) == 0;
        else
            ok = link(temporary.c_str(), path.c_str()) == 0 || errno == EEXIST;
    }
    if (!ok) error = reasonOf(errno);
    unlink(temporary.c_str());
    return ok;
}

// The permissions that decide who may write `guarded`: its own, or its
// folder's while it does not exist.
bool guardedInfo(const std::string& guarded, struct stat& g) {
    if (lstat(guarded.c_str(), &g) == 0 && S_ISREG(g.st_mode)) return true;
    return stat(folderOf(guarded).c_str(), &g) == 0;
}

bool sameFile(int fd, const std::string& path) {
    struct stat held {
    }, named{};
    return fstat(fd, &held) == 0 && stat(path.c_str(), &named) == 0 &&
           held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

FileLock::~FileLock() {
    if (fd_ >= 0) close(fd_);  // closing releases the lock
}

LockResult FileLock::acquire(const std::string& path, const std::string& guarded, int patienceMs,
                             std::string& error) {
    if (fd_ >= 0) return LockResult::Held;
    const auto fail = [&](const std::string& reason) {
        error = path + ": " + reason;
        return LockResult::Failed;
    };
    struct stat g {};
    if (!guardedInfo(guarded, g)) return fail(reasonOf(errno));
    // The player's own right is asked of the system, which knows every way
    // the player may have it.
    const bool playerMayWrite =
        faccessat(AT_FDCWD, (S_ISREG(g.st_mode) ? guarded : folderOf(guarded)).c_str(), W_OK,
                  AT_EACCESS) == 0;
    timespec start{};
    clock_gettime(CLOCK_MONOTONIC, &start);
    const auto waitedMs = [&start] {
        timespec now{};
        clock_gettime(CLOCK_MONOTONIC, &now);
        return (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
    };
    // Each pass opens the lock file as it is now; a few passes are enough
    // unless someone keeps changing it.
    for (int pass = 0; pass < 16; ++pass) {
        const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        if (fd < 0) {
            const int failure = errno;
            if (failure == ELOOP) return fail("it is a symbolic link");
            const bool missing = failure == ENOENT;
            if (missing || failure == EACCES) {
                // Made or replaced only by a player who may write what it guards.
                if (!playerMayWrite) return fail(reasonOf(EACCES));
                if (!makeLockFile(path, g, !missing, error)) return fail(error);
                continue;
            }
            return fail(reasonOf(failure));
        }
        struct stat lock {};
        if (fstat(fd, &lock) != 0 || !lockFits(lock, g)) {
            close(fd);
            if (!S_ISREG(lock.st_mode)) return fail("not a regular file");
            if (!playerMayWrite) return fail("it belongs to someone who may not write " + guarded);
            if (!makeLockFile(path, g, true, error)) return fail(error);
            continue;
        }
        for (;;) {
            if (flock(fd, LOCK_EX | LOCK_NB) == 0) break;
            if (errno == EINTR) continue;
            if (errno != EWOULDBLOCK) {
                const int failure = errno;
                close(fd);
                return fail(reasonOf(failure));
            }
            if (waitedMs() >= patienceMs) {
                close(fd);
                return LockResult::Busy;
            }
            constexpr timespec pause{0, 2 * 1000 * 1000};
            nanosleep(&pause, nullptr);
        }
        if (sameFile(fd, path)) {
            fd_ = fd;
            return LockResult::Held;
        }
        close(fd);  // replaced while it was waited for: lock the one there now
    }
    return fail("the lock file keeps changing");
}

}  // namespace tiefschacht
