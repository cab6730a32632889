// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The highscore list in real game runs. A data tree the game may not write
// sends the log and the list to the player's own folder, which may also hold
// the player's own configuration; a list that cannot be saved is reported,
// the entry stays shown, and the run ends with exit code 1. The player's
// folder must be the player's own, and a data tree where the game is started
// is never taken for the game's. The list's lock never holds a game up for
// long, and several games entering their results at the same time each enter
// into the list as the file holds it at that moment, so no entry is lost.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>
#include <vector>

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

// With a data tree the game may not write, the list and the log go to the
// player's own folder, which may hold the player's own configuration. A
// player's folder someone else could have prepared is refused before the
// game makes or reads anything in it: a link (into a place another user
// planted it), a folder of another user, one others may write into.
TEST(HighscoreFolder, AReadOnlyDataTreeLeavesWritingToThePlayersOwnFolder) {
    for (const std::string reason :
         {"",
          "/tiefschacht: it is a symbolic link, and the player's folder is never used through one",
          "/tiefschacht: it belongs to another user (65534)",
          "/tiefschacht/Data: others may write into it (mode 777); make it the player's alone "
          "(chmod go-w)"}) {
        SCOPED_TRACE(reason);
        RuntimeFolder runtime;
        const fs::path xdg = runtime.root / "xdg", elsewhere = runtime.root / "elsewhere";
        fs::create_directories(elsewhere);
        fs::create_directories(xdg / "tiefschacht/Data");
        // The player's own rendering options: another kind of vertex processing.
        std::ofstream(xdg / "tiefschacht/Data/RenderingAndMore.txt")
            << "Darstellung Modi null bis drei: 2 Begrenzung 1 Bilder 60 Rest 0\n";
        const auto treeBefore = contentsOf(runtime.root / "Data");
        int prepared = 0;
        if (reason.find("link") != std::string::npos) {
            fs::remove_all(xdg / "tiefschacht");
            fs::create_symlink(elsewhere, xdg / "tiefschacht");
        } else if (reason.find("another") != std::string::npos) {
            prepared = chown((xdg / "tiefschacht").c_str(), 65534, 65534);
        } else if (!reason.empty()) {
            prepared = chmod((xdg / "tiefschacht/Data").c_str(), 0777);
        }
        ASSERT_EQ(prepared, 0);
        ASSERT_TRUE(childIsRefusedUnreadableFiles(runtime.root.string()));
        ASSERT_EQ(chmod((runtime.root / "Data").c_str(), 0555), 0);

        const ChildResult r = runGame(entryRun(runtime, "ANNA"));
        chmod((runtime.root / "Data").c_str(), 0755);

        EXPECT_TRUE(r.exited && r.exitCode == (reason.empty() ? 0 : 1)) << r.describe();
        EXPECT_EQ(contentsOf(runtime.root / "Data"), treeBefore);
        EXPECT_TRUE(fs::is_empty(elsewhere));
        if (!reason.empty()) {
            EXPECT_EQ(occurrences(r.stderrText,
                                  "the player's folder cannot be used: " + xdg.string() + reason),
                      1u)
                << r.describe();
            continue;
        }
        EXPECT_EQ(readFile(xdg / "tiefschacht/Data/Highscore.txt"), listAfterAnna);
        EXPECT_EQ(readFile(xdg / "tiefschacht/Data/protokoll.txt"),
                  "mixed VertexProcessing gewollt\n");
    }
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

std::vector<std::string> namesIn(const fs::path& folder, const std::string& part) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(part) != std::string::npos)
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The list's lock held by a second process while a game enters its result:
// a lock that fits (the one another game would hold) is waited for only
// briefly, and the entry is kept beside the list until the next start; a
// lock file that is open to, or belongs to, someone who may not write the
// list is replaced instead of waited on, and the entry is saved at once.
TEST(HighscoreLock, AFittingLockHeldElsewhereKeepsTheEntryBesideTheListOthersAreReplaced) {
    // The lock file's mode and owner, and whether the entry waits beside the list.
    for (const auto& [mode, owner, keptAside] :
         {std::tuple{0600, 0, true}, std::tuple{0644, 0, false}, std::tuple{0600, 65534, false}}) {
        SCOPED_TRACE(std::to_string(mode) + " " + std::to_string(owner));
        RuntimeFolder runtime;
        const fs::path data = runtime.root / "Data";
        // What killed writes of the list left, and names that are not theirs.
        for (const char* left : {"Highscore.txt.tmp-abcDEF", "Highscore.txt.tmp-123456",
                                 "protokoll.txt.tmp-ABCDEF", "Highscore.txt.tmp-toolong"})
            std::ofstream(data / left) << "KARL 1\n";
        fs::create_symlink(runtime.root / "elsewhere", data / "Highscore.txt.tmp-LINKED");
        const std::string before = readFile(data / "Highscore.txt");
        // A second process holds the lock (made with that mode and owner) until killed.
        const fs::path lock = data / "Highscore.txt.lock";
        int ready[2];
        ASSERT_EQ(pipe(ready), 0);
        const pid_t holder = fork();
        if (holder == 0) {
            const int fd = open(lock.c_str(), O_RDONLY | O_CREAT, 0600);
            if (fd >= 0 && fchmod(fd, static_cast<mode_t>(mode)) == 0 &&
                fchown(fd, static_cast<uid_t>(owner), static_cast<gid_t>(-1)) == 0 &&
                flock(fd, LOCK_EX) == 0 && write(ready[1], "1", 1) == 1)
                pause();
            _exit(1);
        }
        close(ready[1]);
        char held = 0;
        ASSERT_EQ(read(ready[0], &held, 1), 1);
        close(ready[0]);
        ChildResult r = runGame(entryRun(runtime, "ANNA"));
        kill(holder, SIGKILL);
        waitpid(holder, nullptr, 0);
        EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
        EXPECT_EQ(shownList(entryDump(runtime, "ANNA")), listAfterAnna);
        if (keptAside) {
            EXPECT_NE(r.stderrText.find("Data/Highscore.txt: the list is busy (another game has "
                                        "held its lock for longer than 500 ms); the entry is "
                                        "kept as Data/Highscore.txt.eintrag-"),
                      std::string::npos)
                << r.describe();
            EXPECT_EQ(readFile(data / "Highscore.txt"), before);
            EXPECT_EQ(namesIn(data, ".eintrag-").size(), 1u);
            ChildOptions next = entryRun(runtime, "NEXT");  // the next start enters it
            next.args = {"--headless", "--data", runtime.root.string(), "--frames", "2"};
            r = runGame(next);
        }
        EXPECT_EQ(readFile(data / "Highscore.txt"), listAfterAnna) << r.describe();
        EXPECT_TRUE(namesIn(data, ".eintrag-").empty());
        EXPECT_EQ(namesIn(data, ".tmp-"),
                  (std::vector<std::string>{"Highscore.txt.tmp-LINKED", "Highscore.txt.tmp-toolong",
                                            "protokoll.txt.tmp-ABCDEF"}));
    }
}

// Several games at once: 2, 5 and 10.
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
