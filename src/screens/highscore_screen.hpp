#pragma once
class Game;

void runHighscoreScreen(Game& game);
// Enters score and name into the list, clears score, writes the file.
void insertHighscore(Game& game);
void drawHighscoreScreen(Game& game);
