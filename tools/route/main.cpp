// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The route compiler: plays a route (route.hpp) through the level with the
// game's own play code, frame by frame, and writes the input script that
// replays it in the real program: from the title through the main menu,
// the whole level, the won screen and the name entry into the highscore list.
// With --jump-windows it prints instead how many frames each jump of the
// route may be started in (jump_windows.hpp), and fails when a jump is
// narrower than its zone allows.
// Usage: route GAME_DIR ROUTE_FILE OUT_SCRIPT [NAME]
//        route --jump-windows GAME_DIR ROUTE_FILE
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "jump_windows.hpp"
#include "play/play_state.hpp"
#include "route.hpp"
#include "route_player.hpp"
#include "screens/new_game.hpp"
#include "services/app_state.hpp"
#include "world/game.hpp"
#include "world/level.hpp"

using namespace tiefschacht;

namespace {

// World units the cursor moves per mouse count.
constexpr double cursorUnit = 0.05;

struct ScriptWriter {
    std::ostringstream out;
    std::string lastKeys;
    int run = 0;
    long polls = 0;

    void flush() {
        if (run > 0) out << run << ' ' << lastKeys << '\n';
        run = 0;
    }
    // One poll of held keys, merged with the polls before it when equal.
    void keys(const std::string& k) {
        if (k != lastKeys) {
            flush();
            lastKeys = k;
        }
        ++run;
        ++polls;
    }
    // A line of its own (mouse moves and clicks).
    void line(const std::string& text, int count = 1) {
        flush();
        lastKeys.clear();
        out << count << ' ' << text << '\n';
        polls += count;
    }
    void comment(const std::string& text) {
        flush();
        lastKeys.clear();
        out << "# " << text << '\n';
    }
};

// Mouse counts that move the cursor from one menu-plane point to another.
std::string moveCursor(double fromX, double fromY, double toX, double toY) {
    const long dx = std::lround((toX - fromX) / cursorUnit);
    const long dy = std::lround(-(toY - fromY) / cursorUnit);
    return "- " + std::to_string(dx) + " " + std::to_string(dy);
}

// A point just inside a button's hit rectangle, whose top-left corner is
// the projected centre of the left piece.
void insideButton(const Game& game, int slot, double& x, double& y) {
    x = game.buttons[slot]->position->x + 1.0;
    y = game.buttons[slot]->position->y - 1.0;
}

bool readRoute(const char* path, std::vector<route::Step>& steps) {
    std::ifstream routeFile(path);
    std::stringstream text;
    text << routeFile.rdbuf();
    std::string error;
    if (!routeFile || !route::parseRoute(text.str(), steps, error)) {
        std::fprintf(stderr, "route: %s: %s\n", path, routeFile ? error.c_str() : "cannot be read");
        return false;
    }
    return true;
}

int reportJumpWindows(const char* gameDir, const char* routePath) {
    std::vector<route::Step> steps;
    if (!readRoute(routePath, steps)) return 1;
    std::filesystem::current_path(gameDir);
    Game game;
    startNewGame(game);
    app.gameState = StatePlaying;
    std::vector<route::JumpWindow> windows;
    std::string error;
    if (!route::measureJumpWindows(game, steps, windows, error)) {
        std::fprintf(stderr, "route: %s: %s\n", routePath, error.c_str());
        return 1;
    }
    std::printf(
        "Frames in which each jump of %s can be started (0: the route's own\n"
        "take-off; '+': the search stopped at the run-up's start or its limit)\n",
        routePath);
    const int narrow = route::printJumpWindows(windows, stdout);
    if (narrow > 0) {
        std::fprintf(stderr, "route: %d jump(s) narrower than their zone allows\n", narrow);
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--jump-windows")
        return reportJumpWindows(argv[2], argv[3]);
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: route GAME_DIR ROUTE_FILE OUT_SCRIPT [NAME]\n"
                     "       route --jump-windows GAME_DIR ROUTE_FILE\n");
        return 2;
    }
    const std::string name = argc > 4 ? argv[4] : "SCHACHTHELD";
    // ROUTE_TRACE=1 prints where each step leaves the hero (for writing routes).
    const bool trace = std::getenv("ROUTE_TRACE") != nullptr;
    std::vector<route::Step> steps;
    if (!readRoute(argv[2], steps)) return 1;
    const std::string outPath = std::filesystem::absolute(argv[3]).string();
    std::filesystem::current_path(argv[1]);

