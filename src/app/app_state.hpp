#pragma once
// The shell's own process-wide state: the screen selector, pause, the frame
// clock, and what a run has done (for the state dump).
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/input_recorder.hpp"

class Game;

enum GameStateValue : int32_t {
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
    int32_t gameState = StateStarting;
    int32_t paused = 0;
    uint32_t frameStartTick = 0;
    uint64_t frames = 0;             // frames run so far
    bool windowDestroyed = false;    // the close request has destroyed the window
    bool quitPosted = false;         // the quit message is waiting in the queue
    bool closeRequested = false;     // the close request was sent (by a screen or the desktop)
    // Every gameState value in the order first entered, starting with the
    // value the run starts in (StateStarting).
    std::vector<int32_t> statesVisited{StateStarting};
    bool recording = false;          // --record: runFrame hands each poll to `recorder`
    InputRecorder recorder;
};

extern AppState app;

// The one Game, from the end of start-up to the first step of shut-down.
extern std::unique_ptr<Game> theGame;

// Sets gameState (the screens and play call this, so the state dump can list
// the states visited).
void setGameState(int32_t value);

// Sends the close request to the main window: it is destroyed at once and the
// quit message is posted; the frame that sent it still finishes, and the
// message loop ends at its next pass. A second request changes nothing.
void requestClose();

// The start-up and shut-down sequences and one frame of the loop.
void startUp();
void shutDown();
void runFrame();
void renderFrame();
void dispatchState(Game& game);

// Ends the program after shutDown because a file cannot be used: prints
// "tiefschacht: <file>: <reason>" on stderr and exits with code 1.
[[noreturn]] void failOnFile(const char* file, const char* reason);

// Ends the program after shutDown because start-up cannot go on (no
// graphics device, no typeface): prints "tiefschacht: <reason>" on stderr
// and exits with code 1.
[[noreturn]] void failOnStartUp(const std::string& reason);
