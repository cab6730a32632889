// Placeholder until this part of the game is built.
#include "app/sound.hpp"
SoundSystem sound;
void initSound() {}
void set3DParameters(float, float, float, float) {}
void startTitleMusic() {}
void stopTitleMusic() {}
void playSound(SoundSegment*) {}
void setMasterVolume(int32_t) {}
float gainForVolume(int32_t) { return 1.0f; }
void releaseSound() {}
