// Placeholder until this part of the game is built.
#include "play/update_play.hpp"
void runDying(Game&) {}
