// Placeholder until this part of the game is built.
#include "app/settings.hpp"
Settings settings;
void readResolutions() {}
void readRenderingOptions() {}
void readGameSettings() {}
