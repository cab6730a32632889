#pragma once
class Game;

void runTitleScreen(Game& game);
void runExitScreen(Game& game);
void runMainMenu(Game& game);
void runWonScreen(Game& game);
// The new-game reset of "Spiel starten".
void startNewGame(Game& game);
// The manual as a file:// address of the absolute path of Data/Spielanleitung.htm.
void openManual();
// The maker's web site, then the close request.
void openWebSiteAndClose();
