// Placeholder until this part of the game is built.
#include "app/input_state.hpp"
InputState input;
int initInput() { return 0; }
void pollMouse() {}
void pollKeyboard() {}
void releaseInput() {}
