// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "world/highscore_file.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <limits>

#include "platform/file_access.hpp"
#include "services/app_state.hpp"
#include "services/file_writing.hpp"
#include "world/data_file.hpp"
#include "world/kept_entries.hpp"

namespace tiefschacht {

HighscoreTable highscoreTable;

namespace {

constexpr size_t nameLength = 14;
constexpr int backupNames = 100;

enum class ScoreToken { Clean, NotWhole, OutOfRange };

// A score token's value: its leading decimal number (with an optional sign),
// held to the 32-bit range; 0 when it starts with no digit.
int32_t scoreOf(const std::string& token, ScoreToken& kind) {
    size_t p = 0;
    bool negative = false;
    if (p < token.size() && (token[p] == '+' || token[p] == '-')) {
        negative = token[p] == '-';
        ++p;
    }
    const size_t firstDigit = p;
    constexpr int64_t beyond = int64_t{1} << 32;  // past either end of the range
    int64_t magnitude = 0;
    for (; p < token.size() && token[p] >= '0' && token[p] <= '9'; ++p)
        magnitude = std::min(beyond, magnitude * 10 + (token[p] - '0'));
    const int64_t value = negative ? -magnitude : magnitude;
    const int64_t held = std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max());
    if (p == firstDigit || p != token.size())
        kind = ScoreToken::NotWhole;
    else
        kind = held == value ? ScoreToken::Clean : ScoreToken::OutOfRange;
    return static_cast<int32_t>(held);
}

// A token as it may be shown in a message: printable, and not too long.
std::string shown(const std::string& token) {
    std::string s;
    for (char c : token.substr(0, 24)) s += (c >= 0x20 && c < 0x7F) ? c : '?';
    return token.size() > 24 ? s + "..." : s;
}

// The name as one token of 1 to 14 characters: the list is read back token
// by token, so an empty name or a blank inside one would shift every field
// after it.
std::string storableName(const std::array<char, 15>& entry) {
    std::string name(entry.data(), strnlen(entry.data(), nameLength));
    for (char& c : name) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') c = '_';
    }
    if (name.empty()) name.push_back('-');
    return name;
}

// Keeps the bytes of a damaged list beside it, under the first free name of
// <list>.beschaedigt, <list>.beschaedigt-2, ...; an earlier one is never
// overwritten. The copy gets the list's permission bits.
bool keepDamaged(const std::string& path, const std::string& bytes, mode_t mode, std::string& kept,
                 std::string& error) {
    for (int n = 1; n <= backupNames; ++n) {
        kept = path + ".beschaedigt";
        if (n > 1) kept += '-' + std::to_string(n);
        bool taken = false;
        if (writeNewFile(kept, bytes, mode, taken, error)) return true;
        if (!taken) {
            error = kept + ": " + error;
            return false;
        }
    }
    error = "every name for keeping it beside the list is taken";
    return false;
}

// How long a game waits for another to finish with the list: a write takes
// a few milliseconds, and a window must not stand still for long.
constexpr int lockPatienceMs = 500;

// The entry (none when `entry` is null), made under the list's lock
// together with every entry kept beside the list. `table` is the list as the
// player saw it and becomes the list entered into. Returns why the list was
// not saved (empty when it was); `lockResult` says whether the lock was had.
std::string enterUnderLock(const std::string& path, HighscoreTable& table, const KeptEntry* entry,
                           LockResult& lockResult) {
    lockResult = LockResult::Failed;
    // A link is refused rather than followed: the game cannot tell a link
    // the player made from one planted to have it overwrite another file.
    struct stat found {};
    const bool exists = lstat(path.c_str(), &found) == 0;
    if (exists && S_ISLNK(found.st_mode))
        return "it is a symbolic link, and the list is never written through one";
    // A list made read-only stays as it is, as it would for a plain write.
    if (exists && faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0)
        return std::strerror(errno);

    FileLock lock;
    std::string error;
    lockResult = lock.acquire(path + ".lock", path, lockPatienceMs, error);
    if (lockResult == LockResult::Busy) return "another game holds the list's lock";
    if (lockResult != LockResult::Held) return error;

    std::string bytes;
    const ReadOutcome read = readFileIfPresent(path, dataFileSizeLimit, bytes, error);
    // A list that cannot be read may hold entries: it is not replaced.
    if (read == ReadOutcome::Failed) return error;
    std::string damage;
    if (read == ReadOutcome::Read) {
        TokenReader reader(bytes);
        HighscoreReading fresh = parseHighscores(reader);
        table = fresh.table;
        damage = std::move(fresh.damage);
    }
    if (entry != nullptr) enterResult(table, entry->score, entry->name);
    const std::vector<KeptEntry> kept = findKeptEntries(path);
    for (const KeptEntry& k : kept) enterResult(table, k.score, k.name);

    if (!damage.empty()) {
        std::string keptAs;
        if (!keepDamaged(path, bytes, found.st_mode, keptAs, error))
            return "the damaged list cannot be kept beside it: " + error;
        warn(path + ": the damaged list (" + damage + ") is kept as " + keptAs);
    }
    if (!replaceFile(path, highscoreText(table), error)) return error;
    // Only once they are in the saved list; a game that ends right here
    // enters them a second time.
    removeKeptEntries(kept);
    removeLeftTemporaries(path);
    return {};
}

}  // namespace

