// Placeholder until this part of the game is built.
#include "play/update_play.hpp"
#include "play/play_state.hpp"
PlayState play;
void updatePlay(Game&) {}
void scrollWorld(Game&, float) {}
void moveHeroX(Game&, float) {}
