// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Entries kept beside a busy list. When another game holds the list's lock
// for longer than a game waits, its entry is written into a file of its own
// beside the list (<list>.eintrag-XXXXXXXXXXXX, one "NAME SCORE" line); the
// next game that writes the list, or the next game that starts, enters it
// and removes the file. An entry on disk survives the game being closed or
// killed, which one held in memory until the lock is free would not.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tiefschacht {

struct KeptEntry {
    std::string file;
    std::array<char, 15> name{};
    int32_t score = 0;
};

// The first part of the name of every entry kept beside `list`.
std::string keptEntryPrefix(const std::string& list);

// Writes the entry into a new file beside `list`; its name goes to `kept`.
// False with the reason in `error`.
bool keepEntryAside(const std::string& list, const std::array<char, 15>& name, int32_t score,
                    std::string& kept, std::string& error);

// The entries kept beside `list`: regular files of the right name (never
// through a link), at most 100. A file that holds no entry is named once
// by a warning and left as it is.
std::vector<KeptEntry> findKeptEntries(const std::string& list);

// Removes the files of entries that are in the list now.
void removeKeptEntries(const std::vector<KeptEntry>& entries);

}  // namespace tiefschacht
