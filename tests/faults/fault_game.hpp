// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Running the built game on a case folder, headless, with an input script.
#include <filesystem>
#include <fstream>
#include <string>

#include <nlohmann/json.hpp>

#include "child_process.hpp"
#include "runtime_copy.hpp"

namespace tiefschacht {

inline const std::string gameProgram = TIEFSCHACHT_GAME_EXE;
inline const std::filesystem::path shippedRuntime = TIEFSCHACHT_GAME_DIR;
inline constexpr bool sanitizedBuild = TIEFSCHACHT_SANITIZED != 0;

inline std::string faultScript(const char* name) {
    return std::string(TIEFSCHACHT_SOURCE_DIR) + "/tests/faults/" + name;
}

// The player's folder of every run lies in the case folder, so that no run
// can write into the home folder of whoever runs the tests.
inline std::string playerDataHome(const std::filesystem::path& caseRoot) {
    return "XDG_DATA_HOME=" + (caseRoot / "xdg").string();
}

// Headless, bounded to `frames`, with a state dump beside the runtime copy.
inline ChildOptions headlessRun(const CaseFolder& folder, const std::string& script, int frames) {
    ChildOptions options;
    options.args = {"--headless",
                    "--data",
                    folder.game().string(),
                    "--input",
                    script,
                    "--frames",
                    std::to_string(frames),
                    "--dump-state",
                    folder.dumpFile().string()};
    options.stderrFile = folder.stderrFile().string();
    options.setEnv = {playerDataHome(folder.root)};
    return options;
}

inline ChildResult runGame(const ChildOptions& options) { return runChild(gameProgram, options); }

// The dump of a run, or a discarded value when there is none.
inline nlohmann::json readDump(const CaseFolder& folder) {
    std::ifstream in(folder.dumpFile());
    if (!in) return nlohmann::json(nlohmann::json::value_t::discarded);
    return nlohmann::json::parse(in, nullptr, false);
}

// How often `part` occurs in `text`.
inline size_t occurrences(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// A little-endian field of `bytes` bytes, for crafted files.
inline std::string le(uint32_t v, int bytes) {
    std::string s;
    for (int i = 0; i < bytes; ++i) s.push_back(static_cast<char>(v >> (8 * i)));
    return s;
}

}  // namespace tiefschacht
