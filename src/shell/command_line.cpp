// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/command_line.hpp"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <iostream>

namespace tiefschacht {

int parseCommandLine(int argc, char** argv, CommandLine& out) {
    CLI::App cli{
        "Tiefschacht: climb down an old shaft, past the creatures of the deep, to the treasure "
        "at its bottom.\nWithout options the game opens its window; the other options run it "
        "without one, from an input script, or record what happened, for testing and measuring.",
        "tiefschacht"};
    cli.footer(
        "In the game: the arrow keys walk and climb, Space jumps, Pause pauses, Page Up and "
        "Page Down set the volume, Esc leads to the exit screen, Alt+Enter switches to full "
        "screen.");
    cli.set_version_flag("--version", std::string("Tiefschacht ") + TIEFSCHACHT_VERSION,
                         "Print the game's name and version and exit");
    cli.add_option("--data", out.dataDir,
                   "Use DIR as the data tree (Data/, Graphics/, Sound/) and change to it before "
                   "anything is read")
        ->type_name("DIR");
    cli.add_flag("--headless", out.headless,
                 "No window, no audio device, no display; virtual clock, frames back to back");
    cli.add_flag("--realtime", out.realtime,
                 "With --headless: keep the real clock, so the frame cap paces the run");
    cli.add_flag("--no-draw", out.noDraw,
                 "With --headless: run the game's updates only and draw nothing (the state, "
                 "and so --dump-state, is the same as with drawing)");
    cli.add_option("--frames", out.frames, "End after N frames, through the normal shut-down")
        ->type_name("N")
        ->check(CLI::Validator(
            [](const std::string& value) {
                return value.find('-') == std::string::npos
                           ? std::string()
                           : "a number of frames cannot be negative: " + value;
            },
            ""));
    cli.add_option("--input", out.inputFile, "Take keyboard and mouse from an input script")
        ->type_name("FILE");
    cli.add_option("--record", out.recordFile, "Write the polled input as an input script")
        ->type_name("FILE");
    cli.add_option("--screenshot", out.screenshotFile,
                   "When the run ends, write the last frame as PNG (BMP for a .bmp name)")
        ->type_name("FILE");
    cli.add_option("--dump-state", out.dumpFile, "When the run ends, write the state dump (JSON)")
        ->type_name("FILE");
    cli.add_flag(
        "--timedemo", out.timedemo,
        "With --input: run the script to its end, then print the frame times of the "
        "update and the drawing, the frames per second and the share of a core (headless "
        "frames run back to back; in a window or with --realtime the frame cap paces them); "
        "a score entered shows in the list but is not saved");
    try {
        cli.parse(argc, argv);
        if (out.timedemo && out.inputFile.empty())
            throw CLI::ValidationError("--timedemo", "needs --input FILE");
        if (out.noDraw && !out.headless)
            throw CLI::ValidationError("--no-draw", "needs --headless");
        if (out.noDraw && !out.screenshotFile.empty())
            throw CLI::ValidationError("--screenshot", "a run with --no-draw has no picture");
    } catch (const CLI::CallForHelp&) {
        std::cout << cli.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return 0;
    } catch (const CLI::ParseError& e) {
        std::fprintf(stderr, "tiefschacht: %s\nRun 'tiefschacht --help' for the options.\n",
                     e.what());
        return exitBadCommandLine;
    }
    return -1;
}

void anchorFileOptions(CommandLine& cl) {
    for (std::string* name : {&cl.inputFile, &cl.recordFile, &cl.screenshotFile, &cl.dumpFile}) {
        if (name->empty()) continue;
        std::error_code ec;
        std::filesystem::path p = std::filesystem::absolute(*name, ec);
        if (!ec) *name = p.string();
    }
}

}  // namespace tiefschacht
