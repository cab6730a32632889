// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Games that end in a highscore entry: the small runtime folder of the
// end-to-end tests, where a lost game makes 500 points, run as child
// processes that type a name of their own into the list.
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "fault_game.hpp"
#include "unit/shell/e2e_runtime_folder.hpp"

namespace tiefschacht {

// Enough frames for the lost game, the entry and the way back to the menu.
inline constexpr int entryFrames = 260;

// The lost game's script with `name` (capital letters) typed in place of
// the name it types, written into `folder`; returns its path.
inline std::string entryScript(const std::filesystem::path& folder, const std::string& name) {
    std::ifstream in(e2eScript("lost_game_to_highscore.txt"));
    std::stringstream original;
    original << in.rdbuf();
    std::string text = original.str();
    const std::string typed = "1 A\n1 -\n1 N\n1 -\n1 N\n1 -\n1 A\n1 -\n";
    std::string typing;
    for (char c : name) typing += std::string("1 ") + c + "\n1 -\n";
    text.replace(text.find(typed), typed.size(), typing);
    const std::filesystem::path script = folder / ("enter_" + name + ".txt");
    std::ofstream(script) << text;
    return script.string();
}

// A headless run of `runtime` entering `name`; stderr and the state dump go
// into files named after the name beside the runtime folder's Data/.
inline ChildOptions entryRun(const RuntimeFolder& runtime, const std::string& name) {
    ChildOptions options;
    options.args = {"--headless",
                    "--data",
                    runtime.root.string(),
                    "--input",
                    entryScript(runtime.root, name),
                    "--frames",
                    std::to_string(entryFrames),
                    "--dump-state",
                    (runtime.root / ("state_" + name + ".json")).string()};
    options.stderrFile = (runtime.root / ("stderr_" + name + ".txt")).string();
    options.setEnv = {playerDataHome(runtime.root)};
    return options;
}

inline nlohmann::json entryDump(const RuntimeFolder& runtime, const std::string& name) {
    std::ifstream in(runtime.root / ("state_" + name + ".json"));
    return nlohmann::json::parse(in, nullptr, false);
}

// The list a run's state dump shows, as the file would hold it.
inline std::string shownList(const nlohmann::json& dump) {
    std::string text;
    if (!dump.is_object()) return text;
    for (const auto& entry : dump["highscores"])
        text += entry["name"].get<std::string>() + " " + std::to_string(entry["score"].get<int>()) +
                "\n";
    return text;
}

}  // namespace tiefschacht
