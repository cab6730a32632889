// Placeholder until this part of the game is built.
#include "screens/buttons.hpp"
bool buttonHit(const Game&, int) { return false; }
void drawButton(World&, Button&) {}
void drawCursor(World&, const Vec3&) {}
