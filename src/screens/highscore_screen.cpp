// Placeholder until this part of the game is built.
#include "screens/highscore_screen.hpp"
void runHighscoreScreen(Game&) {}
void insertHighscore(Game&) {}
void drawHighscoreScreen(Game&) {}
