// Placeholder until this part of the game is built.
#include "app/program.hpp"
int runProgram(int, char**) { return 0; }
