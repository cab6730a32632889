// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include <sstream>

#include "route.hpp"

namespace tiefschacht {

namespace route {

bool parseRoute(const std::string& text, std::vector<Step>& steps, std::string& error) {
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const auto hash = line.find('#');
        if (hash != std::string::npos) line.erase(hash);
        std::istringstream words(line);
        std::string keys, mode;
        if (!(words >> keys)) continue;
        Step step;
        step.line = number;
        step.text = line.substr(0, line.find_last_not_of(" \t") + 1);
        if (keys != "-") {
            std::istringstream parts(keys);
            std::string key;
            while (std::getline(parts, key, '+')) {
                if (key != "Left" && key != "Right" && key != "Up" && key != "Down" &&
                    key != "Space") {
                    error = "line " + std::to_string(number) + ": unknown key " + key;
                    return false;
                }
                step.keys.push_back(key);
            }
        }
        if (!(words >> mode) || (mode != "for" && mode != "until")) {
            error = "line " + std::to_string(number) + ": expected 'for' or 'until' after the keys";
            return false;
        }
        if (mode == "for") {
            if (!(words >> step.frames) || step.frames < 0) {
                error = "line " + std::to_string(number) + ": 'for' needs a frame count";
                return false;
            }
        } else {
            do {
                Condition c;
                if (!(words >> c.quantity >> c.op >> c.value)) {
                    error =
                        "line " + std::to_string(number) + ": a condition is 'quantity op number'";
                    return false;
                }
                step.until.push_back(c);
                std::string joiner;
                if (!(words >> joiner)) break;
                if (joiner == "safely") {
                    step.safely = true;
                    break;
                }
                if (joiner != "and") {
                    error = "line " + std::to_string(number) +
                            ": conditions are joined by 'and' (and may end in 'safely')";
                    return false;
                }
            } while (true);
        }
        steps.push_back(step);
    }
    return true;
}

}  // namespace route

}  // namespace tiefschacht
