#pragma once
// The settings read from the three configuration files, with the values they
// have before and without the files.
#include <cstdint>

struct Settings {
    int32_t screenWidth = 0;
    int32_t screenHeight = 0;
    int32_t colourDepth = 0;
    int32_t backBufferCount = 0;
    int32_t fullScreen = 1;
    int32_t vertexProcessingMode = 0;
    int32_t frameCapMode = 0;
    float frameCap = 0.0f;
    float minFrameTime = 0.0f;
    float viewDistance = 1000.0f;
};

extern Settings settings;

// Each reader opens its file relative to the working directory. A file that
// cannot be opened runs shutDown and ends the program (exit code 1, with a
// message naming the file).
void readResolutions();
void readRenderingOptions();
void readGameSettings();
