// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_access.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>

namespace tiefschacht {

namespace {

// Closes a descriptor when it goes out of scope, unless it was closed by hand.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return fd_; }
    // Closes now; false (errno set) when the close reports an error.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

const char* kindOf(mode_t mode) {
    if (S_ISDIR(mode)) return "a directory";
    if (S_ISFIFO(mode)) return "a FIFO";
    if (S_ISCHR(mode)) return "a character device";
    if (S_ISBLK(mode)) return "a block device";
    if (S_ISSOCK(mode)) return "a socket";
    return "something else";
}

std::string systemError(int code) { return std::strerror(code); }

}  // namespace

std::string describeSize(size_t bytes) {
    if (bytes >= (size_t{1} << 20) && bytes % (size_t{1} << 20) == 0)
        return std::to_string(bytes >> 20) + " MiB";
    if (bytes >= (size_t{1} << 10) && bytes % (size_t{1} << 10) == 0)
        return std::to_string(bytes >> 10) + " KiB";
    return std::to_string(bytes) + " bytes";
}

ReadOutcome readFileIfPresent(const std::string& path, size_t limit, std::string& out,
                              std::string& error) {
    out.clear();
    // Without O_NONBLOCK the open of a FIFO waits for a writer, possibly for ever.
    Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (file.get() < 0) {
        if (errno == ENOENT) return ReadOutcome::Missing;
        error = systemError(errno);
        return ReadOutcome::Failed;
    }
    struct stat info {};
    if (::fstat(file.get(), &info) != 0) {
        error = systemError(errno);
        return ReadOutcome::Failed;
    }
    if (!S_ISREG(info.st_mode)) {
        error = std::string("not a regular file but ") + kindOf(info.st_mode);
        return ReadOutcome::Failed;
    }
    const std::string tooLarge = "larger than " + describeSize(limit);
    if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > limit) {
        error = tooLarge;
        return ReadOutcome::Failed;
    }
    out.resize(static_cast<size_t>(info.st_size));
    size_t done = 0;
    // The file may grow while it is read: read until its end, but never past
    // the limit.
    while (true) {
        if (done == out.size()) {
            if (done >= limit + 1) break;
            out.resize(std::min(limit + 1, done + 65536));
        }
        const ssize_t n = ::read(file.get(), out.data() + done, out.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            error = systemError(errno);
            out.clear();
            return ReadOutcome::Failed;
        }
        if (n == 0) break;
        done += static_cast<size_t>(n);
    }
    if (done > limit) {
        error = tooLarge;
        out.clear();
        return ReadOutcome::Failed;
    }
    out.resize(done);
    return ReadOutcome::Read;
}

bool readRegularFile(const std::string& path, size_t limit, std::string& out, std::string& error) {
    switch (readFileIfPresent(path, limit, out, error)) {
    case ReadOutcome::Read: return true;
    case ReadOutcome::Missing: error = systemError(ENOENT); return false;
    case ReadOutcome::Failed: return false;
    }
    return false;
}

bool writeWholeFile(const std::string& path, std::string_view bytes, std::string& error) {
    // O_NONBLOCK: a FIFO without a reader fails at once instead of waiting.
    Descriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NONBLOCK, 0666));
    if (file.get() < 0) {
        error = errno == ENXIO ? std::string("a FIFO that nobody reads") : systemError(errno);
        return false;
    }
    // The writes themselves may wait (a pipe whose reader is slow).
    const int flags = ::fcntl(file.get(), F_GETFL);
    if (flags >= 0) ::fcntl(file.get(), F_SETFL, flags & ~O_NONBLOCK);
    struct stat info {};
    const bool regular = ::fstat(file.get(), &info) == 0 && S_ISREG(info.st_mode);

    int failure = 0;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            failure = errno;
            break;
        }
        done += static_cast<size_t>(n);
    }
    // A file system may report a failed write only when the file is closed.
    if (!file.close() && failure == 0) failure = errno;
    if (failure == 0) return true;
    error = systemError(failure);
    if (regular) ::unlink(path.c_str());
    return false;
}

}  // namespace tiefschacht
