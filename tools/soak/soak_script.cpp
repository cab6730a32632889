// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "soak/soak_script.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "soak/screen_zones.hpp"
#include "soak/soak_random.hpp"

namespace tiefschacht {

namespace {

// The game moves the cursor this far per mouse count; y counts downwards.
constexpr double unitsPerCount = 0.05;

constexpr std::array<const char*, 26> letters{"A", "B", "C", "D", "E", "F", "G", "H", "I",
                                              "J", "K", "L", "M", "N", "O", "P", "Q", "R",
                                              "S", "T", "U", "V", "W", "X", "Y", "Z"};

class ScriptWriter {
public:
    explicit ScriptWriter(const SoakOptions& options) : rng_(options.seed), options_(options) {}

    std::string write(SoakSummary& summary) {
        const uint64_t total = options_.frames;
        const uint64_t exitFrames = std::min(options_.exitFrames, total / 10);
        text_ = "# Soak input: seed " + std::to_string(options_.seed) + ", " +
                std::to_string(total) + " polls, written by tools/soak.\n";

        // Two polls are kept back to take a pause off before the exit screen.
        end_ = total - exitFrames > 2 ? total - exitFrames - 2 : 0;
        while (summary_.polls < end_) episode();
        end_ = total - exitFrames;
        if (paused_) {
            emit(1, "Pause");
            emit(1, "-");
        }
        emit(end_ - summary_.polls, "-");

        // The exit screen: it has no way back, so it comes last.
        end_ = total;
        onExitScreen_ = true;
        if (summary_.polls < end_) {
            emit(2, "Escape");
            while (summary_.polls < end_) {
                if (rng_.chance(50))
                    wander();
                else
                    emit(static_cast<uint64_t>(rng_.between(1, 30)), "-");
            }
        }
        flush();

        char closing[128];
        std::snprintf(closing, sizeof closing, "# cursor %.2f %.2f\n",
                      static_cast<double>(cursorX_) * unitsPerCount,
                      -static_cast<double>(cursorY_) * unitsPerCount);
        text_ += closing;
        summary_.cursorX = cursorX_;
        summary_.cursorY = cursorY_;
        summary = summary_;
        return std::move(text_);
    }

private:
    void episode() {
        const int64_t pick = rng_.between(0, 99);
        if (pick < 30)
            playBurst();
        else if (pick < 38)
            idle();
        else if (pick < 50)
            startGame();
        else if (pick < 58)
            clickTarget(Target::HighscoreOk);
        else if (pick < 66)
            typeName();
        else if (pick < 70)
            clickTarget(Target::Play);
        else if (pick < 74)
            clickTarget(Target::HighscoreList);
        else if (pick < 75)
            clickTarget(Target::TitleManual);
        else if (pick < 76)
            clickTarget(Target::MenuManual);
        else if (pick < 80)
            pauseAndResume();
        else if (pick < 83)
            masterVolume();
        else
            wander();
    }

    // Random runs of the keys that steer the hero.
    std::string playKeys() {
        std::string keys;
        auto add = [&keys](const char* k) {
            if (!keys.empty()) keys += '+';
            keys += k;
        };
        const int64_t side = rng_.between(0, 99);
        if (side < 40)
            add("Left");
        else if (side < 80)
            add("Right");
        else if (side < 84) {
            add("Left");
            add("Right");
        }
        if (rng_.chance(25)) add("Up");
        if (rng_.chance(20)) add("Down");
        if (rng_.chance(30)) add("Space");
        return keys.empty() ? "-" : keys;
    }

    // Play: walks, mostly to the left, where a new game's hero soon meets
    // the first enemy; short steps to the right (a long walk that way drops
    // him into caves without enemies that random keys rarely leave again);
    // ladders held for long enough to climb them; jumps.
    void playBurst() {
        const int64_t runs = rng_.between(1, 8);
        for (int64_t i = 0; i < runs; ++i) {
            const int64_t kind = rng_.between(0, 99);
            if (kind < 35) {
                emit(count(20, 150), rng_.chance(30) ? "Left+Space" : "Left");
            } else if (kind < 45) {
                emit(count(5, 30), rng_.chance(30) ? "Right+Space" : "Right");
            } else if (kind < 65) {
                emit(count(30, 160), rng_.chance(60) ? "Up" : "Down");
            } else if (kind < 80) {
                emit(count(1, 10), rng_.chance(50) ? "Space" : "Left+Space");
                emit(count(1, 20), rng_.chance(50) ? "Right" : "Left");
            } else {
                emit(count(1, 45), playKeys());
            }
        }
    }

