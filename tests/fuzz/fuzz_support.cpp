// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "fuzz_support.hpp"

#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace tiefschacht {

namespace fuzz {
namespace {
int scratchFd = -1;  // the scratch folder, opened once
int startFd = -1;    // the working directory the fuzzer was started in

std::filesystem::path scratchRoot() {
    std::error_code ec;
    std::filesystem::path base = "/dev/shm";
    if (!std::filesystem::is_directory(base, ec)) base = std::filesystem::temp_directory_path(ec);
    if (const char* tmp = std::getenv("TIEFSCHACHT_FUZZ_TMP")) base = tmp;
    return base / ("tiefschacht-fuzz-" + std::to_string(getpid()));
}

void removeScratchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(scratchRoot(), ec);
}

void makeScratchFolder() {
    const std::filesystem::path root = scratchRoot();
    std::error_code ec;
    std::filesystem::create_directories(root / "Data", ec);
    std::filesystem::create_directories(root / "Graphics", ec);
    scratchFd = open(root.c_str(), O_RDONLY | O_DIRECTORY);
    startFd = open(".", O_RDONLY | O_DIRECTORY);
    if (ec || scratchFd < 0 || startFd < 0) {
        std::fprintf(stderr, "fuzz: cannot make %s\n", root.c_str());
        std::exit(2);
    }
    std::atexit(removeScratchFolder);
}
}  // namespace

InScratchFolder::InScratchFolder() { FUZZ_CHECK(fchdir(scratchFd) == 0); }
InScratchFolder::~InScratchFolder() { FUZZ_CHECK(fchdir(startFd) == 0); }

OneInput::OneInput(const char* path, const uint8_t* data, size_t size) {
    resetProcessState();
    writeFile(path, data, size);
}

void writeFile(const char* path, const uint8_t* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    FUZZ_CHECK(f != nullptr);
    if (size > 0) FUZZ_CHECK(std::fwrite(data, 1, size, f) == size);
    FUZZ_CHECK(std::fclose(f) == 0);
}

}  // namespace fuzz

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzz::makeScratchFolder();
    return 0;
}

}  // namespace tiefschacht
