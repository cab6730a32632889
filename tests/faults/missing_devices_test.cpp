// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The game in a window (not headless) on a machine without a sound card or
// without a display. Without sound it plays on silently; without a display
// it ends at once with a message and exit code 1, having touched nothing;
// and so it does when the display goes away while it runs.
#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "fault_game.hpp"
#include "services/graphics.hpp"

using namespace tiefschacht;

namespace {

// A windowed run of the real runtime folder, the input from the script (the
// script stands in for keyboard and mouse whatever the window is), stopped
// after `frames`.
ChildOptions windowedRun(const CaseFolder& folder, int frames) {
    ChildOptions options = headlessRun(folder, faultScript("list_then_play.txt"), frames);
    options.args.erase(options.args.begin());  // no --headless
    options.withoutPermissionBypass = false;
    options.timeoutSeconds = 60;
    return options;
}

class MissingDevices : public ::testing::Test {
protected:
    // Without a log a run of the build folder may have left behind: these
    // tests look for the one the child writes.
    void SetUp() override { copyRuntimeFolder(shippedRuntime, folder.game(), {protocolFile}); }
    CaseFolder folder;
};

// A sound driver that does not exist (the sound system cannot start) and a
// file-writing one whose file cannot be created (it starts, but no output
// opens): either way every sound stays absent and the game plays on.
TEST_F(MissingDevices, WithoutSoundTheGamePlaysOnSilently) {
    for (const std::vector<std::string>& audio :
         {std::vector<std::string>{"SDL_AUDIODRIVER=no_such_driver"},
          std::vector<std::string>{"SDL_AUDIODRIVER=disk",
                                   "SDL_DISKAUDIOFILE=/nonexistent/folder/out.raw"}}) {
        SCOPED_TRACE(audio.front());
        ChildOptions options = windowedRun(folder, 40);
        options.setEnv.insert(options.setEnv.end(), audio.begin(), audio.end());
        options.setEnv.push_back("SDL_VIDEODRIVER=dummy");
        const ChildResult r = runGame(options);
        EXPECT_FALSE(r.crashed()) << r.describe();
        EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
        const nlohmann::json dump = readDump(folder);
        ASSERT_TRUE(dump.is_object()) << r.describe();
        EXPECT_EQ(dump.value("frames", 0), 40);
        EXPECT_EQ(dump.value("gameState", -1), 100);  // through the menus into play
        EXPECT_EQ(dump["soundsPlayed"], nlohmann::json::array());
    }
}

// The window's icon missing or damaged: the desktop shows its default, and
// the game plays as ever.
TEST_F(MissingDevices, AWindowWithoutItsIconPlaysOn) {
    for (Fault fault : {Fault::Missing, Fault::Truncated, Fault::Garbage}) {
        SCOPED_TRACE(faultName(fault));
        const std::filesystem::path icon = folder.game() / "Graphics/Icon.png";
        std::filesystem::remove(icon);
        damageFile(shippedRuntime / "Graphics/Icon.png", icon, fault, 7);
        ChildOptions options = windowedRun(folder, 40);
        options.setEnv = {"SDL_VIDEODRIVER=dummy", "SDL_AUDIODRIVER=no_such_driver"};
        const ChildResult r = runGame(options);
        EXPECT_TRUE(r.exited && r.exitCode == 0) << r.describe();
        const nlohmann::json dump = readDump(folder);
        ASSERT_TRUE(dump.is_object()) << r.describe();
        EXPECT_EQ(dump.value("frames", 0), 40);
        EXPECT_EQ(dump.value("gameState", -1), 100);
    }
}

// No display variable and no driver asked for (SDL would fall back on its
// drawing-into-memory driver), or a display driver asked for by name that
// cannot reach one: a clear message, exit code 1, no log written.
TEST_F(MissingDevices, WithoutADisplayTheGameEndsWithAMessage) {
    for (const char* driver : {"", "x11", "wayland"}) {
        SCOPED_TRACE(driver);
        ChildOptions options = windowedRun(folder, 40);
        options.unsetEnv = {"DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"};
        if (*driver != '\0') options.setEnv.push_back(std::string("SDL_VIDEODRIVER=") + driver);
        options.setEnv.push_back("SDL_AUDIODRIVER=no_such_driver");
        const ChildResult r = runGame(options);
        EXPECT_FALSE(r.crashed()) << r.describe();
        EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
        EXPECT_NE(r.stderrText.find("tiefschacht: no display"), std::string::npos) << r.describe();
        EXPECT_FALSE(std::filesystem::exists(folder.game() / protocolFile));
        EXPECT_FALSE(std::filesystem::exists(folder.dumpFile()));
    }
}

// Waits up to `seconds` for `path` to exist.
bool appears(const std::filesystem::path& path, int seconds) {
    for (int i = 0; i < seconds * 20; ++i) {
        if (std::filesystem::exists(path)) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// The X server stops while the game runs (the session ends, a forwarded
// connection drops): the game ends at once with a message and exit code 1,
// instead of waiting on the lost connection for ever.
TEST_F(MissingDevices, TheDisplayGoingAwayEndsTheGame) {
    const std::string xvfb = "/usr/bin/Xvfb";
    if (access(xvfb.c_str(), X_OK) != 0)
        GTEST_SKIP() << "needs Xvfb (scripts/setup.sh test installs it)";
    // A display number no server holds: neither its socket nor its lock file exists.
    int number = 90;
    const auto taken = [](int n) {
        const std::string digits = std::to_string(n);
        return std::filesystem::exists(std::filesystem::path("/tmp/.X11-unix") / ("X" + digits)) ||
               std::filesystem::exists(std::filesystem::path("/tmp") / (".X" + digits + "-lock"));
    };
    while (taken(number)) ++number;
    const std::string name = std::to_string(number);
    const std::string display = std::string(":").append(name);
    ChildOptions server;
    server.args = {display, "-screen", "0", "1024x768x24", "-nolisten", "tcp"};
    server.withoutPermissionBypass = false;
    server.stderrFile = (folder.root / "xvfb.txt").string();
    const int serverPid = startChild(xvfb, server);
    ASSERT_TRUE(appears(std::filesystem::path("/tmp/.X11-unix") / ("X" + name), 20));

    ChildOptions options = windowedRun(folder, 1000000);
    options.setEnv.insert(options.setEnv.end(), {"DISPLAY=" + display, "SDL_VIDEODRIVER=x11",
                                                 "SDL_AUDIODRIVER=no_such_driver"});
    options.timeoutSeconds = 60;
    const int gamePid = startChild(gameProgram, options);
    // The start-up log is written once the window is open.
    EXPECT_TRUE(appears(folder.game() / protocolFile, 30));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    kill(serverPid, SIGTERM);
    finishChild(serverPid, server);

    const ChildResult r = finishChild(gamePid, options);
    EXPECT_FALSE(r.crashed()) << r.describe();
    EXPECT_TRUE(r.exited && r.exitCode == 1) << r.describe();
    EXPECT_NE(r.stderrText.find("tiefschacht: the connection to the display was lost"),
              std::string::npos)
        << r.describe();
}

}  // namespace
