// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fresh copies of the runtime folder with one file damaged, and the kinds of
// damage.
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace tiefschacht {

enum class Fault { Missing, Unreadable, Empty, Truncated, Garbage };

const char* faultName(Fault fault);

// A temporary folder for one run: the runtime copy in game/, and beside it
// the files the run leaves (stderr, the state dump). Removed with everything
// in it, whatever permissions a test gave its contents.
class CaseFolder {
public:
    CaseFolder();
    ~CaseFolder();
    CaseFolder(const CaseFolder&) = delete;
    CaseFolder& operator=(const CaseFolder&) = delete;

    std::filesystem::path root;
    std::filesystem::path game() const { return root / "game"; }
    std::filesystem::path stderrFile() const { return root / "stderr.txt"; }
    std::filesystem::path dumpFile() const { return root / "state.json"; }
};

// The files of a runtime folder the game may use (everything under Data/,
// Graphics/ and Sound/), as relative paths with '/', sorted.
std::vector<std::string> runtimeFiles(const std::filesystem::path& folder);

// Copies a runtime folder without the files in `skip` and without what runs
// of the game leave beside its files (a lock, a damaged list kept). Data/
// gets copies of its own (the game writes there); pictures and sounds are
// hard-linked where the file system allows, since nothing writes to them.
void copyRuntimeFolder(const std::filesystem::path& from, const std::filesystem::path& to,
                       const std::set<std::string>& skip);

// Writes the damaged version of `original` at `target` (a new file, never a
// link): nothing, mode 000, empty, its first half, or as many seeded random
// bytes as it has.
void damageFile(const std::filesystem::path& original, const std::filesystem::path& target,
                Fault fault, uint32_t seed);

std::string readFile(const std::filesystem::path& path);

}  // namespace tiefschacht
