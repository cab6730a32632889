// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// soak: writes a seeded random input script for long headless runs.
//   soak --seed 7 --frames 1000000 --out soak.txt
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

#include <CLI/CLI.hpp>

#include "soak/soak_script.hpp"

using namespace tiefschacht;

int main(int argc, char** argv) {
    CLI::App cli{"Writes a seeded random input script that drives the game for a number of frames"};
    SoakOptions options;
    std::string out;
    cli.add_option("--seed", options.seed, "seed of the random input")->default_val(1);
    cli.add_option("--frames", options.frames, "polls the script feeds")->default_val(50000);
    cli.add_option("--exit-frames", options.exitFrames,
                   "last frames spent on the exit screen (at most a tenth of the run)")
        ->default_val(400);
    cli.add_option("--out", out, "script file (standard output when left out)");
    CLI11_PARSE(cli, argc, argv);

    SoakSummary summary;
    const std::string text = writeSoakScript(options, &summary);
    if (out.empty()) {
        std::cout << text;
    } else {
        std::ofstream file(out, std::ios::binary);
        file << text;
        if (!file) {
            std::cerr << "soak: cannot write " << out << "\n";
            return 1;
        }
    }
    std::fprintf(
        stderr,
        "soak: %llu polls in %llu lines, %llu clicks (%llu on buttons), %llu pauses, %llu names\n",
        static_cast<unsigned long long>(summary.polls),
        static_cast<unsigned long long>(summary.lines),
        static_cast<unsigned long long>(summary.clicks),
        static_cast<unsigned long long>(summary.targetedClicks),
        static_cast<unsigned long long>(summary.pauses),
        static_cast<unsigned long long>(summary.names));
    return 0;
}
