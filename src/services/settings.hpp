// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The settings read from the three configuration files, with the values they
// have before and without the files.
#include <array>
#include <cstdint>

namespace tiefschacht {

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

struct DisplayModeEntry {
    int32_t width;
    int32_t height;
    int32_t colourDepth;
};

// Display modes 1 to 4 of Data/Resolutions.txt; any other mode is the first.
inline constexpr std::array<DisplayModeEntry, 4> displayModes{{
    {800, 600, 16},
    {800, 600, 32},
    {1024, 768, 16},
    {1024, 768, 32},
}};

// The most back buffers a device takes; a count outside 0 to this one is
// taken as the nearest of them.
inline constexpr int32_t mostBackBuffers = 3;

// The lowest frame rate the cap takes: no frame waits longer than a second.
// A lower positive rate is taken as this one (0, a negative rate, NaN and
// infinity turn the cap off).
inline constexpr float lowestFrameRate = 1.0f;

inline constexpr const char* resolutionsFile = "Data/Resolutions.txt";
inline constexpr const char* renderingOptionsFile = "Data/RenderingAndMore.txt";
inline constexpr const char* gameSettingsFile = "Data/SpielEinstellungen.txt";

// Each reader opens its file relative to the working directory (the data
// tree), or the player's own copy of it (see configurationFile). A file that
// cannot be opened runs shutDown and ends the program (exit code 1, with a
// message naming the file). Descriptive words are read and thrown away; a
// value that is missing or malformed leaves its setting as it was.
void readResolutions();
void readRenderingOptions();
void readGameSettings();

}  // namespace tiefschacht
