// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The title, exit, main-menu and won screens, the new-game reset and the
// actions that leave the game (the manual, the web site, closing).
#include <string>

namespace tiefschacht {

class Game;

// Depth of the full-screen background pictures: a 2 x 2 quad there spans
// the width of a 4:3 screen.
constexpr float backgroundDepth = 1.809f;

constexpr const char* manualPath = "Data/Spielanleitung.htm";

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

// http:// followed by the web-site host.
std::string webSiteAddress();
// A file:// address for an absolute path, with every byte that may not stand
// in a URL path percent-encoded.
std::string fileAddress(const std::string& absolutePath);

}  // namespace tiefschacht
