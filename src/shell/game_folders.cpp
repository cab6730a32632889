// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/game_folders.hpp"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "services/app_state.hpp"
#include "services/game_paths.hpp"
#include "shell/command_line.hpp"
#include "world/data_tables.hpp"
#include "world/highscore_file.hpp"

namespace tiefschacht {

namespace fs = std::filesystem;

namespace {

constexpr int exitCannotStart = 1;

bool isInstalledTree(const fs::path& program) {
    if (program.empty()) return false;
    std::error_code ec;
    return fs::equivalent(fs::current_path(ec), installedTreeOf(program), ec);
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home) return home;
    const passwd* entry = getpwuid(getuid());
    return entry && entry->pw_dir ? entry->pw_dir : "";
}

// Returns -1 when the game can go on, else the exit code.
int enterDataTree(const std::string& dataOption, const fs::path& program) {
    std::error_code ec;
    if (!dataOption.empty()) {
        fs::current_path(dataOption, ec);
        if (!ec) return -1;
        warn(dataOption + ": " + ec.message());
        return exitBadCommandLine;
    }
    const DataTreeSearch search = findDataTree(program);
    if (search.found.empty()) {
        warn(dataTreeMissingMessage(search));
        return exitCannotStart;
    }
    fs::current_path(search.found, ec);
    if (!ec) return -1;
    warn(search.found.string() + ": " + ec.message());
    return exitCannotStart;
}

}  // namespace

int settleGameFolders(const std::string& dataOption) {
    const fs::path program = runningProgram();
    if (const int code = enterDataTree(dataOption, program); code >= 0) return code;
    if (dataFolderWritable() && !isInstalledTree(program)) return -1;

    const fs::path folder = playerFolderFor(std::getenv("XDG_DATA_HOME"), homeFolder());
    if (folder.empty()) {
        warn(
            "the game may not write into its data tree, and there is no home folder to "
            "keep the player's files in: set XDG_DATA_HOME or HOME");
        return exitCannotStart;
    }
    std::string error;
    // Checked before anything is made in it, and again once it is whole.
    if (!checkPlayerFolder(folder, true, error) || !makePlayerFolder(folder, error) ||
        !checkPlayerFolder(folder, false, error)) {
        warn("the player's folder cannot be used: " + error);
        return exitCannotStart;
    }
    gamePaths.playerFolder = folder;
    if (!copyHighscoreList(highscoreFile, writtenFile(highscoreFile), error)) {
        warn("the highscore list cannot be copied into the player's folder: " + error);
        return exitCannotStart;
    }
    return -1;
}

}  // namespace tiefschacht
