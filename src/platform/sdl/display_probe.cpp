// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/display_probe.hpp"

#include <X11/Xlib.h>
#include <strings.h>
#include <sys/stat.h>
#include <wayland-client.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <vector>

namespace tiefschacht {

namespace {
std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

std::string x11Failure() {
    const std::string name = variable("DISPLAY");
    if (name.empty()) return "DISPLAY is not set";
    Display* display = XOpenDisplay(name.c_str());
    if (display == nullptr) return "no X server lets the game in at DISPLAY=" + name;
    XCloseDisplay(display);
    return "the X server at DISPLAY=" + name + " answers, but SDL could not use it";
}

// Checked step by step before connecting: libwayland prints its own complaint
// about a missing XDG_RUNTIME_DIR.
std::string waylandFailure() {
    const std::string name = variable("WAYLAND_DISPLAY");
    const std::string runtime = variable("XDG_RUNTIME_DIR");
    std::string socket = name;
    if (name.empty() || name[0] != '/') {
        const std::string unset = name.empty() ? "WAYLAND_DISPLAY is not set" : "";
        if (runtime.empty())
            return (unset.empty() ? "" : unset + ", and ") +
                   "XDG_RUNTIME_DIR, the folder of the compositor's socket, is not set";
        socket = runtime + "/" + (name.empty() ? "wayland-0" : name);
        if (struct stat st{}; stat(socket.c_str(), &st) != 0)
            return (unset.empty() ? "" : unset + ", and ") + "no compositor's socket at " + socket +
                   " (" + std::strerror(errno) + ")";
    }
    wl_display* display = wl_display_connect(name.empty() ? nullptr : name.c_str());
    if (display == nullptr)
        return "no compositor answers at " + socket + " (" + std::strerror(errno) + ")";
    wl_display_disconnect(display);
    return "the compositor at " + socket + " answers, but SDL could not use it";
}
}  // namespace

std::string whyNoDisplay() {
    // The drivers SDL was to try: those SDL_VIDEODRIVER names, else both kinds
    // of desktop display.
    std::vector<std::string> tried;
    std::istringstream asked(variable("SDL_VIDEODRIVER"));
    for (std::string name; std::getline(asked, name, ',');)
        if (!name.empty()) tried.push_back(name);
    if (tried.empty()) tried = {"x11", "wayland"};

    std::string names;
    std::string lines;
    for (size_t i = 0; i < tried.size(); ++i) {
        const std::string& name = tried[i];
        std::string shown = name;
        std::string why;
        if (strcasecmp(name.c_str(), "x11") == 0) {
            shown = "X11";
            why = x11Failure();
        } else if (strcasecmp(name.c_str(), "wayland") == 0) {
            shown = "Wayland";
            why = waylandFailure();
        } else {
            why = "SDL could not start this driver, or shows nothing with it";
        }
        names += (i == 0 ? "" : i + 1 == tried.size() ? " and " : ", ") + shown;
        lines += "\n  " + shown + ": " + why;
    }
    return "no display: tried " + names + lines;
}

}  // namespace tiefschacht
