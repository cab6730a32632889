// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the list is written. A data tree the game may not write sends the
// log and the list to the player's own folder, which may also hold the
// player's own configuration; a list that cannot be saved is reported, the
// entry stays shown, and the run ends with exit code 1.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <map>

#include "entry_runs.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

// Every file of a folder with its bytes.
std::map<std::string, std::string> contentsOf(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

mode_t modeOf(const fs::path& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? st.st_mode & 07777 : 0;
}

constexpr const char* listAfterAnna =
    "KARL 1000\nLISA 900\nMAX 800\nNINA 700\nOTTO 600\nANNA 500\nPIA 400\nRUDI 300\nSARA 200\n"
    "TOM 100\n";

TEST(HighscoreFolder, AReadOnlyDataTreeLeavesWritingToThePlayersFolder) {
    RuntimeFolder runtime;
    const fs::path player = runtime.root / "xdg/tiefschacht";
    // The player's own rendering options: another kind of vertex processing.
    fs::create_directories(player / "Data");
    std::ofstream(player / "Data/RenderingAndMore.txt")
        << "Darstellung Modi null bis drei: 2 Begrenzung 1 Bilder 60 Rest 0\n";
    const auto treeBefore = contentsOf(runtime.root / "Data");
    ASSERT_TRUE(childIsRefusedUnreadableFiles(runtime.root.string()));
    ASSERT_EQ(chmod((runtime.root / "Data").c_str(), 0555), 0);

    const ChildResult r = runGame(entryRun(runtime, "ANNA"));
    chmod((runtime.root / "Data").c_str(), 0755);

    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    EXPECT_EQ(contentsOf(runtime.root / "Data"), treeBefore);
    EXPECT_EQ(readFile(player / "Data/Highscore.txt"), listAfterAnna);
    EXPECT_EQ(readFile(player / "Data/protokoll.txt"), "mixed VertexProcessing gewollt\n");
}

TEST(HighscoreFolder, AListThatCannotBeSavedIsReportedAndTheEntryStaysShown) {
    RuntimeFolder runtime;
    const fs::path list = runtime.root / "Data/Highscore.txt";
    const std::string before = readFile(list);
    ASSERT_TRUE(childIsRefusedUnreadableFiles(runtime.root.string()));
    ASSERT_EQ(chmod(list.c_str(), 0444), 0);

    const ChildResult r = runGame(entryRun(runtime, "ANNA"));

    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_NE(r.stderrText.find("tiefschacht: Data/Highscore.txt: the new list cannot be saved: "
                                "Permission denied"),
              std::string::npos)
        << r.describe();
    // The game played on to the end of its script, showing the entry.
    const nlohmann::json dump = entryDump(runtime, "ANNA");
    EXPECT_EQ(shownList(dump), listAfterAnna);
    EXPECT_EQ(dump.value("gameState", -1), 50);
    EXPECT_EQ(readFile(list), before);
    EXPECT_EQ(modeOf(list), 0444u);
}

}  // namespace
