// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/frame_timing.hpp"
#include "unit/shell/e2e_runtime_folder.hpp"

using namespace tiefschacht;

namespace {
int runWith(std::vector<std::string> args) {
    args.insert(args.begin(), "tiefschacht");
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return runProgram(static_cast<int>(args.size()), argv.data());
}

unsigned long long reportedFrames(const std::string& report) {
    auto at = report.find("timedemo: ");
    if (at == std::string::npos) return 0;
    return std::stoull(report.substr(at + 10));
}
}  // namespace

TEST(Timedemo, PercentilesAndMeanComeFromTheBinsWithoutGrowingWithTheRun) {
    DurationHistogram h;
    EXPECT_EQ(h.meanMilliseconds(), 0);
    EXPECT_EQ(h.percentileMilliseconds(0.99), 0);
    // 98 frames of 1 ms, one of 3 ms, one of 30 ms.
    for (int i = 0; i < 98; ++i) h.add(1'000'000);
    h.add(3'000'000);
    h.add(30'000'000);
    EXPECT_NEAR(h.meanMilliseconds(), (98 + 3 + 30) / 100.0, 1e-9);
    // The 99th of 100 sorted samples is the 3 ms frame, given to its bin's upper edge.
    EXPECT_NEAR(h.percentileMilliseconds(0.99), 3.01, 1e-9);
    EXPECT_NEAR(h.percentileMilliseconds(1.0), 30.01, 1e-9);
    EXPECT_NEAR(h.percentileMilliseconds(0.5), 1.01, 1e-9);
    // The frame periods near a cap: whole bins within the range count.
    EXPECT_EQ(h.countBetween(0.0, 2.0), 98u);
    EXPECT_EQ(h.countBetween(1.01, 4.0), 1u);
    EXPECT_EQ(h.countBetween(0.0, 1.005), 0u);

    // Negative durations count as zero, endless ones in the last bin.
    DurationHistogram edges;
    edges.add(-5);
    edges.add(INT64_MAX / 2);
    EXPECT_EQ(edges.count(), 2u);
    EXPECT_NEAR(edges.percentileMilliseconds(0.5), 0.01, 1e-9);
    EXPECT_NEAR(edges.percentileMilliseconds(1.0),
                DurationHistogram::binCount * DurationHistogram::binNanoseconds / 1e6, 1e-9);
}

TEST(Timedemo, NeedsAScript) {
    for (std::vector<std::string> args : {std::vector<std::string>{"--timedemo"},
                                          std::vector<std::string>{"--timedemo", "--headless"}}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(runWith(args), 2);
        EXPECT_NE(testing::internal::GetCapturedStderr().find("--timedemo"), std::string::npos);
    }
}

// The run ends with the frame that handles the script's last poll, prints
// every figure, and leaves the game as a normal run of that length would.
TEST(Timedemo, RunsTheScriptToItsEndAndReportsEveryFigure) {
    RuntimeFolder folder;
    std::string script = (folder.root / "script.txt").string();
    {
        std::ofstream(script)
            << "# title, then a click on \"Spielen\"\n1 - 0 -60\n1 - 0 0 L\n40 -\n";
    }
    testing::internal::CaptureStdout();
    int rc = runWith({"--headless", "--timedemo", "--data", folder.root.string(), "--input", script,
                      "--dump-state", folder.dumpPath().string()});
    std::string report = testing::internal::GetCapturedStdout();
    ASSERT_EQ(rc, 0);
    EXPECT_EQ(reportedFrames(report), 43u) << report;
    for (const char* figure :
         {"update mean", "draw   mean", "frame  mean", "p99", "frames per second", "% of a core",
          "presentation: none", "start-up to the first title frame"})
        EXPECT_NE(report.find(figure), std::string::npos) << figure << " in\n" << report;
    EXPECT_EQ(folder.dump()["frames"], 43);
    EXPECT_EQ(folder.dump()["gameState"], 50);  // the click reached the main menu

    // --frames still ends a timedemo earlier.
    testing::internal::CaptureStdout();
    ASSERT_EQ(runWith({"--headless", "--timedemo", "--data", folder.root.string(), "--input",
                       script, "--frames", "5"}),
              0);
    EXPECT_EQ(reportedFrames(testing::internal::GetCapturedStdout()), 5u);
}
