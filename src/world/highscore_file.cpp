// Placeholder until this part of the game is built.
#include "world/data_tables.hpp"
HighscoreTable highscoreTable;
void readHighscores(const char*) {}
void writeHighscores(const char*) {}
