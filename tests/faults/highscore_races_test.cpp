// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Several games entering their results into one list at the same time: each
// enters into the list as the file holds it at that moment, under the list's
// lock, so no entry is lost whatever the order.
#include <gtest/gtest.h>

#include <fstream>
#include <vector>

#include "entry_runs.hpp"

using namespace tiefschacht;

namespace {

class HighscoreRaces : public ::testing::TestWithParam<int> {};

TEST_P(HighscoreRaces, EveryGameKeepsItsEntry) {
    const int games = GetParam();
    RuntimeFolder runtime;
    // A list every game's 500 points beat, so that all of them fit.
    {
        std::ofstream list(runtime.root / "Data/Highscore.txt");
        for (int i = 10; i > 0; --i) list << "ALT " << i << "\n";
    }
    std::vector<std::string> names;
    std::vector<ChildOptions> runs;
    for (int i = 0; i < games; ++i) {
        names.push_back("SPIELER" + std::string(1, static_cast<char>('A' + i)));
        runs.push_back(entryRun(runtime, names.back()));
    }
    std::vector<int> children;
    for (const ChildOptions& run : runs) children.push_back(startChild(gameProgram, run));
    for (size_t i = 0; i < children.size(); ++i) {
        const ChildResult r = finishChild(children[i], runs[i]);
        EXPECT_TRUE(r.exited && r.exitCode == 0) << names[i] << ": " << r.describe();
    }

    const std::string list = runtime.read("Data/Highscore.txt");
    for (const std::string& name : names)
        EXPECT_NE(list.find(name + " 500\n"), std::string::npos) << name << " is lost:\n" << list;
    // The game that entered last shows the list as it was saved.
    bool shown = false;
    for (const std::string& name : names)
        shown = shown || shownList(entryDump(runtime, name)) == list;
    EXPECT_TRUE(shown) << "no game shows the saved list:\n" << list;
    // Beside the list, only its lock file is new: no temporary file is left.
    for (const auto& entry : std::filesystem::directory_iterator(runtime.root / "Data")) {
        const std::string file = entry.path().filename().string();
        EXPECT_EQ(file.find(".tmp"), std::string::npos) << file;
    }
}

INSTANTIATE_TEST_SUITE_P(Games, HighscoreRaces, ::testing::Values(2, 5, 10));

}  // namespace
