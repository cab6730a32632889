// A highscore entry whose new list cannot be saved, because the folder it
// lives in has been made read-only: the game ends with a message naming the
// list, the old list stays as it was byte for byte, and no half-written
// file is left beside it.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <set>

#include "unit/e2e_runtime_folder.hpp"
#include "fault_game.hpp"

namespace {

std::set<std::string> namesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST(HighscoreFolder, ReadOnlyDuringAnEntryKeepsTheOldList) {
    RuntimeFolder folder;  // a guard on the hero: the game is lost in 200 frames
    const std::filesystem::path data = folder.root / "Data";
    // Start-up rewrites its log in place; only creating files is refused.
    { std::ofstream(data / "protokoll.txt") << ""; }
    const std::string before = folder.read("Data/Highscore.txt");
    const std::set<std::string> filesBefore = namesIn(data);
    ASSERT_TRUE(childIsRefusedUnreadableFiles(folder.root.string()));
    ASSERT_EQ(chmod(data.c_str(), 0555), 0);

    ChildOptions options;
    options.args = {"--headless", "--data", folder.root.string(), "--input",
                    e2eScript("lost_game_to_highscore.txt"), "--frames", "260"};
    options.stderrFile = (folder.root / "stderr.txt").string();
    const ChildResult r = runGame(options);
    chmod(data.c_str(), 0755);

    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_NE(r.stderrText.find("Data/Highscore.txt"), std::string::npos) << r.describe();
    EXPECT_NE(r.stderrText.find("cannot be saved"), std::string::npos) << r.describe();
    EXPECT_EQ(folder.read("Data/Highscore.txt"), before);
    EXPECT_EQ(namesIn(data), filesBefore);
}

}  // namespace
