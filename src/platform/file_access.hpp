// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Reading and writing whole files. Reading takes only regular files, checked
// without waiting: a FIFO would block the open until a writer comes, and a
// device like /dev/zero never ends. It also takes only files up to a limit,
// so no file can make the game hold more than it expects. Writing reports a
// failed write or close with its real reason.
#include <cstddef>
#include <string>
#include <string_view>

namespace tiefschacht {

enum class ReadOutcome { Read, Missing, Failed };

// Reads the whole regular file at `path`, at most `limit` bytes, into `out`.
// Missing when there is no such file; Failed when it cannot be read, and
// `error` then says why, in words that read well after the file's name:
// "Permission denied", "not a regular file but a FIFO", "larger than 16 MiB".
[[nodiscard]] ReadOutcome readFileIfPresent(const std::string& path, size_t limit, std::string& out,
                                            std::string& error);

// The same for a file that must be there: false when it cannot be read, a
// missing file included ("No such file or directory").
[[nodiscard]] bool readRegularFile(const std::string& path, size_t limit, std::string& out,
                                   std::string& error);

// Writes `bytes` as the new contents of `path` (created, or emptied first).
// Opening does not wait for a FIFO's reader (one without a reader is an
// error). False when the open, a write or the close fails; `error` then holds
// the system's reason ("No space left on device"), and a regular file that
// was left half-written is removed.
[[nodiscard]] bool writeWholeFile(const std::string& path, std::string_view bytes,
                                  std::string& error);

// A size in the units the messages use: "16 MiB", "512 KiB", "100 bytes".
std::string describeSize(size_t bytes);

}  // namespace tiefschacht
