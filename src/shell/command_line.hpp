// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The options of the program (started without any, the game takes its
// settings from its data files alone).
#include <cstdint>
#include <optional>
#include <string>

namespace tiefschacht {

struct CommandLine {
    std::string dataDir;             // --data: the data tree, which becomes the working directory
    bool headless = false;           // --headless: no window, no audio device, virtual clock
    bool realtime = false;           // --realtime: with --headless, keep the real clock
    bool noDraw = false;             // --no-draw: with --headless, update only, draw nothing
    std::optional<uint64_t> frames;  // --frames: end after that many frames
    std::string inputFile;           // --input: input script instead of the devices
    std::string recordFile;          // --record: write the polled input as a script
    std::string screenshotFile;      // --screenshot: the last frame, PNG (or BMP by extension)
    std::string dumpFile;            // --dump-state: the state dump (JSON)
    bool timedemo = false;           // --timedemo: run the script and print frame times
};

// The exit code for a command line that is not to be run.
constexpr int exitBadCommandLine = 2;

// Parses the options into `out`. Returns -1 when the program is to run;
// otherwise the exit code to end with at once: 0 after --help or --version
// ("Tiefschacht <version>"), 2 after an
// unknown option or a missing or malformed value (the message is printed).
int parseCommandLine(int argc, char** argv, CommandLine& out);

// Makes the file names of the options absolute against the current working
// directory, so that --data does not change what they name.
void anchorFileOptions(CommandLine& cl);

}  // namespace tiefschacht
