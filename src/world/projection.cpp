// Placeholder until this part of the game is built.
#include "world/projection.hpp"
ScreenPoint projectToScreen(const Vec3&) { return {}; }
