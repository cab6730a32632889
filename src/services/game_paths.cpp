// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/game_paths.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace tiefschacht {

namespace fs = std::filesystem;

GamePaths gamePaths;

std::string configurationFile(const char* name) {
    if (!gamePaths.playerFolder.empty()) {
        const fs::path own = gamePaths.playerFolder / name;
        std::error_code ec;
        if (fs::exists(own, ec)) return own.string();
    }
    return name;
}

std::string writtenFile(const char* name) {
    if (gamePaths.playerFolder.empty()) return name;
    return (gamePaths.playerFolder / name).string();
}

fs::path installedTreeOf(const fs::path& program) {
    return (program.parent_path() / ".." / "share" / "tiefschacht").lexically_normal();
}

DataTreeSearch findDataTree(const fs::path& program) {
    DataTreeSearch search;
    if (program.empty()) return search;
    for (const fs::path& place :
         {program.parent_path().lexically_normal(), installedTreeOf(program)}) {
        if (std::find(search.places.begin(), search.places.end(), place) != search.places.end())
            continue;
        search.places.push_back(place);
        std::error_code ec;
        if (fs::is_regular_file(place / dataTreeMark, ec)) {
            search.found = place;
            break;
        }
    }
    return search;
}

std::string dataTreeMissingMessage(const DataTreeSearch& search) {
    std::string places;
    for (const fs::path& place : search.places) {
        if (!places.empty()) places += ", ";
        places += place.string();
    }
    if (places.empty()) places = "(the program's own folder is not known)";
    return std::string("the game's data (") + dataTreeMark +
           ") is in none of these folders: " + places +
           "; name the folder that holds Data/, Graphics/ and Sound/ with --data DIR";
}

fs::path runningProgram() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self;
}

fs::path playerFolderFor(const char* xdgDataHome, const std::string& home) {
    // A relative XDG_DATA_HOME is invalid and is ignored.
    if (xdgDataHome && xdgDataHome[0] == '/') return fs::path(xdgDataHome) / "tiefschacht";
    if (home.empty()) return {};
    return fs::path(home) / ".local" / "share" / "tiefschacht";
}

bool checkPlayerFolder(const fs::path& folder, bool missingIsFine, std::string& error) {
    for (const fs::path& part : {folder, folder / "Data"}) {
        struct stat found {};
        std::string problem;
        if (lstat(part.c_str(), &found) != 0) {
            if (errno == ENOENT && missingIsFine) continue;
            problem = std::strerror(errno);
        } else if (S_ISLNK(found.st_mode))
            problem = "it is a symbolic link, and the player's folder is never used through one";
        else if (!S_ISDIR(found.st_mode))
            problem = "not a folder";
        else if (found.st_uid != geteuid())
            problem = "it belongs to another user (" + std::to_string(found.st_uid) + ")";
        else if ((found.st_mode & (S_IWGRP | S_IWOTH)) != 0)
            problem = "others may write into it (mode " + std::to_string((found.st_mode >> 6) & 7) +
                      std::to_string((found.st_mode >> 3) & 7) + std::to_string(found.st_mode & 7) +
                      "); make it the player's alone (chmod go-w)";
        if (!problem.empty()) {
            error = part.string() + ": " + problem;
            return false;
        }
    }
    return true;
}

bool dataFolderWritable() { return faccessat(AT_FDCWD, "Data", W_OK | X_OK, AT_EACCESS) == 0; }

bool makePlayerFolder(const fs::path& folder, std::string& error) {
    fs::path made;
    for (const fs::path& part : folder / "Data") {
        made /= part;
        if (mkdir(made.c_str(), 0700) == 0 || errno == EEXIST) continue;
        const int failure = errno;
        std::error_code ec;
        if (fs::is_directory(made, ec)) continue;  // there, on a file system that says so otherwise
        error = made.string() + ": " + std::strerror(failure);
        return false;
    }
    std::error_code ec;
    if (!fs::is_directory(folder / "Data", ec)) {
        error = (folder / "Data").string() + ": not a folder";
        return false;
    }
    return true;
}

}  // namespace tiefschacht