    void idle() { emit(count(1, 120), "-"); }

    // "Spiel starten", and if that started a game, the opening of one: a new
    // game's hero stands between a coin and a snail, so walking about near
    // the start picks up points and loses lives, and a game soon ends.
    void startGame() {
        clickTarget(Target::StartGame);
        if (!rng_.chance(70)) return;
        const int64_t tries = rng_.between(3, 5);
        for (int64_t i = 0; i < tries; ++i) {
            if (rng_.chance(40)) emit(count(10, 30), "Right");
            if (rng_.chance(40)) emit(count(10, 40), rng_.chance(50) ? "Left+Space" : "Space");
            emit(count(20, 120), rng_.chance(20) ? "Left+Space" : "Left");
            emit(count(30, 200), "-");
        }
    }

    // A name of random letters, sometimes corrected, then entered with
    // Enter or with "OK" (or left as it is).
    void typeName() {
        ++summary_.names;
        const int64_t length = rng_.between(1, 16);
        for (int64_t i = 0; i < length; ++i) {
            if (rng_.chance(12)) {
                emit(count(1, 2), "Backspace");
            } else {
                std::string keys = letters[static_cast<size_t>(rng_.between(0, 25))];
                if (rng_.chance(10))
                    keys += std::string("+") + letters[static_cast<size_t>(rng_.between(0, 25))];
                emit(count(1, 2), keys);
            }
            emit(count(1, 2), "-");
        }
        const int64_t finish = rng_.between(0, 99);
        if (finish < 50) {
            emit(count(1, 3), "Enter");
            emit(1, "-");
        } else if (finish < 80) {
            clickTarget(Target::HighscoreOk);
        }
    }

    void pauseAndResume() {
        ++summary_.pauses;
        emit(1, "Pause");
        emit(1, "-");
        const int64_t runs = rng_.between(0, 3);
        for (int64_t i = 0; i < runs; ++i) emit(count(1, 25), rng_.chance(50) ? playKeys() : "-");
        emit(1, "Pause");
        emit(1, "-");
    }

    void masterVolume() {
        const int64_t pick = rng_.between(0, 9);
        const char* keys = pick < 5 ? "PageUp" : pick < 9 ? "PageDown" : "PageUp+PageDown";
        emit(count(1, 40), keys);
    }

    // Aimless motion of the mouse, sometimes with the button held; the button
    // is let go wherever a click could end the run.
    void wander() {
        const int64_t legs = rng_.between(1, 6);
        for (int64_t i = 0; i < legs; ++i) {
            const double x = rng_.unit() * (cursorBox.right - cursorBox.left) + cursorBox.left;
            const double y = rng_.unit() * (cursorBox.top - cursorBox.bottom) + cursorBox.bottom;
            moveTo(x, y, rng_.chance(25), rng_.chance(30) ? playKeys() : "-");
        }
    }

    // Onto a random point of a button, by a detour now and then, and click.
    void clickTarget(Target target) {
        const Zone z = targetZone(target);
        const int64_t detours = rng_.between(0, 2);
        for (int64_t i = 0; i < detours; ++i) {
            const double x = rng_.unit() * (cursorBox.right - cursorBox.left) + cursorBox.left;
            const double y = rng_.unit() * (cursorBox.top - cursorBox.bottom) + cursorBox.bottom;
            moveTo(x, y, false, rng_.chance(40) ? playKeys() : "-");
        }
        const double x = rng_.unit() * (z.right - z.left) + z.left;
        const double y = rng_.unit() * (z.top - z.bottom) + z.bottom;
        moveTo(x, y, false, rng_.chance(30) ? playKeys() : "-");
        if (z.contains(static_cast<float>(cursorX_ * unitsPerCount),
                       static_cast<float>(-cursorY_ * unitsPerCount)))
            ++summary_.targetedClicks;
        emit(count(1, 3), "-", 0, 0, true);
        emit(count(1, 4), "-");
    }

