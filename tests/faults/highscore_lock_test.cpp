// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The list's lock held by a second process while a game enters its result:
// a lock that fits (the one another game would hold) is waited for only
// briefly, and the entry is kept beside the list until the next start; a
// lock file that is open to, or belongs to, someone who may not write the
// list is replaced instead of waited on, and the entry is saved at once.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "entry_runs.hpp"

using namespace tiefschacht;

namespace fs = std::filesystem;

namespace {

constexpr const char* listAfterAnna =
    "KARL 1000\nLISA 900\nMAX 800\nNINA 700\nOTTO 600\nANNA 500\nPIA 400\nRUDI 300\nSARA "
    "200\nTOM 100\n";

// A process that holds the lock on `path` (made with `mode` and `owner`)
// until the object goes.
class LockHolder {
public:
    LockHolder(const fs::path& path, mode_t mode, uid_t owner) {
        int ready[2], release[2];
        if (pipe(ready) != 0 || pipe(release) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            close(ready[0]);
            close(release[1]);
            const int fd = open(path.c_str(), O_RDONLY | O_CREAT, 0600);
            char held = 1;
            if (fd < 0 || fchmod(fd, mode) != 0 || fchown(fd, owner, static_cast<gid_t>(-1)) != 0 ||
                flock(fd, LOCK_EX) != 0 || write(ready[1], &held, 1) != 1)
                _exit(1);
            (void)read(release[0], &held, 1);  // until the test closes its end
            _exit(0);
        }
        close(ready[1]);
        close(release[0]);
        release_ = release[1];
        char held = 0;
        held_ = read(ready[0], &held, 1) == 1;
        close(ready[0]);
    }
    ~LockHolder() {
        if (release_ >= 0) close(release_);
        if (pid_ > 0) waitpid(pid_, nullptr, 0);
    }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;
    bool held() const { return held_; }

private:
    pid_t pid_ = -1;
    int release_ = -1;
    bool held_ = false;
};

std::vector<std::string> namesIn(const fs::path& folder, const std::string& part) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().filename().string().find(part) != std::string::npos)
            names.push_back(entry.path().filename().string());
    return names;
}

TEST(HighscoreLock, AFittingLockHeldElsewhereKeepsTheEntryBesideTheListOthersAreReplaced) {
    struct Case {
        const char* what;
        mode_t mode;
        uid_t owner;
        bool keptAside;
    };
    for (const Case& c :
         {Case{"a lock another game holds", 0600, 0, true},
          Case{"a lock anyone may open", 0644, 0, false},
          Case{"a lock of someone who may not write the list", 0600, 65534, false}}) {
        SCOPED_TRACE(c.what);
        RuntimeFolder runtime;
        const fs::path data = runtime.root / "Data";
        // What killed writes of the list left, and names that are not theirs.
        for (const char* left : {"Highscore.txt.tmp-abcDEF", "Highscore.txt.tmp-123456",
                                 "protokoll.txt.tmp-ABCDEF", "Highscore.txt.tmp-toolong"})
            std::ofstream(data / left) << "KARL 1\n";
        fs::create_symlink(runtime.root / "elsewhere", data / "Highscore.txt.tmp-LINKED");
        const std::string before = readFile(data / "Highscore.txt");
        ChildResult r;
        {
            LockHolder holder(data / "Highscore.txt.lock", c.mode, c.owner);
            ASSERT_TRUE(holder.held());
            r = runGame(entryRun(runtime, "ANNA"));
        }
        EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
        const std::vector<std::string> kept = namesIn(data, ".eintrag-");
        EXPECT_EQ(shownList(entryDump(runtime, "ANNA")), listAfterAnna);
        if (c.keptAside) {
            EXPECT_NE(r.stderrText.find("Data/Highscore.txt: the list is busy (another game has "
                                        "held its lock for longer than 500 ms); the entry is "
                                        "kept as Data/Highscore.txt.eintrag-"),
                      std::string::npos)
                << r.describe();
            EXPECT_EQ(readFile(data / "Highscore.txt"), before);
            ASSERT_EQ(kept.size(), 1u);
            // The next start enters it.
            ChildOptions next = entryRun(runtime, "NEXT");
            next.args = {"--headless", "--data", runtime.root.string(), "--frames", "2"};
            r = runGame(next);
        }
        EXPECT_EQ(readFile(data / "Highscore.txt"), listAfterAnna) << r.describe();
        EXPECT_TRUE(namesIn(data, ".eintrag-").empty());
        std::vector<std::string> left = namesIn(data, ".tmp-");
        std::sort(left.begin(), left.end());
        EXPECT_EQ(left,
                  (std::vector<std::string>{"Highscore.txt.tmp-LINKED", "Highscore.txt.tmp-toolong",
                                            "protokoll.txt.tmp-ABCDEF"}));
    }
}

}  // namespace
