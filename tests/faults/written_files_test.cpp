// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The files the game writes, against what someone may have put in their
// place: links planted where the game writes, a list with a mode of its own,
// a damaged list, and a limit on the size of files; and the order in which
// a new list reaches the disk.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

#include "entry_runs.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

constexpr const char* victimText = "a file of someone else's\n";

// A file outside the runtime folder that a planted link points at.
fs::path victim(const RuntimeFolder& runtime, const std::string& name) {
    const fs::path path = runtime.root / name;
    std::ofstream(path) << victimText;
    return path;
}

mode_t modeOf(const fs::path& path) {
    struct stat st {};
    return lstat(path.c_str(), &st) == 0 ? st.st_mode : 0;
}

bool leftoverTemporaryIn(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(".tmp-") != std::string::npos) return true;
    return false;
}

TEST(WrittenFiles, LinksPlantedWhereTheGameWritesAreReplacedNotWrittenThrough) {
    RuntimeFolder runtime;
    const fs::path data = runtime.root / "Data";
    const fs::path target = victim(runtime, "victim.txt");
    fs::create_symlink(target, data / "Highscore.txt.tmp");  // the temporary name of old
    fs::create_symlink(target, data / "protokoll.txt");
    ASSERT_EQ(chmod((data / "Highscore.txt").c_str(), 0600), 0);

    const ChildResult r = runGame(entryRun(runtime, "ANNA"));

    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    EXPECT_EQ(readFile(target), victimText);
    EXPECT_TRUE(S_ISREG(modeOf(data / "protokoll.txt")));
    EXPECT_EQ(readFile(data / "protokoll.txt"),
              "hardware VertexProcessing with PureDevice gewollt\n");
    EXPECT_NE(readFile(data / "Highscore.txt").find("\nANNA 500\n"), std::string::npos);
    EXPECT_EQ(modeOf(data / "Highscore.txt") & 07777, 0600u);  // the list keeps its mode
    EXPECT_FALSE(leftoverTemporaryIn(data));
}

TEST(WrittenFiles, AListOrLockThatIsALinkIsRefusedWithAMessage) {
    for (const char* link : {"Highscore.txt", "Highscore.txt.lock"}) {
        SCOPED_TRACE(link);
        RuntimeFolder runtime;
        const fs::path data = runtime.root / "Data";
        const fs::path target = victim(runtime, "victim.txt");
        if (std::string(link) == "Highscore.txt") {
            // A list kept elsewhere: it is read, but not written through the link.
            fs::copy_file(data / "Highscore.txt", target, fs::copy_options::overwrite_existing);
            fs::remove(data / "Highscore.txt");
        }
        const std::string targetBefore = readFile(target);
        fs::create_symlink(target, data / link);

        const ChildResult r = runGame(entryRun(runtime, "ANNA"));

        EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
        EXPECT_NE(r.stderrText.find("Data/Highscore.txt: the new list cannot be saved: "),
                  std::string::npos)
            << r.describe();
        EXPECT_NE(r.stderrText.find("symbolic link"), std::string::npos) << r.describe();
        EXPECT_EQ(readFile(target), targetBefore);
        EXPECT_TRUE(S_ISLNK(modeOf(data / link)));
        EXPECT_EQ(entryDump(runtime, "ANNA")["highscores"][5]["name"], "ANNA");
    }
}

TEST(WrittenFiles, ADamagedListIsReportedAndKeptBesideBeforeItIsReplaced) {
    RuntimeFolder runtime;
    const fs::path data = runtime.root / "Data";
    const std::string damaged = "KARL 1e3\nLISA 900\nMAX 800\n";
    std::ofstream(data / "Highscore.txt") << damaged;

    const ChildResult r = runGame(entryRun(runtime, "ANNA"));

    EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
    EXPECT_NE(r.stderrText.find("Data/Highscore.txt: the list is damaged (entry 1: the score "
                                "\"1e3\" is not a whole number)"),
              std::string::npos)
        << r.describe();
    EXPECT_NE(r.stderrText.find("is kept as Data/Highscore.txt.beschaedigt"), std::string::npos)
        << r.describe();
    EXPECT_EQ(readFile(data / "Highscore.txt.beschaedigt"), damaged);
    EXPECT_EQ(
        readFile(data / "Highscore.txt").rfind("KARL 1\nLISA 900\nMAX 800\nANNA 500\n- 0\n", 0),
        0u);
}

