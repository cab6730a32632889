// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The highscore file: ten name and score pairs. After reading, the list's
// text is made and read again: what the game writes it must read back the
// same, clean, whatever the names were.
#include <cstring>
#include <string>

#include "fuzz_support.hpp"
#include "world/highscore_file.hpp"

using namespace tiefschacht;

namespace {
constexpr const char* listFile = "Data/Highscore.txt";

// A name as the list keeps it: at most 14 characters, ended by the first NUL.
std::string nameOf(const std::array<char, 15>& entry) {
    return std::string(entry.data(), strnlen(entry.data(), entry.size()));
}

// The name as it reads back after a write: blanks become '_', an empty name '-'.
std::string afterRoundTrip(std::string name) {
    for (char& c : name)
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f') c = '_';
    if (name.empty()) name = "-";
    return name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input(listFile, data, size);
    // Parsed as readHighscores parses it, without its message for a damaged list.
    TokenReader file;
    std::string error;
    FUZZ_CHECK(file.open(listFile, error));
    const HighscoreTable read = parseHighscores(file).table;
    for (const auto& entry : read.names) FUZZ_CHECK(entry.back() == '\0');

    TokenReader written(highscoreText(read));
    const HighscoreReading back = parseHighscores(written);
    FUZZ_CHECK(back.damage.empty());
    for (int i = 0; i < highscoreCount; ++i) {
        FUZZ_CHECK(nameOf(back.table.names[i]) == afterRoundTrip(nameOf(read.names[i])));
        FUZZ_CHECK(back.table.scores[i] == read.scores[i]);
    }
    return 0;
}
