// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/file_access.hpp"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "support/scratch_folder.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

// Only a regular file is read, and only up to the limit; anything else is
// refused at once with the reason, however long it would take to read (a
// FIFO without a writer, an endless device).
TEST(FileAccess, ReadsOnlyRegularFilesWithoutWaitingAndWithinTheLimit) {
    testsupport::ScratchFolder dir;
    std::ofstream("ten.txt") << "0123456789";
    ASSERT_EQ(mkfifo("pipe", 0644), 0);
    fs::create_directory("folder");

    std::string bytes, error;
    ASSERT_TRUE(readRegularFile("ten.txt", 10, bytes, error)) << error;
    EXPECT_EQ(bytes, "0123456789");
    EXPECT_FALSE(readRegularFile("ten.txt", 9, bytes, error));
    EXPECT_EQ(error, "larger than 9 bytes");
    EXPECT_TRUE(bytes.empty());

    const std::pair<const char*, const char*> refused[] = {
        {"pipe", "not a regular file but a FIFO"},
        {"/dev/zero", "not a regular file but a character device"},
        {"folder", "not a regular file but a directory"},
        {"missing.txt", "No such file or directory"},
    };
    for (const auto& [path, why] : refused) {
        EXPECT_FALSE(readRegularFile(path, 1u << 20, bytes, error)) << path;
        EXPECT_EQ(error, why) << path;
    }
}

// A write that fails says why, also when only the device knows it (a full
// disk), and never waits for a FIFO's reader.
TEST(FileAccess, WritesReportTheSystemsReason) {
    testsupport::ScratchFolder dir;
    std::string error;
    ASSERT_TRUE(writeWholeFile("out.txt", "first, longer text", error)) << error;
    ASSERT_TRUE(writeWholeFile("out.txt", "second", error)) << error;
    EXPECT_EQ(testsupport::readFile("out.txt"), "second");

    EXPECT_FALSE(writeWholeFile("/dev/full", "any", error));
    EXPECT_EQ(error, "No space left on device");
    ASSERT_EQ(mkfifo("pipe", 0644), 0);
    EXPECT_FALSE(writeWholeFile("pipe", "any", error));
    EXPECT_EQ(error, "a FIFO that nobody reads");
    EXPECT_FALSE(writeWholeFile("no/such/folder/out.txt", "any", error));
    EXPECT_EQ(error, "No such file or directory");
}
