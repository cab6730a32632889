#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <unistd.h>

#include "services/app_state.hpp"
#include "world/data_file.hpp"
#include "world/data_tables.hpp"

HighscoreTable highscoreTable;

namespace {
constexpr size_t nameLength = 14;
}

void readHighscores(const char* path) {
    TokenReader reader;
    openDataFile(reader, path);
    std::string name;
    for (int i = 0; i < highscoreCount; ++i) {
        // The name is a token of its own; a missing one reads as empty.
        name.clear();
        reader.readWord(name);
        reader.readDecimal(highscoreTable.scores[i]);
        auto& entry = highscoreTable.names[i];
        entry.fill('\0');
        std::memcpy(entry.data(), name.data(), std::min(name.size(), nameLength));
    }
}

// The name as one token of 1 to 14 characters: the list is read back token
// by token, so an empty name or a blank inside one would shift every field
// after it.
static std::string storableName(const std::array<char, 15>& entry) {
    std::string name(entry.data(), strnlen(entry.data(), nameLength));
    for (char& c : name) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') c = '_';
    }
    if (name.empty()) name.push_back('-');
    return name;
}

// Writes the list into an open file; false with the reason when a write fails.
static bool writeEntries(FILE* f, std::string& reason) {
    for (int i = 0; i < highscoreCount; ++i) {
        const std::string name = storableName(highscoreTable.names[i]);
        if (std::fprintf(f, "%s ", name.c_str()) < 0 ||
            std::fprintf(f, "%i\n", static_cast<int>(highscoreTable.scores[i])) < 0) {
            reason = std::strerror(errno);
            return false;
        }
    }
    if (std::fflush(f) != 0 || fsync(fileno(f)) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

// Makes the rename itself durable; a folder that cannot be synced is no
// reason to fail, the list is already in place.
static void syncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    (void)fsync(fd);
    close(fd);
}

void writeHighscores(const char* path, HighscoreWriteFault fault) {
    const std::string temp = std::string(path) + ".tmp";
    // The failure is named after the list, with the reason: "Permission
    // denied" alone would send the player to look at the list's own rights
    // when it is the folder that refuses the new file.
    FILE* f = std::fopen(temp.c_str(), "w");
    if (!f) failOnFile(path, ("the new list cannot be saved: " + temp + ": " +
                              std::strerror(errno)).c_str());

    std::string reason;
    bool ok = writeEntries(f, reason);
    if (std::fclose(f) != 0 && ok) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (ok && fault == HighscoreWriteFault::AfterTempWritten) {
        reason = "write interrupted";
        ok = false;
    }
    if (ok && std::rename(temp.c_str(), path) != 0) {
        reason = std::strerror(errno);
        ok = false;
    }
    if (!ok) {
        std::remove(temp.c_str());
        failOnFile(path, ("the new list cannot be saved: " + reason).c_str());
    }
    syncFolderOf(path);
}
