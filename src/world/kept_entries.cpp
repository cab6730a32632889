// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/kept_entries.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string_view>

#include "platform/file_access.hpp"
#include "services/app_state.hpp"
#include "services/file_writing.hpp"
#include "services/token_reader.hpp"
#include "world/data_tables.hpp"

namespace tiefschacht {

namespace {

constexpr size_t suffixLength = 12;
constexpr size_t mostEntries = 100;
constexpr size_t entryFileLimit = 1024;

bool isKeptName(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + suffixLength || name.substr(0, prefix.size()) != prefix)
        return false;
    for (char c : name.substr(prefix.size()))
        if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

// One entry as the game writes it: a name of 1 to 14 capital letters (or
// the "-" of an empty one) and a whole score in the 32-bit range.
bool parseEntry(const std::string& text, KeptEntry& entry) {
    TokenReader reader(text);
    std::string name;
    int32_t score = 0;
    if (!reader.readWord(name) || name.empty() || name.size() > highscoreNameChars ||
        !reader.readDecimal(score) || !reader.atEnd() || !reader.problem().empty())
        return false;
    for (char c : name)
        if (!((c >= 'A' && c <= 'Z') || c == '-' || c == '_')) return false;
    entry.name.fill('\0');
    std::memcpy(entry.name.data(), name.data(), name.size());
    entry.score = score;
    return true;
}

}  // namespace

std::string keptEntryPrefix(const std::string& list) { return list + ".eintrag-"; }

bool keepEntryAside(const std::string& list, const std::array<char, 15>& name, int32_t score,
                    std::string& kept, std::string& error) {
    const size_t length = strnlen(name.data(), highscoreNameChars);
    const std::string text = (length == 0 ? std::string("-") : std::string(name.data(), length)) +
                             ' ' + std::to_string(score) + '\n';
    // Readable by those who may read the list, so whoever writes it next
    // can enter the result.
    struct stat found {};
    const mode_t mode = lstat(list.c_str(), &found) == 0 ? (found.st_mode & 0666) : 0600;
    return writeUniqueFile(keptEntryPrefix(list), text, mode, kept, error);
}

std::vector<KeptEntry> findKeptEntries(const std::string& list) {
    std::vector<KeptEntry> entries;
    const std::string folderName = folderOf(list);
    const std::string prefix = nameOf(keptEntryPrefix(list));
    const int folder = open(folderName.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0) return entries;
    DIR* listing = fdopendir(folder);
    if (listing == nullptr) {
        close(folder);
        return entries;
    }
    while (const dirent* found = readdir(listing)) {
        if (entries.size() >= mostEntries) break;
        if (!isKeptName(found->d_name, prefix)) continue;
        struct stat info {};
        if (fstatat(folder, found->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(info.st_mode))
            continue;
        KeptEntry entry;
        entry.file = folderName + "/" + found->d_name;
        std::string text, error;
        if (readFileIfPresent(entry.file, entryFileLimit, text, error) != ReadOutcome::Read)
            continue;
        if (parseEntry(text, entry))
            entries.push_back(entry);
        else
            warnAboutFile(entry.file, "holds no highscore entry; it is left as it is");
    }
    closedir(listing);
    return entries;
}

void removeKeptEntries(const std::vector<KeptEntry>& entries) {
    for (const KeptEntry& entry : entries) (void)unlink(entry.file.c_str());
}

}  // namespace tiefschacht
