#include "shell/program.hpp"

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "drawing/fonts.hpp"
#include "platform/input_script.hpp"
#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/frame_timing.hpp"
#include "services/settings.hpp"
#include "shell/command_line.hpp"
#include "shell/input_recorder.hpp"
#include "shell/lifecycle.hpp"
#include "shell/main_loop.hpp"
#include "shell/process_state.hpp"
#include "shell/run_outputs.hpp"
#include "shell/state_dump.hpp"
#include "shell/timedemo_report.hpp"

namespace {
constexpr const char* windowTitle = "My Game Shell";

void complain(const std::string& text) {
    std::fprintf(stderr, "tiefschacht: %s\n", text.c_str());
    std::fflush(stderr);
}

}  // namespace

namespace {
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
            complain(cl.inputFile + ": " + error);
            return exitBadCommandLine;
        }
    }
    // The program runs in the data folder; the caller's working directory is
    // given back on return, so a caller that runs the game twice in one
    // process (the tests do) finds its relative paths where it left them.
    WorkingDirectoryRestorer restoreWorkingDirectory;
    if (!cl.dataDir.empty()) {
        std::error_code ec;
        std::filesystem::current_path(cl.dataDir, ec);
        if (ec) {
            complain(cl.dataDir + ": " + ec.message());
            return exitBadCommandLine;
        }
    }

    resetProcessState();
    frameTiming.enabled = cl.timedemo;
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
        complain(error.empty() ? "no window can be opened" : error);
        return 1;
    }

    startUp();
    runMessageLoop(frameLimit);
    if (cl.timedemo) printTimedemoReport(stdout, settings.screenWidth, settings.screenHeight);

    std::string dump = cl.dumpFile.empty() ? std::string() : stateDumpText();
    shutDown();

    const int exitCode = writeRunOutputs(cl, dump);
    platformLayer = PlatformLayer{};
    return exitCode;
}
