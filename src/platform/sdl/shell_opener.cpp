// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Opening documents and web addresses with the desktop's programs, each
// target at most once per press of a button.
#include <SDL.h>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "platform/backends.hpp"
#include "platform/sdl/once_per_press_shell.hpp"

namespace tiefschacht {

namespace {
bool contains(const std::vector<std::string>& v, const std::string& s) {
    return std::find(v.begin(), v.end(), s) != v.end();
}
}  // namespace

bool OncePerPressShell::open(const std::string& target, std::string& error) {
    if (contains(thisFrame_, target)) return true;
    thisFrame_.push_back(target);
    if (contains(previousFrame_, target)) return true;
    opened_.push_back(target);
    return !opener_ || opener_(target, error);
}

void OncePerPressShell::endFrame() {
    previousFrame_.swap(thisFrame_);
    thisFrame_.clear();
}

namespace {
// True when `program` is an executable file in a folder of PATH (or of the
// system's default path when PATH is not set), as a search by name finds it.
bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::string folders = path ? path : "/bin:/usr/bin";
    size_t start = 0;
    while (start <= folders.size()) {
        size_t end = folders.find(':', start);
        if (end == std::string::npos) end = folders.size();
        const std::string folder = folders.substr(start, end - start);
        const std::string candidate = (folder.empty() ? "." : folder) + "/" + program;
        if (access(candidate.c_str(), X_OK) == 0) return true;
        start = end + 1;
    }
    return false;
}

// SDL hands a target to xdg-open without waiting to hear whether that
// program exists, so its absence is found out here.
bool openWithDesktop(const std::string& target, std::string& error) {
    if (!onPath("xdg-open")) {
        error = "there is no program to open it with (xdg-open is not installed)";
        return false;
    }
    if (SDL_OpenURL(target.c_str()) != 0) {
        error = SDL_GetError();
        return false;
    }
    return true;
}
}  // namespace

// Documents and web addresses go to the desktop's default program.
std::unique_ptr<ShellOpener> createDesktopShell() {
    return std::make_unique<OncePerPressShell>(openWithDesktop);
}

}  // namespace tiefschacht
