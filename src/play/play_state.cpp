#include "play/play_state.hpp"

PlayState play;
