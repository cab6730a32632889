// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the game's own files so that nothing is lost and nothing is written
// through a name someone else planted: a new version is written beside the
// old one under a name no one else can hold, synced, and renamed over it; a
// file that must be new is created exclusively; and an advisory lock lets
// several running games take turns at one file.
#include <sys/types.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace tiefschacht {

// Replaces the file at `path` with `bytes`: a temporary file in the same
// folder (created exclusively under a random name), written and synced,
// renamed over `path`, then the folder synced. Only the name `path` is
// replaced: a link or another name of a file found there is never written
// through. The new file keeps the permission bits of the regular file it
// replaces; a new one gets 0666 less the umask. False with the reason in
// `error`: the old file is then as it was and no temporary file is left.
[[nodiscard]] bool replaceFile(const std::string& path, std::string_view bytes, std::string& error);

// Writes `bytes` into a file `path` that must not exist yet (created
// exclusively, never through a link), with the permission bits `mode`, and
// syncs it. False with the reason in `error`; `nameTaken` then says whether
// the name was already in use. A file that could not be written whole is
// removed again.
[[nodiscard]] bool writeNewFile(const std::string& path, std::string_view bytes, mode_t mode,
                                bool& nameTaken, std::string& error);

// An exclusive advisory lock (flock) on the lock file `path`, created when
// missing and never through a link. Held until the object goes; the lock
// file itself stays, since removing it would let two games lock two
// different files of the same name.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Waits until the lock is held. False with the reason in `error`.
    [[nodiscard]] bool acquire(const std::string& path, std::string& error);

private:
    int fd_ = -1;
};

}  // namespace tiefschacht
