// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/headless/input_script.hpp"

#include <array>
#include <cctype>
#include <charconv>
#include <limits>
#include <sstream>
#include <string_view>

#include "platform/file_access.hpp"
#include "platform/key_codes.hpp"

namespace tiefschacht {

namespace {

struct KeyName {
    const char* name;
    uint8_t code;
};

// The keys a script can hold, in the order describe() writes them.
constexpr std::array<KeyName, 37> keyNames{{
    {"Escape", KeyEscape}, {"Up", KeyUp},
    {"Down", KeyDown},     {"Left", KeyLeft},
    {"Right", KeyRight},   {"Space", KeySpace},
    {"PageUp", KeyPageUp}, {"PageDown", KeyPageDown},
    {"Enter", KeyEnter},   {"Backspace", KeyBackspace},
    {"Pause", KeyPause},   {"A", KeyA},
    {"B", KeyB},           {"C", KeyC},
    {"D", KeyD},           {"E", KeyE},
    {"F", KeyF},           {"G", KeyG},
    {"H", KeyH},           {"I", KeyI},
    {"J", KeyJ},           {"K", KeyK},
    {"L", KeyL},           {"M", KeyM},
    {"N", KeyN},           {"O", KeyO},
    {"P", KeyP},           {"Q", KeyQ},
    {"R", KeyR},           {"S", KeyS},
    {"T", KeyT},           {"U", KeyU},
    {"V", KeyV},           {"W", KeyW},
    {"X", KeyX},           {"Y", KeyY},
    {"Z", KeyZ},
}};

// Guards against scripts that would make a run practically endless or the
// parsed script unreasonably large.
constexpr int64_t maxCount = 100'000'000;
constexpr size_t maxLines = 1'000'000;
constexpr size_t maxScriptBytes = 64u * 1024u * 1024u;

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

bool parseInt(std::string_view token, int64_t lowest, int64_t highest, int64_t& out) {
    if (!token.empty() && token.front() == '+') token.remove_prefix(1);
    int64_t value = 0;
    const auto [end, ec] = std::from_chars(token.data(), token.data() + token.size(), value);
    if (ec != std::errc{} || end != token.data() + token.size() || token.empty()) return false;
    if (value < lowest || value > highest) return false;
    out = value;
    return true;
}

// Splits a line (comment already removed) into whitespace-separated tokens.
std::vector<std::string_view> tokens(std::string_view line) {
    std::vector<std::string_view> out;
    size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        const size_t start = i;
        while (i < line.size() && !std::isspace(static_cast<unsigned char>(line[i]))) ++i;
        if (i > start) out.push_back(line.substr(start, i - start));
    }
    return out;
}

bool parseKeys(std::string_view field, KeyboardSnapshot& keys, std::string& why) {
    if (field == "-") return true;
    size_t start = 0;
    while (true) {
        const size_t plus = field.find('+', start);
        const std::string_view name = field.substr(
            start, plus == std::string_view::npos ? std::string_view::npos : plus - start);
        const int code = InputScript::keyCodeOf(std::string(name));
        if (code < 0) {
            why = name.empty() ? "empty key name in \"" + std::string(field) + "\""
                               : "unknown key \"" + std::string(name) + "\"";
            return false;
        }
        keys[static_cast<size_t>(code)] = keyDownBit;
        if (plus == std::string_view::npos) return true;
        start = plus + 1;
    }
}

bool parseLine(const std::vector<std::string_view>& fields, ScriptLine& line, std::string& why) {
    if (fields.size() < 2) {
        why = "expected <count> <keys> [<dx> <dy> [<buttons>]]";
        return false;
    }
    if (fields.size() == 3) {
        why = "dx without dy";
        return false;
    }
    if (fields.size() > 5) {
        why = "too many fields";
        return false;
    }
    int64_t count = 0;
    if (!parseInt(fields[0], 1, maxCount, count)) {
        why = "count \"" + std::string(fields[0]) + "\" is not a whole number from 1 to " +
              std::to_string(maxCount);
        return false;
    }
    line.count = static_cast<int32_t>(count);
    if (!parseKeys(fields[1], line.keys, why)) return false;
    if (fields.size() >= 4) {
        constexpr int64_t lo = std::numeric_limits<int32_t>::min();
        constexpr int64_t hi = std::numeric_limits<int32_t>::max();
        int64_t dx = 0, dy = 0;
        if (!parseInt(fields[2], lo, hi, dx) || !parseInt(fields[3], lo, hi, dy)) {
            why = "mouse counts must be whole numbers";
            return false;
        }
        line.dx = static_cast<int32_t>(dx);
        line.dy = static_cast<int32_t>(dy);
    }
    if (fields.size() == 5) {
        if (fields[4] == "L" || fields[4] == "l") {
            line.leftButton = true;
        } else if (fields[4] != "-") {
            why = "buttons must be L or -";
            return false;
        }
    }
    return true;
}

}  // namespace

bool InputScript::parse(const std::string& text, std::string& error) {
    lines_.clear();
    firstPoll_.clear();
    totalPolls_ = 0;

    size_t lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string_view raw(text.data() + pos, end - pos);
        pos = end + 1;
        ++lineNumber;

        if (const size_t hash = raw.find('#'); hash != std::string_view::npos)
            raw = raw.substr(0, hash);
        const auto fields = tokens(raw);
        if (fields.empty()) continue;

        ScriptLine line;
        std::string why;
        if (!parseLine(fields, line, why)) {
            error = "line " + std::to_string(lineNumber) + ": " + why;
            lines_.clear();
            firstPoll_.clear();
            totalPolls_ = 0;
            return false;
        }
        if (lines_.size() >= maxLines) {
            error = "line " + std::to_string(lineNumber) + ": more than " +
                    std::to_string(maxLines) + " script lines";
            lines_.clear();
            firstPoll_.clear();
            totalPolls_ = 0;
            return false;
        }
        firstPoll_.push_back(totalPolls_);
        totalPolls_ += static_cast<uint64_t>(line.count);
        lines_.push_back(line);
    }
    return true;
}

bool InputScript::load(const std::string& path, std::string& error) {
    std::string text;
    return readRegularFile(path, maxScriptBytes, text, error) && parse(text, error);
}

const ScriptLine& InputScript::lineForPoll(uint64_t poll) const {
    if (poll >= totalPolls_) return none_;
    // The last line whose first poll is not after `poll`.
    size_t lo = 0, hi = firstPoll_.size();
    while (hi - lo > 1) {
        const size_t mid = lo + (hi - lo) / 2;
        if (firstPoll_[mid] <= poll)
            lo = mid;
        else
            hi = mid;
    }
    return lines_[lo];
}

std::string InputScript::describe(const KeyboardSnapshot& keys, int32_t dx, int32_t dy,
                                  bool leftButton) {
    std::string out;
    for (const KeyName& key : keyNames) {
        if ((keys[key.code] & keyDownBit) == 0) continue;
        if (!out.empty()) out += '+';
        out += key.name;
    }
    if (out.empty()) out.push_back('-');
    out += ' ';
    out += std::to_string(dx);
    out += ' ';
    out += std::to_string(dy);
    out += leftButton ? " L" : " -";
    return out;
}

int InputScript::keyCodeOf(const std::string& name) {
    for (const KeyName& key : keyNames) {
        if (equalsIgnoringCase(name, key.name)) return key.code;
    }
    return -1;
}

}  // namespace tiefschacht