HighscoreReading parseHighscores(TokenReader& reader) {
    HighscoreReading r;
    std::string name, score;
    for (int i = 0; i < highscoreCount; ++i) {
        name.clear();
        score.clear();
        const bool complete = reader.readWord(name) && reader.readWord(score);
        ScoreToken kind = ScoreToken::Clean;
        const int32_t value = complete ? scoreOf(score, kind) : 0;
        if (r.damage.empty()) {
            const std::string entry = "entry " + std::to_string(i + 1);
            if (!complete)
                r.damage = "it holds " + std::to_string(i) + " complete entries instead of 10";
            else if (kind == ScoreToken::NotWhole)
                r.damage = entry + ": the score \"" + shown(score) + "\" is not a whole number";
            else if (kind == ScoreToken::OutOfRange)
                r.damage = entry + ": the score \"" + shown(score) + "\" is out of range";
        }
        auto& slot = r.table.names[static_cast<size_t>(i)];
        slot.fill('\0');
        std::memcpy(slot.data(), name.data(), std::min(name.size(), nameLength));
        r.table.scores[static_cast<size_t>(i)] = value;
        const std::string kept(slot.data(), strnlen(slot.data(), nameLength));
        if (r.damage.empty() && complete && kept != name)
            r.damage = "entry " + std::to_string(i + 1) + ": the name " + quotedToken(name) +
                       (name.find('\0') != std::string::npos
                            ? " holds a NUL byte"
                            : " is longer than " + std::to_string(nameLength) + " letters") +
                       "; it is cut to " + quotedToken(kept);
    }
    if (r.damage.empty() && !reader.atEnd()) r.damage = "there is more text after the tenth entry";
    return r;
}

std::string highscoreText(const HighscoreTable& table) {
    std::string text;
    for (int i = 0; i < highscoreCount; ++i) {
        const auto slot = static_cast<size_t>(i);
        text += storableName(table.names[slot]) + " " + std::to_string(table.scores[slot]) + "\n";
    }
    return text;
}

void readHighscores(const char* path) {
    enterKeptEntries(path);
    TokenReader reader;
    openDataFile(reader, path);
    HighscoreReading r = parseHighscores(reader);
    highscoreTable = r.table;
    if (!r.damage.empty())
        warn(std::string(path) + ": the list is damaged (" + r.damage +
             "); it is read as far as it goes, and before a new entry is saved the file is "
             "kept beside it as " +
             path + ".beschaedigt");
}

int highscorePlacement(const HighscoreTable& table, int32_t score) {
    for (int i = highscoreCount - 1; i >= 0; --i)
        if (table.scores[static_cast<size_t>(i)] > score) return i + 1;
    return 0;
}

void enterResult(HighscoreTable& table, int32_t score, const std::array<char, 15>& name) {
    const int place = highscorePlacement(table, score);
    if (place >= highscoreCount) return;
    for (int i = highscoreCount - 2; i >= place; --i) {
        auto from = static_cast<size_t>(i);
        table.scores[from + 1] = table.scores[from];
        std::memcpy(table.names[from + 1].data(), table.names[from].data(), nameLength);
        table.names[from + 1][nameLength] = '\0';
    }
    auto at = static_cast<size_t>(place);
    table.scores[at] = score;
    table.names[at] = name;
}

EntryOutcome saveHighscoreEntry(const std::string& path, int32_t score,
                                const std::array<char, 15>& name) {
    HighscoreTable table = highscoreTable;
    KeptEntry entry;
    entry.name = name;
    entry.score = score;
    LockResult lockResult = LockResult::Failed;
    std::string problem = enterUnderLock(path, table, &entry, lockResult);
    if (lockResult != LockResult::Held) enterResult(table, score, name);
    highscoreTable = table;
    if (lockResult == LockResult::Held && problem.empty()) return EntryOutcome::Saved;
    if (lockResult == LockResult::Busy) {
        std::string kept;
        if (keepEntryAside(path, name, score, kept, problem)) {
            warn(path + ": the list is busy (another game has held its lock for longer than " +
                 std::to_string(lockPatienceMs) + " ms); the entry is kept as " + kept +
                 " and entered when the list is next saved or the game next starts");
            return EntryOutcome::KeptAside;
        }
        problem = "it is busy, and the entry cannot be kept beside it: " + problem;
    }
    reportFailure(path + ": the new list cannot be saved: " + problem);
    return EntryOutcome::Failed;
}

void enterKeptEntries(const std::string& path) {
    if (findKeptEntries(path).empty()) return;
    HighscoreTable table = highscoreTable;
    LockResult lockResult = LockResult::Failed;
    const std::string problem = enterUnderLock(path, table, nullptr, lockResult);
    // Busy: they wait for the next write. Anything else is said; the game
    // plays on with the list as it reads.
    if (lockResult != LockResult::Busy && !problem.empty())
        warn(path + ": the entries kept beside the list cannot be entered: " + problem);
}

bool copyHighscoreList(const std::string& shipped, const std::string& own, std::string& error) {
    FileLock lock;
    switch (lock.acquire(own + ".lock", own, lockPatienceMs, error)) {
    case LockResult::Held: break;
    case LockResult::Busy: error = own + ": another game holds the list's lock"; return false;
    case LockResult::Failed: return false;
    }
    struct stat found {};
    if (lstat(own.c_str(), &found) == 0) return true;  // reading it will tell what it is

    std::string bytes;
    switch (readFileIfPresent(shipped, dataFileSizeLimit, bytes, error)) {
    case ReadOutcome::Read: break;
    case ReadOutcome::Missing: error = shipped + ": " + std::strerror(ENOENT); return false;
    case ReadOutcome::Failed: error = shipped + ": " + error; return false;
    }
    if (replaceFile(own, bytes, error)) return true;
    error = own + ": " + error;
    return false;
}

}  // namespace tiefschacht
