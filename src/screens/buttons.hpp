#pragma once
#include "platform/math3d.hpp"

class Game;
class World;
struct Button;

// True when the cursor lies strictly inside the button's screen rectangle.
bool buttonHit(const Game& game, int index);
// Draws the pieces and the label of a button and writes its screenRect.
void drawButton(World& world, Button& button);
void drawCursor(World& world, const Vec3& position);
