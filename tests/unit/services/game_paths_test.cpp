// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Where the game finds its data tree, and the player's folder that takes
// what it writes when that tree may not be written.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "services/game_paths.hpp"
#include "services/settings.hpp"
#include "support/scratch_folder.hpp"

using namespace tiefschacht;

using testsupport::ScratchFolder;
using testsupport::writeFile;

namespace fs = std::filesystem;

TEST(ServicesGamePaths, TheDataTreeIsSearchedInItsOrderAndAMissingOneIsExplained) {
    ScratchFolder dir;
    const fs::path work = dir.path() / "work";
    const fs::path program = dir.path() / "opt/bin/tiefschacht";
    const fs::path own = dir.path() / "opt/bin";
    const fs::path installed = dir.path() / "opt/share/tiefschacht";
    fs::create_directories(work);
    fs::create_directories(own);

    DataTreeSearch none = findDataTree(program);
    EXPECT_TRUE(none.found.empty());
    EXPECT_EQ(none.places, (std::vector<fs::path>{own, installed}));
    const std::string message = dataTreeMissingMessage(none);
    for (const fs::path& place : none.places)
        EXPECT_NE(message.find(place.string()), std::string::npos) << message;
    EXPECT_NE(message.find("--data DIR"), std::string::npos) << message;

    // Each place found when it holds the data, and before every later one;
    // a data tree in the working directory is never taken.
    writeFile(work / dataTreeMark, "");
    writeFile(installed / dataTreeMark, "");
    EXPECT_EQ(findDataTree(program).found, installed);
    writeFile(own / dataTreeMark, "");
    EXPECT_EQ(findDataTree(program).found, own);
    EXPECT_TRUE(findDataTree(fs::path()).places.empty());
}

TEST(ServicesGamePaths, ThePlayerFolderFollowsTheXdgRulesAndIsPrivate) {
    EXPECT_EQ(playerFolderFor("/data/anna", "/home/anna"), fs::path("/data/anna/tiefschacht"));
    EXPECT_EQ(playerFolderFor("relative/path", "/home/anna"),
              fs::path("/home/anna/.local/share/tiefschacht"));
    EXPECT_EQ(playerFolderFor(nullptr, "/home/anna"),
              fs::path("/home/anna/.local/share/tiefschacht"));
    EXPECT_TRUE(playerFolderFor(nullptr, "").empty());

    ScratchFolder dir;
    const fs::path folder = dir.path() / "home/.local/share/tiefschacht";
    std::string error;
    ASSERT_TRUE(makePlayerFolder(folder, error)) << error;
    for (const fs::path& made : {dir.path() / "home", folder, folder / "Data"}) {
        struct stat st {};
        ASSERT_EQ(stat(made.c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0700u) << made;
    }
    EXPECT_TRUE(makePlayerFolder(folder, error)) << "a second start finds it made";
    writeFile(dir.path() / "file", "");
    EXPECT_FALSE(makePlayerFolder(dir.path() / "file/tiefschacht", error));
    EXPECT_NE(error.find("file"), std::string::npos) << error;
}

TEST(ServicesGamePaths, AConfigurationFileInThePlayersFolderIsReadInsteadOfTheShippedOne) {
    ScratchFolder dir;
    writeFile("Data/RenderingAndMore.txt", "Darstellung a b c d 1 Begrenzung 1 Bilder 60 Rest 0\n");
    writeFile("Data/SpielEinstellungen.txt", "Sichtweite 700\n");
    gamePaths.playerFolder = dir.path() / "player";
    writeFile(gamePaths.playerFolder / "Data/RenderingAndMore.txt",
              "Darstellung a b c d 3 Begrenzung 0 Bilder 30 Rest 0\n");

    readRenderingOptions();
    readGameSettings();
    EXPECT_EQ(settings.vertexProcessingMode, 3);
    EXPECT_EQ(settings.frameCapMode, 0);
    EXPECT_EQ(settings.viewDistance, 700.0f);  // no copy of its own: the shipped one
    EXPECT_EQ(writtenFile("Data/Highscore.txt"),
              (gamePaths.playerFolder / "Data/Highscore.txt").string());

    // A fault in the player's copy names that copy, not the shipped file.
    const std::string copy = (gamePaths.playerFolder / "Data/SpielEinstellungen.txt").string();
    writeFile(copy, "Sichtweite weit\n");
    testing::internal::CaptureStderr();
    readGameSettings();
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("tiefschacht: " + copy + ": ", 0), 0u);

    gamePaths = GamePaths{};  // a writable data tree: its own files, whatever else exists
    readRenderingOptions();
    EXPECT_EQ(settings.vertexProcessingMode, 1);
    EXPECT_EQ(writtenFile("Data/Highscore.txt"), "Data/Highscore.txt");
}
