// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the list is written. A data tree the game may not write sends the
// log and the list to the player's own folder, which may also hold the
// player's own configuration; a list that cannot be saved is reported, the
// entry stays shown, and the run ends with exit code 1. The player's folder
// must be the player's own, and a data tree where the game is started is
// never taken for the game's.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

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

// A player's folder someone else could have prepared is refused before the
// game makes or reads anything in it: a link (into a place another user
// planted it), a folder of another user, one others may write into.
TEST(HighscoreFolder, APlayersFolderThatIsNotThePlayersOwnIsRefused) {
    struct Case {
        const char* what;
        void (*prepare)(const fs::path& folder, const fs::path& elsewhere);
        std::string reason;
    };
    const Case cases[] = {
        {"a link",
         [](const fs::path& folder, const fs::path& elsewhere) {
             fs::create_symlink(elsewhere, folder);
         },
         "it is a symbolic link, and the player's folder is never used through one"},
        {"another user's",
         [](const fs::path& folder, const fs::path&) {
             fs::create_directories(folder);
             ASSERT_EQ(chown(folder.c_str(), 65534, 65534), 0);
         },
         "it belongs to another user (65534)"},
        {"writable by all",
         [](const fs::path& folder, const fs::path&) {
             fs::create_directories(folder / "Data");
             ASSERT_EQ(chmod((folder / "Data").c_str(), 0777), 0);
         },
         "others may write into it (mode 777); make it the player's alone (chmod go-w)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        RuntimeFolder runtime;
        const fs::path folder = runtime.root / "xdg/tiefschacht";
        const fs::path elsewhere = runtime.root / "elsewhere";
        fs::create_directories(elsewhere);
        fs::create_directories(folder.parent_path());
        c.prepare(folder, elsewhere);
        ASSERT_EQ(chmod((runtime.root / "Data").c_str(), 0555), 0);

        const ChildResult r = runGame(entryRun(runtime, "ANNA"));
        chmod((runtime.root / "Data").c_str(), 0755);

        EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
        const fs::path named = std::string(c.what) == "writable by all" ? folder / "Data" : folder;
        EXPECT_NE(r.stderrText.find("the player's folder cannot be used: " + named.string() + ": " +
                                    c.reason),
                  std::string::npos)
            << r.describe();
        EXPECT_TRUE(fs::is_empty(elsewhere));
    }
}

// Started without --data in a folder that holds a data tree of its own, the
// game still takes the tree beside the program.
TEST(HighscoreFolder, TheWorkingDirectorysDataIsNeverTaken) {
    RuntimeFolder runtime;
    const fs::path program = runtime.root / "tiefschacht";
    fs::copy_file(gameProgram, program);
    const fs::path planted = runtime.root / "planted";
    fs::create_directories(planted / "Data");
    fs::copy(runtime.root / "Data", planted / "Data", fs::copy_options::recursive);
    std::ofstream(planted / "Data/Highscore.txt") << "PLANT 99999\n";
    ChildOptions options = entryRun(runtime, "ANNA");
    options.args.erase(options.args.begin() + 1, options.args.begin() + 3);  // no --data
    options.workingDirectory = planted.string();

    const ChildResult r = runChild(program.string(), options);

    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    EXPECT_EQ(readFile(runtime.root / "Data/Highscore.txt"), listAfterAnna);
    EXPECT_EQ(readFile(planted / "Data/Highscore.txt"), "PLANT 99999\n");
}

}  // namespace
