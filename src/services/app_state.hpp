// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The application's own process-wide state: the screen selector, pause, the
// frame count, the close request, and how the program ends when a file or
// the start-up fails.
#include <cstdint>
#include <string>
#include <vector>

namespace tiefschacht {

// The screen selector. The values are the numbers the state dump and the
// dispatcher's order have always used.
enum GameState : int32_t {
    StateInitFailed = -1000,
    StateStarting = -1,
    StateTitle = 0,
    StateExit = 1,
    StateHighscore = 10,
    StateWon = 25,
    StateMainMenu = 50,
    StatePlaying = 100,
};

struct AppState {
    GameState gameState = StateStarting;
    bool paused = false;
    uint32_t frameStartTick = 0;
    uint64_t frames = 0;           // frames run so far
    bool windowDestroyed = false;  // the close request has destroyed the window
    bool quitPosted = false;       // the quit message is waiting in the queue
    bool closeRequested = false;   // the close request was sent (by a screen or the desktop)
    // Every gameState value in the order first entered, starting with the
    // value the run starts in (StateStarting).
    std::vector<GameState> statesVisited{StateStarting};
    // Run before the program ends on a failure: the program registers its
    // shut-down here, so that the layers below it can end the program
    // without knowing what it holds.
    void (*beforeFailureExit)() = nullptr;
    // A failure the game played on after was reported (a list that could
    // not be saved): the program then ends with exit code 1.
    bool failureReported = false;
    // A benchmark run (--timedemo): a score entered goes into the list on
    // screen only, and the player's list file is left as it was.
    bool listInMemoryOnly = false;
    // The warnings about files given so far ("<file>: <what>"): a file read
    // again (the enemy file at every new game) is named once, not each time.
    std::vector<std::string> fileWarningsGiven;
};

extern AppState app;

// Sets gameState (the screens and play call this, so the state dump can list
// the states visited).
void setGameState(GameState value);

// Sends the close request to the main window: it is destroyed at once and the
// quit message is posted; the frame that sent it still finishes, and the
// message loop ends at its next pass. A second request changes nothing.
void requestClose();

// Prints "tiefschacht: <message>" on stderr at once; the game goes on.
void warn(const std::string& message);

// The same for a failure the game plays on after but must not hide: the
// program's exit code at its normal end is then 1.
void reportFailure(const std::string& message);

// Ends the program because a file cannot be used: runs beforeFailureExit,
// prints "tiefschacht: <file>: <reason>" on stderr and exits with code 1.
[[noreturn]] void failOnFile(const char* file, const char* reason);

// Reports a file the game goes on without, or with only part of what it
// holds: prints "tiefschacht: <file>: <what>" on stderr, once per process
// for the same file and fault.
void warnAboutFile(const std::string& file, const std::string& what);

// Ends the program because start-up cannot go on (no graphics device, no
// typeface): runs beforeFailureExit, prints "tiefschacht: <reason>" on stderr
// and exits with code 1.
[[noreturn]] void failOnStartUp(const std::string& reason);

}  // namespace tiefschacht
