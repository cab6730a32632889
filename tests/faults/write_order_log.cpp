// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// A library put before the C library (LD_PRELOAD) in a game run by the fault
// tests: it lets every write, fsync and rename through and notes each, with
// the name of the file, one line each, in the file WRITE_ORDER_LOG names, so
// that a test can see in which order a file's bytes reach the disk and the
// file takes its name. It uses the system calls directly for its own notes.
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// The file a descriptor names, or "?".
void nameOf(int fd, char* out, size_t size) {
    char link[64];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, out, size - 1);
    if (n <= 0) {
        std::snprintf(out, size, "?");
        return;
    }
    out[n] = '\0';
}

void note(const char* what, const char* first, const char* second) {
    const char* path = std::getenv("WRITE_ORDER_LOG");
    if (!path) return;
    char line[4200];
    const int n = std::snprintf(line, sizeof line, "%s %s%s%s\n", what, first, second ? " " : "",
                                second ? second : "");
    if (n <= 0) return;
    const long fd =
        syscall(SYS_openat, AT_FDCWD, path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return;
    syscall(SYS_write, fd, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
    syscall(SYS_close, fd);
}

template <typename F>
F next(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

ssize_t write(int fd, const void* bytes, size_t count) {
    static auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    const ssize_t written = real(fd, bytes, count);
    if (written > 0 && fd > 2) {
        char name[4096];
        nameOf(fd, name, sizeof name);
        note("write", name, nullptr);
    }
    return written;
}

int fsync(int fd) {
    static auto real = next<int (*)(int)>("fsync");
    char name[4096];
    nameOf(fd, name, sizeof name);
    const int result = real(fd);
    if (result == 0) note("fsync", name, nullptr);
    return result;
}

int rename(const char* from, const char* to) {
    static auto real = next<int (*)(const char*, const char*)>("rename");
    const int result = real(from, to);
    if (result == 0) note("rename", from, to);
    return result;
}

}  // extern "C"
