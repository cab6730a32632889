// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/app_state.hpp"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "platform/platform_layer.hpp"

namespace tiefschacht {

AppState app;

void setGameState(GameState value) {
    app.gameState = value;
    auto& seen = app.statesVisited;
    if (std::find(seen.begin(), seen.end(), value) == seen.end()) seen.push_back(value);
}

void requestClose() {
    app.closeRequested = true;
    if (app.windowDestroyed) return;
    // The default handling of the close request destroys the window, and
    // the window's destruction posts the quit message.
    if (platformLayer.video) platformLayer.video->closeWindow();
    app.windowDestroyed = true;
    app.quitPosted = true;
}

void warn(const std::string& message) {
    std::fprintf(stderr, "tiefschacht: %s\n", message.c_str());
    std::fflush(stderr);
}

void reportFailure(const std::string& message) {
    warn(message);
    app.failureReported = true;
}

namespace {
[[noreturn]] void exitAfterFailure(const std::string& message) {
    if (app.beforeFailureExit) app.beforeFailureExit();
    warn(message);
    std::exit(1);
}
}  // namespace

void failOnFile(const char* file, const char* reason) {
    exitAfterFailure(std::string(file ? file : "(no name)") + ": " +
                     (reason ? reason : "cannot be used"));
}

void failOnStartUp(const std::string& reason) { exitAfterFailure(reason); }

void warnAboutFile(const std::string& file, const std::string& what) {
    const std::string message = file + ": " + what;
    auto& given = app.fileWarningsGiven;
    if (std::find(given.begin(), given.end(), message) != given.end()) return;
    given.push_back(message);
    warn(message);
}

}  // namespace tiefschacht
