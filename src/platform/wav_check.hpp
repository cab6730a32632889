#pragma once
// Whether a file is a WAV file the game can play: a RIFF/WAVE file with a
// plausible PCM or float format chunk and a data chunk.
#include <string>

bool isReadableWav(const std::string& path);
