// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Shared pieces of the fuzz targets: a scratch folder per process that is
// the working directory while an input runs (the readers open relative paths
// such as Data/Resolutions.txt, while libFuzzer's own paths stay relative to
// where it was started), writing an input into a file there, putting every
// process-wide object back to its start value, and the check that stops a
// run when the state the game relies on is broken.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/process_state.hpp"

namespace tiefschacht {

// Ends the run with a report when a condition the game relies on is false;
// libFuzzer treats the abort as a finding and keeps the input.
#define FUZZ_CHECK(cond)                                                                        \
    do {                                                                                        \
        if (!(cond)) {                                                                          \
            std::fprintf(stderr, "fuzz check failed: %s (%s:%d)\n", #cond, __FILE__, __LINE__); \
            std::abort();                                                                       \
        }                                                                                       \
    } while (0)

namespace fuzz {

// Every target shares one LLVMFuzzerInitialize (in fuzz_support.cpp): it
// makes <tmp>/tiefschacht-fuzz-<pid>/ with Data/ and Graphics/, removed when
// the process ends normally.

// The scratch folder is the working directory for this object's lifetime.
class InScratchFolder {
public:
    InScratchFolder();
    ~InScratchFolder();
    InScratchFolder(const InScratchFolder&) = delete;
    InScratchFolder& operator=(const InScratchFolder&) = delete;
};

// One input as the file at `path` (relative to the scratch folder), with
// every process-wide object back at its start value, in the scratch folder
// for this object's lifetime.
class OneInput {
public:
    OneInput(const char* path, const uint8_t* data, size_t size);

private:
    InScratchFolder inScratch_;
};

// Writes the bytes to a file relative to the scratch folder.
void writeFile(const char* path, const uint8_t* data, size_t size);

}  // namespace fuzz

}  // namespace tiefschacht
