// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "shell/command_line.hpp"
#include "shell/program.hpp"
#include "support/scratch_folder.hpp"

using namespace tiefschacht;

namespace {
// argv for a list of arguments (the program name first).
struct Args {
    explicit Args(std::initializer_list<const char*> list) {
        words.emplace_back("tiefschacht");
        for (const char* a : list) words.emplace_back(a);
        for (std::string& w : words) pointers.push_back(w.data());
        pointers.push_back(nullptr);
    }
    int argc() const { return static_cast<int>(words.size()); }
    char** argv() { return pointers.data(); }
    std::vector<std::string> words;
    std::vector<char*> pointers;
};

int parse(std::initializer_list<const char*> list, CommandLine& out) {
    Args a(list);
    return parseCommandLine(a.argc(), a.argv(), out);
}
}  // namespace

TEST(ShellCommandLine, EveryOptionLandsInItsField) {
    CommandLine cl;
    EXPECT_EQ(
        parse({"--data", "D", "--headless", "--realtime", "--frames", "120", "--input", "in.txt",
               "--record", "rec.txt", "--screenshot", "s.bmp", "--dump-state", "d.json"},
              cl),
        -1);
    CommandLine stateOnly;
    EXPECT_EQ(parse({"--headless", "--no-draw"}, stateOnly), -1);
    EXPECT_TRUE(stateOnly.noDraw);
    EXPECT_EQ(cl.dataDir, "D");
    EXPECT_TRUE(cl.headless);
    EXPECT_TRUE(cl.realtime);
    ASSERT_TRUE(cl.frames.has_value());
    EXPECT_EQ(*cl.frames, 120u);
    EXPECT_EQ(cl.inputFile, "in.txt");
    EXPECT_EQ(cl.recordFile, "rec.txt");
    EXPECT_EQ(cl.screenshotFile, "s.bmp");
    EXPECT_EQ(cl.dumpFile, "d.json");

    CommandLine none;
    EXPECT_EQ(parse({}, none), -1);
    EXPECT_FALSE(none.headless);
    EXPECT_FALSE(none.frames.has_value());
}

TEST(ShellCommandLine, BadCommandLinesEndWithExitCodeTwo) {
    for (auto list :
         {std::initializer_list<const char*>{"--bogus"},
          std::initializer_list<const char*>{"--frames"},
          std::initializer_list<const char*>{"--frames", "many"},
          std::initializer_list<const char*>{"--frames", "-4"},
          std::initializer_list<const char*>{"--data"},
          std::initializer_list<const char*>{"--headless", "stray"},
          std::initializer_list<const char*>{"--input"},
          std::initializer_list<const char*>{"--no-draw"},
          std::initializer_list<const char*>{"--headless", "--no-draw", "--screenshot", "s.png"}}) {
        CommandLine cl;
        testing::internal::CaptureStderr();
        EXPECT_EQ(parse(list, cl), 2) << *list.begin();
        EXPECT_NE(testing::internal::GetCapturedStderr().find("tiefschacht:"), std::string::npos);
    }
    // A negative frame count is called that, not a number outside a range
    // whose bound has 309 digits.
    CommandLine negative;
    testing::internal::CaptureStderr();
    parse({"--frames", "-1"}, negative);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("--frames: a number of frames cannot be negative: -1\n"), std::string::npos)
        << err;
    EXPECT_LT(err.size(), 200u) << err;
    CommandLine cl;
    testing::internal::CaptureStdout();
    EXPECT_EQ(parse({"--help"}, cl), 0);
    EXPECT_NE(testing::internal::GetCapturedStdout().find("--dump-state"), std::string::npos);
    testing::internal::CaptureStdout();
    EXPECT_EQ(parse({"--version"}, cl), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              std::string("Tiefschacht ") + TIEFSCHACHT_VERSION + "\n");
}

TEST(ShellCommandLine, TheProgramRefusesAMissingScriptOrFolderBeforeStarting) {
    testsupport::ScratchFolder dir;
    Args missingScript{"--headless", "--input", "no-such-script.txt"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(runProgram(missingScript.argc(), missingScript.argv()), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no-such-script.txt"), std::string::npos);

    Args missingFolder{"--headless", "--data", "no-such-folder"};
    testing::internal::CaptureStderr();
    EXPECT_EQ(runProgram(missingFolder.argc(), missingFolder.argv()), 2);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no-such-folder"), std::string::npos);
}

TEST(ShellCommandLine, FileOptionsKeepNamingWhatTheyNamedBeforeTheFolderChanges) {
    testsupport::ScratchFolder dir;
    CommandLine cl;
    cl.dumpFile = "out/d.json";
    cl.inputFile = "/abs/in.txt";
    anchorFileOptions(cl);
    EXPECT_EQ(cl.dumpFile, (dir.path() / "out/d.json").string());
    EXPECT_EQ(cl.inputFile, "/abs/in.txt");
    EXPECT_TRUE(cl.recordFile.empty());
}