    Game game;  // reads the data files and draws the start-up random numbers, as the program does
    ScriptWriter script;
    double cx = 0, cy = 0, tx = 0, ty = 0;

    script.comment("The title: \"Spielen\"");
    insideButton(game, 0, tx, ty);
    script.line(moveCursor(cx, cy, tx, ty));
    cx = tx, cy = ty;
    script.line("- 0 0", 2);
    script.line("- 0 0 L");
    script.comment("The main menu: \"Spiel starten\"");
    script.line("- 0 0", 4);
    insideButton(game, 5, tx, ty);
    script.line(moveCursor(cx, cy, tx, ty));
    cx = tx, cy = ty;
    script.line("- 0 0", 2);
    script.line("- 0 0 L");

    // The click's frame starts the game; play begins with the next poll.
    startNewGame(game);
    app.gameState = StatePlaying;
    long playFrames = 0;
    for (const route::Step& step : steps) {
        script.comment(step.text);
        const route::StepOutcome outcome =
            route::playStep(game, step, 6001, [&](const std::string& keys) {
                script.keys(keys);
                ++playFrames;
            });
        if (outcome.end == route::StepEnd::BadCondition) {
            std::fprintf(stderr, "route: line %d: %s\n", step.line, outcome.error.c_str());
            return 1;
        }
        if (outcome.end == route::StepEnd::NeverHolds) {
            std::fprintf(stderr,
                         "route: line %d: the condition never holds (hero at x %.2f row %d)\n",
                         step.line, game.hero->position.x, route::heroRow());
            return 1;
        }
        if (outcome.end == route::StepEnd::Caught) {
            std::fprintf(stderr,
                         "route: line %d: the hero is caught in frame %d of the step "
                         "(play frame %ld, x %.2f row %d)\n",
                         step.line, outcome.frames, playFrames, game.hero->position.x,
                         route::heroRow());
            return 1;
        }
        if (trace) {
            std::printf(
                "%4d %-40s x %7.2f row %3d scroll %8.2f jump %2d water %d ladder %d keys %d "
                "score %d\n",
                step.line, step.text.substr(0, 40).c_str(), game.hero->position.x, route::heroRow(),
                level.levelOrigin.y, play.jumpCounter, play.inWater, play.onLadder, play.keyCount,
                play.score);
        }
        if (outcome.end == route::StepEnd::Won) break;
    }
    if (app.gameState != StateWon) {
        std::fprintf(stderr,
                     "route: the route ends without the treasure (hero at x %.2f row %.0f)\n",
                     game.hero->position.x, static_cast<double>(route::heroRow()));
        return 1;
    }
    const int score = play.score;

    script.comment("Won: \"Spiel beenden\" leads to the highscore list");
    insideButton(game, 7, tx, ty);
    script.line(moveCursor(cx, cy, tx, ty));
    cx = tx, cy = ty;
    script.line("- 0 0", 2);
    script.line("- 0 0 L");
    script.line("- 0 0", 3);
    script.comment("The name, letter by letter, then Enter");
    for (char c : name) {
        script.line(std::string(1, c));
        script.line("- 0 0");
    }
    script.line("Enter");
    script.line("- 0 0", 3);
    script.comment("\"OK\" returns to the main menu");
    insideButton(game, 8, tx, ty);
    script.line(moveCursor(cx, cy, tx, ty));
    script.line("- 0 0", 2);
    script.line("- 0 0 L");
    script.line("- 0 0", 10);
    script.flush();

    std::ofstream out(outPath);
    out << "# The winning run, written by tools/route from tests/e2e/winning_route.txt:\n"
        << "# title, main menu, the whole level, the won screen, the name into the list.\n"
        << "# score " << score << "\n# name " << name << "\n# polls " << script.polls << "\n"
        << "# play frames " << playFrames << "\n"
        << script.out.str();
    if (!out) {
        std::fprintf(stderr, "route: cannot write %s\n", outPath.c_str());
        return 1;
    }
    std::printf("route: won after %ld play frames with %d points; %ld polls in %s\n", playFrames,
                score, script.polls, outPath.c_str());
    return 0;
}
