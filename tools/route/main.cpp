// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The route compiler: plays a route (route.hpp) through the level with the
// game's own play code, frame by frame, and writes the input script that
// replays it in the real program: from the title through the main menu,
// the whole level, the won screen and the name entry into the highscore list.
// Usage: route GAME_DIR ROUTE_FILE OUT_SCRIPT [NAME]
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "play/play_state.hpp"
#include "play/update_play.hpp"
#include "route.hpp"
#include "screens/new_game.hpp"
#include "services/app_state.hpp"
#include "services/input.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"

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

// Everything play reads and writes, so the route can look ahead and come back.
struct Snapshot {
    LevelState level;
    PlayState play;
    RandomGenerator rng;
    AppState app;
    InputState input;
    Hero hero;
    std::vector<Enemy> enemies;

    explicit Snapshot(const Game& game)
        : level(::level), play(::play), rng(::rng), app(::app), input(::input), hero(*game.hero) {
        for (const auto& e : game.enemies) enemies.push_back(*e);
    }
    void restore(Game& game) const {
        ::level = level;
        ::play = play;
        ::rng = rng;
        ::app = app;
        ::input = input;
        *game.hero = hero;
        for (size_t i = 0; i < enemies.size(); ++i) *game.enemies[i] = enemies[i];
    }
};

void holdKeys(const std::string& keys) {
    input.keyLeft = keys.find("Left") != std::string::npos;
    input.keyRight = keys.find("Right") != std::string::npos;
    input.keyUp = keys.find("Up") != std::string::npos;
    input.keyDown = keys.find("Down") != std::string::npos;
    input.keySpace = keys.find("Space") != std::string::npos;
}

// How many of the next `horizon` frames the hero survives holding `first`
// for one frame and `then` after it.
// With `keepRow`, leaving the row (a step back over an edge) counts as no
// survival at all.
int survival(Game& game, const std::string& first, const std::string& then, int horizon,
             bool keepRow = false) {
    const Snapshot saved(game);
    const float scroll = level.levelOrigin.y;
    int frames = 0;
    for (; frames < horizon; ++frames) {
        holdKeys(frames == 0 ? first : then);
        updatePlay(game);
        if (play.deathTimer > 0) break;
        if (keepRow && std::abs(level.levelOrigin.y - scroll) > 0.5f) {
            frames = -1;
            break;
        }
    }
    saved.restore(game);
    return frames;
}

bool quantity(const Game& game, const route::Condition& c, int frame, double& v,
              std::string& error) {
    const double x = game.hero->position.x, scroll = level.levelOrigin.y;
    const std::string& q = c.quantity;
    if (q == "x")
        v = x;
    else if (q == "row")
        v = std::trunc((400 - scroll) / 2 + 1.5);
    else if (q == "col")
        v = std::trunc(x / 2 + 11);
    else if (q == "scroll")
        v = scroll;
    else if (q == "jump")
        v = play.jumpCounter;
    else if (q == "water")
        v = play.inWater;
    else if (q == "ladder")
        v = play.onLadder;
    else if (q == "keys")
        v = play.keyCount;
    else if (q == "lives")
        v = play.lives;
    else if (q == "score")
        v = play.score;
    else if (q == "state")
        v = app.gameState;
    else if (q == "frame")
        v = frame;
    else if ((q.rfind("ex", 0) == 0 || q.rfind("ey", 0) == 0 || q.rfind("vx", 0) == 0 ||
              q.rfind("vy", 0) == 0 || q.rfind("d", 0) == 0) &&
             q.size() > 1 && std::isdigit(static_cast<unsigned char>(q.back()))) {
        const size_t digits = q.find_first_of("0123456789");
        const int slot = std::stoi(q.substr(digits));
        if (slot < 0 || slot >= enemySlotCount) {
            error = "no enemy slot " + q.substr(digits);
            return false;
        }
        const Enemy& e = *game.enemies[slot];
        const double dx = e.position.x - x, dy = e.position.y - game.hero->position.y;
        const std::string kind = q.substr(0, digits);
        if (kind == "ex")
            v = dx;
        else if (kind == "ey")
            v = dy;
        else if (kind == "vx")
            v = e.velocityX;
        else if (kind == "vy")
            v = e.velocityY;
        else if (kind == "d")
            v = std::max(std::abs(dx), std::abs(dy));
        else {
            error = "unknown quantity " + q;
            return false;
        }
    } else {
        error = "unknown quantity " + q;
        return false;
    }
    return true;
}

