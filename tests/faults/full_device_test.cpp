// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Each file the game writes, on a device that is full: the write fails with
// a message naming the file, what was there before stays as it was, and no
// temporary file is left. The same holds for the outputs of the command line.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "entry_runs.hpp"
#include "small_device.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

constexpr size_t deviceBytes = 256 * 1024;

// The runtime folder's Data/ moved onto a small device of its own.
class FullData : public ::testing::Test {
protected:
    void SetUp() override {
        std::map<std::string, std::string> files;
        for (const auto& entry : fs::directory_iterator(data()))
            files[entry.path().filename().string()] = readFile(entry.path());
        device = std::make_unique<SmallDevice>(data(), deviceBytes);
        if (!device->mounted()) GTEST_SKIP() << device->whyNot();
        for (const auto& [name, bytes] : files) std::ofstream(data() / name) << bytes;
    }
    void TearDown() override { device.reset(); }  // before the runtime folder goes

    fs::path data() const { return runtime.root / "Data"; }
    bool leftoverTemporary() const {
        for (const auto& entry : fs::directory_iterator(data()))
            if (entry.path().filename().string().find(".tmp-") != std::string::npos) return true;
        return false;
    }

    RuntimeFolder runtime;
    std::unique_ptr<SmallDevice> device;
};

TEST_F(FullData, TheStartUpLogEndsTheStartAndTheOldLogStays) {
    std::ofstream(data() / "protokoll.txt") << "alt\n";
    ASSERT_TRUE(device->fillLeaving(0));

    const ChildResult r = runGame(entryRun(runtime, "ANNA"));

    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_NE(r.stderrText.find("Data/protokoll.txt: No space left on device"), std::string::npos)
        << r.describe();
    EXPECT_EQ(readFile(data() / "protokoll.txt"), "alt\n");
    EXPECT_FALSE(leftoverTemporary());
}

// Room for the log's one page and nothing more: the list, or the copy of a
// damaged list, finds the device full.
TEST_F(FullData, TheListAndTheCopyOfADamagedListAreReportedAndTheListStays) {
    struct Case {
        std::string list;
        std::string message;
    };
    const std::string clean = readFile(data() / "Highscore.txt");
    for (const Case& c :
         {Case{clean, "Data/Highscore.txt: the new list cannot be saved: No space left on device"},
          Case{"KARL 1e3\n",
               "Data/Highscore.txt: the new list cannot be saved: the damaged list "
               "cannot be kept beside it: Data/Highscore.txt.beschaedigt: No space "
               "left on device"}}) {
        SCOPED_TRACE(c.list);
        std::ofstream(data() / "Highscore.txt") << c.list;
        fs::remove(data() / "protokoll.txt");
        fs::remove(data() / ".filling");
        ASSERT_TRUE(device->fillLeaving(1));

        const ChildResult r = runGame(entryRun(runtime, "ANNA"));

        EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
        EXPECT_NE(r.stderrText.find(c.message), std::string::npos) << r.describe();
        EXPECT_EQ(readFile(data() / "Highscore.txt"), c.list);
        EXPECT_FALSE(fs::exists(data() / "Highscore.txt.beschaedigt"));
        EXPECT_FALSE(leftoverTemporary());
        EXPECT_NE(shownList(entryDump(runtime, "ANNA")).find("ANNA 500\n"), std::string::npos);
    }
}

// The first start with a player's folder on a full device: the shipped list
// cannot be copied there, and the game says so instead of starting.
TEST(FullPlayerFolder, TheFirstCopyOfTheListIsReported) {
    RuntimeFolder runtime;
    fs::create_directories(runtime.root / "xdg");
    SmallDevice device(runtime.root / "xdg", deviceBytes);
    if (!device.mounted()) GTEST_SKIP() << device.whyNot();
    ASSERT_TRUE(device.fillLeaving(0));
    ASSERT_TRUE(childIsRefusedUnreadableFiles(runtime.root.string()));
    ASSERT_EQ(chmod((runtime.root / "Data").c_str(), 0555), 0);

    const ChildResult r = runGame(entryRun(runtime, "ANNA"));
    chmod((runtime.root / "Data").c_str(), 0755);

    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_NE(r.stderrText.find("the highscore list cannot be copied into the player's folder: " +
                                (runtime.root / "xdg/tiefschacht/Data/Highscore.txt").string() +
                                ": No space left on device"),
              std::string::npos)
        << r.describe();
    EXPECT_FALSE(fs::exists(runtime.root / "xdg/tiefschacht/Data/Highscore.txt"));
}

// The run's outputs (the state dump, the recording and the screenshot) on a
// full device: each fails with the system's reason and the run ends with exit
// code 1; over older files of the same names, each older file stays as it was.
TEST(FullOutputs, EveryOutputFailsWithTheReasonAndKeepsTheFileThatWasThere) {
    RuntimeFolder runtime;
    const std::vector<std::string> options = {"--screenshot", "--dump-state", "--record"};
    ChildOptions run = entryRun(runtime, "ANNA");
    run.args.resize(run.args.size() - 2);  // its own state dump goes below
    ChildOptions devFull = run;
    for (const std::string& option : options)
        devFull.args.insert(devFull.args.end(), {option, "/dev/full"});
    const ChildResult full = runGame(devFull);
    EXPECT_TRUE(full.exited && full.exitCode == 1) << full.describe();
    EXPECT_EQ(occurrences(full.stderrText, "/dev/full: No space left on device"), 3u)
        << full.describe();

    const fs::path outputs = runtime.root / "outputs";
    fs::create_directories(outputs);
    SmallDevice device(outputs, deviceBytes);
    if (!device.mounted()) GTEST_SKIP() << device.whyNot();
    for (const std::string& option : options) {
        std::ofstream(outputs / option) << "old " << option << "\n";
        run.args.insert(run.args.end(), {option, (outputs / option).string()});
    }
    ASSERT_TRUE(device.fillLeaving(0));

    const ChildResult r = runGame(run);

    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    for (const std::string& option : options) {
        EXPECT_NE(r.stderrText.find((outputs / option).string() +
                                    ": No space left on device; the file that was there is "
                                    "kept as it was"),
                  std::string::npos)
            << r.describe();
        EXPECT_EQ(readFile(outputs / option), "old " + option + "\n");
    }
}

}  // namespace
