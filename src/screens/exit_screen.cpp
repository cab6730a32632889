// Placeholder until this part of the game is built.
#include "screens/screens.hpp"
void runExitScreen(Game&) {}