bool holds(const Game& game, const route::Step& step, int frame, bool& result, std::string& error) {
    result = true;
    for (const route::Condition& c : step.until) {
        double v = 0;
        if (!quantity(game, c, frame, v, error)) return false;
        const bool ok = c.op == "<"    ? v < c.value
                        : c.op == "<=" ? v <= c.value
                        : c.op == ">"  ? v > c.value
                        : c.op == ">=" ? v >= c.value
                        : c.op == "==" ? v == c.value
                        : c.op == "!=" ? v != c.value
                                       : false;
        if (c.op != "<" && c.op != "<=" && c.op != ">" && c.op != ">=" && c.op != "==" &&
            c.op != "!=") {
            error = "unknown comparison " + c.op;
            return false;
        }
        result = result && ok;
    }
    return true;
}

std::string joinKeys(const std::vector<std::string>& keys) {
    std::string k;
    for (const std::string& key : keys) {
        if (!k.empty()) k += '+';
        k += key;
    }
    return k.empty() ? std::string("-") : k;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: route GAME_DIR ROUTE_FILE OUT_SCRIPT [NAME]\n");
        return 2;
    }
    const std::string name = argc > 4 ? argv[4] : "SCHACHTHELD";
    // ROUTE_TRACE=1 prints where each step leaves the hero (for writing routes).
    const bool trace = std::getenv("ROUTE_TRACE") != nullptr;
    std::ifstream routeFile(argv[2]);
    std::stringstream text;
    text << routeFile.rdbuf();
    std::vector<route::Step> steps;
    std::string error;
    if (!routeFile || !route::parseRoute(text.str(), steps, error)) {
        std::fprintf(stderr, "route: %s: %s\n", argv[2],
                     routeFile ? error.c_str() : "cannot be read");
        return 1;
    }
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
        const std::string stepKeys = joinKeys(step.keys);
        for (int frame = 0;; ++frame) {
            if (step.frames >= 0) {
                if (frame >= step.frames) break;
            } else {
                bool done = false;
                if (!holds(game, step, frame, done, error)) {
                    std::fprintf(stderr, "route: line %d: %s\n", step.line, error.c_str());
                    return 1;
                }
                if (done) break;
            }
            if (frame > 6000) {
                std::fprintf(
                    stderr, "route: line %d: the condition never holds (hero at x %.2f row %.0f)\n",
                    step.line, game.hero->position.x,
                    std::trunc((400 - level.levelOrigin.y) / 2 + 1.5));
                return 1;
            }
            std::string keys = stepKeys;
            if (step.safely) {
                // Move on when that is safe for a while; else stand still or
                // keep stepping back, whichever keeps the hero safe for longest.
                constexpr int horizon = 40;
                int best = survival(game, stepKeys, stepKeys, horizon);
                std::string back = stepKeys.find("Left") != std::string::npos    ? "Right"
                                   : stepKeys.find("Right") != std::string::npos ? "Left"
                                                                                 : "-";
                for (const std::string& other : {std::string("-"), back}) {
                    if (best >= horizon) break;
                    const int s = survival(game, other, other, horizon, true);
                    if (s > best) {
                        best = s;
                        keys = other;
                    }
                }
            }
            holdKeys(keys);
            updatePlay(game);
            script.keys(keys);
            ++playFrames;
            if (play.deathTimer > 0) {
                std::fprintf(stderr,
                             "route: line %d: the hero is caught in frame %d of the step "
                             "(play frame %ld, x %.2f row %.0f)\n",
                             step.line, frame + 1, playFrames, game.hero->position.x,
                             std::trunc((400 - level.levelOrigin.y) / 2 + 1.5));
                return 1;
            }
            if (app.gameState == StateWon) break;
        }
        if (trace) {
            std::printf(
                "%4d %-40s x %7.2f row %3.0f scroll %8.2f jump %2d water %d ladder %d keys %d "
                "score %d\n",
                step.line, step.text.substr(0, 40).c_str(), game.hero->position.x,
                std::trunc((400 - level.levelOrigin.y) / 2 + 1.5), level.levelOrigin.y,
                play.jumpCounter, play.inWater, play.onLadder, play.keyCount, play.score);
        }
        if (app.gameState == StateWon) break;
    }
    if (app.gameState != StateWon) {
        std::fprintf(stderr,
                     "route: the route ends without the treasure (hero at x %.2f row %.0f)\n",
                     game.hero->position.x, std::trunc((400 - level.levelOrigin.y) / 2 + 1.5));
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
