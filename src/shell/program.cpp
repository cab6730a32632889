// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/program.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "drawing/fonts.hpp"
#include "platform/headless/input_script.hpp"
#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/frame_timing.hpp"
#include "services/settings.hpp"
#include "shell/command_line.hpp"
#include "shell/game_folders.hpp"
#include "shell/input_recorder.hpp"
#include "shell/lifecycle.hpp"
#include "shell/main_loop.hpp"
#include "shell/process_state.hpp"
#include "shell/run_outputs.hpp"
#include "shell/state_dump.hpp"
#include "shell/timedemo_report.hpp"

namespace tiefschacht {

namespace {
constexpr const char* windowTitle = "My Game Shell";

// The window's icon for the desktop. A picture that is missing or cannot be
// read leaves the desktop's default; the game goes on either way.
void showWindowIcon() {
    if (platformLayer.headless || !platformLayer.images || !platformLayer.video) return;
    constexpr uint64_t largestIcon = 256 * 256;
    DecodedImage icon;
    std::string error;
    if (platformLayer.images->decodeFile("Graphics/Icon.png", largestIcon, icon, error) ==
        PictureStatus::Ok)
        platformLayer.video->setIcon(icon);
}

// Puts the working directory back as it was when it was constructed.
class WorkingDirectoryRestorer {
public:
    WorkingDirectoryRestorer() { saved_ = std::filesystem::current_path(error_); }
    ~WorkingDirectoryRestorer() {
        if (!error_) std::filesystem::current_path(saved_, error_);
    }
    WorkingDirectoryRestorer(const WorkingDirectoryRestorer&) = delete;
    WorkingDirectoryRestorer& operator=(const WorkingDirectoryRestorer&) = delete;

private:
    std::error_code error_;
    std::filesystem::path saved_;
};
}  // namespace

int runProgram(int argc, char** argv) {
    TimingClock::time_point programStart = TimingClock::now();
    CommandLine cl;
    int early = parseCommandLine(argc, argv, cl);
    if (early >= 0) return early;
    anchorFileOptions(cl);

    std::shared_ptr<InputScript> script;
    if (!cl.inputFile.empty()) {
        script = std::make_shared<InputScript>();
        std::string error;
        if (!script->load(cl.inputFile, error)) {
            warn(cl.inputFile + ": " + error);
            return exitBadCommandLine;
        }
    }
    // The program runs in the data tree; the caller's working directory is
    // given back on return, so a caller that runs the game twice in one
    // process (the tests do) finds its relative paths where it left them.
    WorkingDirectoryRestorer restoreWorkingDirectory;
    resetProcessState();
    if (const int code = settleGameFolders(cl.dataDir); code >= 0) return code;

    frameTiming.enabled = cl.timedemo;
    app.listInMemoryOnly = cl.timedemo;
    frameTiming.programStart = programStart;
    std::optional<uint64_t> frameLimit = cl.frames;
    // A timedemo ends with the frame that handles the script's last poll.
    if (cl.timedemo && script) {
        uint64_t scripted = script->totalPolls() + 1;
        frameLimit = frameLimit ? std::min(*frameLimit, scripted) : scripted;
    }
    PlatformOptions options;
    options.headless = cl.headless;
    options.realtimeClock = cl.realtime;
    options.script = script;
    platformLayer = createPlatformLayer(options);
    recording.on = !cl.recordFile.empty();
    // A file or start-up failure anywhere below ends the program through the
    // normal shut-down first.
    app.beforeFailureExit = shutDown;

    createFonts();
    readResolutions();
    std::string error;
    if (!platformLayer.video ||
        !platformLayer.video->openWindow(windowTitle, settings.screenWidth, settings.screenHeight,
                                         settings.fullScreen != 0, error)) {
        shutDown();
        platformLayer = PlatformLayer{};
        warn(error.empty() ? "no window can be opened" : error);
        return 1;
    }
    showWindowIcon();

    startUp();
    runMessageLoop(frameLimit, cl.noDraw ? FrameDrawing::Skipped : FrameDrawing::Drawn);
    if (cl.timedemo) printTimedemoReport(stdout, settings.screenWidth, settings.screenHeight);

    std::string dump = cl.dumpFile.empty() ? std::string() : stateDumpText();
    shutDown();

    int exitCode = writeRunOutputs(cl, dump);
    // A list that could not be saved was reported when it happened; the game
    // played on, but the run did not end well.
    if (app.failureReported) exitCode = 1;
    platformLayer = PlatformLayer{};
    return exitCode;
}

}  // namespace tiefschacht