// A file-size limit below the list's size: the write fails like any other
// (the game is not killed by the limit's signal), the old list stays whole.
TEST(WrittenFiles, AFileSizeLimitFailsTheWriteInsteadOfKillingTheGame) {
    RuntimeFolder runtime;
    const fs::path list = runtime.root / "Data/Highscore.txt";
    {
        // Long lines, so that the log and the messages fit below the limit
        // and the list does not.
        std::ofstream out(list);
        for (int i = 0; i < 9; ++i) out << "LANGERNAMEABCD " << 2000000000 - i << "\n";
        out << "LANGERNAMEABCD 1\n";
    }
    const std::string before = readFile(list);
    ASSERT_GT(before.size(), 240u);
    ChildOptions run = entryRun(runtime, "ANNA");
    run.args.resize(run.args.size() - 2);  // no state dump: it would be over the limit too
    run.fileSizeLimit = 200;

    const ChildResult r = runGame(run);

    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_NE(r.stderrText.find("Data/Highscore.txt: the new list cannot be saved: File too large"),
              std::string::npos)
        << r.describe();
    EXPECT_EQ(readFile(list), before);
    EXPECT_FALSE(leftoverTemporaryIn(runtime.root / "Data"));
}

}  // namespace

// The new list's bytes reach the disk before it takes the list's name, and
// the folder's new entry after: a crash or a power cut at any moment leaves
// the old list or the whole new one, never an empty or a partial list.
TEST(WrittenFiles, TheNewListIsOnTheDiskBeforeItTakesTheListsName) {
    RuntimeFolder runtime;
    const fs::path log = runtime.root / "write_order.log";
    ChildOptions options = entryRun(runtime, "ANNA");
    options.setEnv.push_back(std::string("LD_PRELOAD=") + TIEFSCHACHT_WRITE_ORDER_LIB);
    options.setEnv.push_back("WRITE_ORDER_LOG=" + log.string());
    // A sanitized game would refuse to start with another library first.
    const char* asan = std::getenv("ASAN_OPTIONS");
    options.setEnv.push_back(std::string("ASAN_OPTIONS=") + (asan ? asan : "") +
                             ":verify_asan_link_order=0");
    const ChildResult r = runGame(options);
    ASSERT_TRUE(r.exited && r.exitCode == 0) << r.describe();

    std::vector<std::pair<std::string, std::string>> steps;  // what, on which file
    std::ifstream in(log);
    for (std::string what, file; in >> what && std::getline(in >> std::ws, file);)
        steps.emplace_back(what, file);
    const auto endsWith = [](const std::string& s, const std::string& tail) {
        return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
    };
    size_t renames = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        if (steps[i].first != "rename" || !endsWith(steps[i].second, "Data/Highscore.txt"))
            continue;
        ++renames;
        const std::string fresh =
            fs::path(steps[i].second.substr(0, steps[i].second.find(' '))).filename().string();
        size_t lastWrite = 0, synced = 0, writes = 0;
        for (size_t j = 0; j < i; ++j) {
            if (!endsWith(steps[j].second, "/" + fresh)) continue;
            if (steps[j].first == "write") ++writes, lastWrite = j;
            if (steps[j].first == "fsync") synced = j;
        }
        EXPECT_GT(writes, 0u) << fresh;
        EXPECT_GT(synced, lastWrite) << fresh << " is not synced after its last write";
        bool folderSynced = false;
        for (size_t j = i + 1; j < steps.size() && !folderSynced; ++j)
            folderSynced = steps[j].first == "fsync" && endsWith(steps[j].second, "/Data");
        EXPECT_TRUE(folderSynced) << "the folder is not synced after the rename of " << fresh;
    }
    EXPECT_GT(renames, 0u) << "the list was never written; " << r.describe();
}
