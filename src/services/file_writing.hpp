// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writing the game's own files so that nothing is lost and nothing is written
// through a name someone else planted: a new version is written beside the
// old one under a name no one else can hold, synced, and renamed over it; a
// file that must be new is created exclusively; and an advisory lock lets
// several running games take turns at one file, none of them for long.
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

// Writes `bytes` into a new file whose name is `base` followed by twelve
// random letters and digits, with the permission bits `mode`. The file
// appears whole or not at all: it is written and synced under a temporary
// name, then linked in under a name no file has. Its name goes to `name`;
// false with the reason in `error`.
[[nodiscard]] bool writeUniqueFile(const std::string& base, std::string_view bytes, mode_t mode,
                                   std::string& name, std::string& error);

// The folder a path names a file in ("." for a bare name, "/" at the root)
// and the file's own name.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// Removes what killed writes of `path` left beside it: the regular files
// named as replaceFile names its temporaries (`path`.tmp-XXXXXX), in that
// folder only, opened without following a link. Call it while holding the
// lock under which every write of `path` is made, so that no write still
// running can lose its temporary.
void removeLeftTemporaries(const std::string& path);

enum class LockResult { Held, Busy, Failed };

// An exclusive advisory lock (flock) on the lock file `path`, which guards
// the file `guarded` (the list it is taken for). Held until the object goes;
// the lock file itself stays, since removing it would let two games lock two
// different files of the same name.
//
// The lock file is only ever one that those who may write `guarded` can
// open and no one else can: it is made with the write permissions of
// `guarded` (of its folder while it does not exist) as read and write
// permissions, whatever the umask, in the group of `guarded`. A lock file
// that does not fit (it is open to someone who may not write `guarded`, it
// belongs to such a one, or it shuts out the player) is not waited on: it is
// replaced by a fitting one, when the player may write `guarded`. A lock
// taken on a file that was replaced meanwhile is given up and taken anew.
class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock, waiting at most `patienceMs` milliseconds while
    // another holds it. Busy when it was still held then; Failed with the
    // reason in `error` when it cannot be taken at all (a link, a folder
    // the player may not write).
    [[nodiscard]] LockResult acquire(const std::string& path, const std::string& guarded,
                                     int patienceMs, std::string& error);

private:
    int fd_ = -1;
};

}  // namespace tiefschacht
