// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Where the game's files are. The data tree (Data/, Graphics/, Sound/) is
// found once at start and becomes the working directory, so the shipped files
// are read by their names relative to it ("Data/Level1.txt"). What the game
// writes goes into the data tree when the game may write there, else into the
// player's own folder, which may also hold the player's own configuration
// files. The names of the files that can live in either place are composed
// here.
#include <filesystem>
#include <string>
#include <vector>

namespace tiefschacht {

struct GamePaths {
    // The player's folder ($XDG_DATA_HOME/tiefschacht) with its Data/, or
    // empty while the data tree takes what the game writes.
    std::filesystem::path playerFolder;
};

extern GamePaths gamePaths;

// A configuration file such as "Data/Resolutions.txt": the player's copy
// when the player's folder holds one, else the shipped one.
std::string configurationFile(const char* name);
// A file the game writes, such as "Data/Highscore.txt": in the player's
// folder when there is one, else in the data tree.
std::string writtenFile(const char* name);

// The file that marks a folder as the game's data tree.
inline constexpr const char* dataTreeMark = "Data/Resolutions.txt";

struct DataTreeSearch {
    std::filesystem::path found;                // empty when no place holds the tree
    std::vector<std::filesystem::path> places;  // every place looked at, in order
};

// Looks for the data tree in the program's own folder (a build's or a
// copied runtime folder), then in the installed tree beside it; `program`
// may be empty when it is not known, and nothing is found then. The working
// directory is never looked at: a folder someone else prepared would give
// the game its level, its settings and its list.
DataTreeSearch findDataTree(const std::filesystem::path& program);
// What to tell the player when no place held the data tree.
std::string dataTreeMissingMessage(const DataTreeSearch& search);

// The installed tree beside a program: ../share/tiefschacht from its folder.
std::filesystem::path installedTreeOf(const std::filesystem::path& program);

// The running program's own file; empty when the system does not say.
std::filesystem::path runningProgram();

// The player's folder by the XDG rules: $XDG_DATA_HOME/tiefschacht when the
// variable holds an absolute path, else <home>/.local/share/tiefschacht;
// empty when there is neither.
std::filesystem::path playerFolderFor(const char* xdgDataHome, const std::string& home);

// Whether the player's folder and its Data/ may hold the player's files:
// each a folder of its own (not a symbolic link) that belongs to the player
// and that no one else may write into; with `missingIsFine`, a part that is
// not there yet passes. False with the folder and the reason in `error`.
bool checkPlayerFolder(const std::filesystem::path& folder, bool missingIsFine, std::string& error);

// True when the game may create and replace files in the working
// directory's Data/ folder (checked with the rights the game runs with).
bool dataFolderWritable();

// Makes `folder` and its Data/, each missing folder on the way with mode
// 0700. False with the folder and the reason in `error`.
bool makePlayerFolder(const std::filesystem::path& folder, std::string& error);

}  // namespace tiefschacht