    // Moves the cursor in even steps to a point (world units) inside the box.
    void moveTo(double x, double y, bool button, const std::string& keys) {
        const int64_t tx = std::llround(x / unitsPerCount);
        const int64_t ty = std::llround(-y / unitsPerCount);
        const int64_t steps = rng_.between(1, 12);
        const int64_t dx = (tx - cursorX_) / steps;
        const int64_t dy = (ty - cursorY_) / steps;
        emit(static_cast<uint64_t>(steps), keys, dx, dy, button);
        const int64_t rx = tx - cursorX_, ry = ty - cursorY_;
        if (rx != 0 || ry != 0) emit(1, keys, rx, ry, button);
    }

    uint64_t count(int64_t lo, int64_t hi) { return static_cast<uint64_t>(rng_.between(lo, hi)); }

    static bool insideBox(int64_t cx, int64_t cy) {
        const double x = static_cast<double>(cx) * unitsPerCount;
        const double y = -static_cast<double>(cy) * unitsPerCount;
        return x >= cursorBox.left && x <= cursorBox.right && y >= cursorBox.bottom &&
               y <= cursorBox.top;
    }

    bool forbidden(int64_t cx, int64_t cy) const {
        const auto x = static_cast<float>(static_cast<double>(cx) * unitsPerCount);
        const auto y = static_cast<float>(-static_cast<double>(cy) * unitsPerCount);
        return onExitScreen_ ? forbiddenOnExitScreen(x, y) : forbiddenBeforeExit(x, y);
    }

    // Appends polls, cut at the end of the current phase. Each poll moves the
    // cursor by (dx, dy); a move that would leave the box is made as no move,
    // and the button is let go for the whole run of polls if any of them
    // would hold it over a button that could end the run.
    void emit(uint64_t polls, const std::string& keys, int64_t dx = 0, int64_t dy = 0,
              bool button = false) {
        polls = std::min(polls, end_ - std::min(end_, summary_.polls));
        if (polls == 0) return;
        const int64_t n = static_cast<int64_t>(polls);
        if (!insideBox(cursorX_ + dx * n, cursorY_ + dy * n)) dx = dy = 0;
        if (button) {
            for (int64_t i = 1; i <= n && button; ++i)
                if (forbidden(cursorX_ + dx * i, cursorY_ + dy * i)) button = false;
        }
        // Pause acts once per press: on the first poll that finds it down.
        const bool pause = keys.find("Pause") != std::string::npos;
        if (pause && !pauseHeld_) paused_ = !paused_;
        pauseHeld_ = pause;
        if (button && !buttonHeld_) ++summary_.clicks;
        buttonHeld_ = button;

        cursorX_ += dx * n;
        cursorY_ += dy * n;
        summary_.polls += polls;

        if (pending_.count > 0 && pending_.keys == keys && pending_.dx == dx && pending_.dy == dy &&
            pending_.button == button) {
            pending_.count += polls;
            return;
        }
        flush();
        pending_ = {polls, keys, dx, dy, button};
    }

    void flush() {
        if (pending_.count == 0) return;
        text_ += std::to_string(pending_.count) + ' ' + pending_.keys;
        if (pending_.dx != 0 || pending_.dy != 0 || pending_.button) {
            text_ += ' ' + std::to_string(pending_.dx) + ' ' + std::to_string(pending_.dy);
            if (pending_.button) text_ += " L";
        }
        text_ += '\n';
        ++summary_.lines;
        pending_ = {};
    }

    struct Line {
        uint64_t count = 0;
        std::string keys;
        int64_t dx = 0, dy = 0;
        bool button = false;
    };

    SoakRandom rng_;
    SoakOptions options_;
    SoakSummary summary_;
    std::string text_;
    Line pending_;
    uint64_t end_ = 0;
    int64_t cursorX_ = 0, cursorY_ = 0;  // mouse counts from the centre
    bool paused_ = false, pauseHeld_ = false, buttonHeld_ = false;
    bool onExitScreen_ = false;
};

}  // namespace

std::string writeSoakScript(const SoakOptions& options, SoakSummary* summary) {
    SoakSummary local;
    std::string text = ScriptWriter(options).write(local);
    if (summary) *summary = local;
    return text;
}

}  // namespace tiefschacht
