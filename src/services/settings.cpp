// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "services/settings.hpp"

#include <cmath>
#include <limits>
#include <string>

#include "services/app_state.hpp"
#include "services/camera.hpp"
#include "services/game_paths.hpp"
#include "services/graphics.hpp"
#include "services/token_reader.hpp"

namespace tiefschacht {

Settings settings;

namespace {
// A configuration file: the player's own copy when the player's folder holds
// one, else the shipped one. Its problems name the file that was read.
struct Configuration {
    explicit Configuration(const char* name) : path(configurationFile(name)) {
        openDataFile(reader, path.c_str());
    }
    const std::string path;
    TokenReader reader;
};

void skipWords(TokenReader& reader, int count) {
    for (int i = 0; i < count; ++i) reader.skipWord();
}
}  // namespace

void readResolutions() {
    Configuration file(resolutionsFile);
    TokenReader& reader = file.reader;
    skipWords(reader, 6);
    int32_t mode = 0;  // a missing mode counts as an unknown one
    if (reader.readDecimal(mode) && (mode < 1 || mode > static_cast<int32_t>(displayModes.size())))
        reader.noteProblemAtLastNumber("the display mode " + std::string(reader.lastNumber()) +
                                       " is none of 1 to 4; it is taken as 1 (800 x 600)");
    const DisplayModeEntry& m =
        (mode >= 1 && mode <= 4) ? displayModes[static_cast<size_t>(mode - 1)] : displayModes[0];
    settings.screenWidth = m.width;
    settings.screenHeight = m.height;
    settings.colourDepth = m.colourDepth;

    if (reader.readLabelledDecimal(settings.backBufferCount) &&
        (settings.backBufferCount < 0 || settings.backBufferCount > mostBackBuffers)) {
        const int32_t taken = settings.backBufferCount < 0 ? 0 : mostBackBuffers;
        reader.noteProblemAtLastNumber(
            "a back-buffer count of " + std::string(reader.lastNumber()) + " is outside 0 to " +
            std::to_string(mostBackBuffers) + "; it is taken as " + std::to_string(taken));
        settings.backBufferCount = taken;
    }

    skipWords(reader, 1);
    int32_t windowed = -1;
    if (reader.readDecimal(windowed)) {
        if (windowed == 0)
            settings.fullScreen = 0;
        else if (windowed == 1)
            settings.fullScreen = 1;
        else
            reader.noteProblemAtLastNumber(
                "the window setting " + std::string(reader.lastNumber()) +
                " is neither 0 (window) nor 1 (full screen); it stays " +
                (settings.fullScreen != 0 ? "1 (full screen)" : "0 (window)"));
    }
    warnAboutProblem(reader, file.path.c_str());
}

void readRenderingOptions() {
    Configuration file(renderingOptionsFile);
    TokenReader& reader = file.reader;
    skipWords(reader, 5);
    reader.readDecimal(settings.vertexProcessingMode);
    reader.readLabelledDecimal(settings.frameCapMode);
    if (reader.readLabelledFloat(settings.frameCap) && std::isfinite(settings.frameCap) &&
        settings.frameCap > 0.0f && settings.frameCap < lowestFrameRate) {
        // A frame would wait longer than a second, or for ever.
        reader.noteProblemAtLastNumber("a frame rate of " + std::string(reader.lastNumber()) +
                                       " is below the lowest of 1 frame per second; it is "
                                       "taken as 1");
        settings.frameCap = lowestFrameRate;
    }
    // Computed whether or not the rate could be read; a rate of 0 gives an
    // infinite frame time, which the frame cap treats as no cap.
    settings.minFrameTime = settings.frameCap != 0.0f ? 1000.0f / settings.frameCap
                                                      : std::numeric_limits<float>::infinity();
    skipWords(reader, 1);
    float unused = 0.0f;
    reader.readFloat(unused);
    warnAboutProblem(reader, file.path.c_str());
}

void readGameSettings() {
    Configuration file(gameSettingsFile);
    TokenReader& reader = file.reader;
    skipWords(reader, 1);
    // The far clipping distance: anything but a finite distance beyond the
    // near plane would leave nothing to see.
    float distance = settings.viewDistance;
    if (reader.readFloat(distance)) {
        if (std::isfinite(distance) && distance > cameraNearPlane) {
            settings.viewDistance = distance;
        } else {
            reader.noteProblemAtLastNumber(
                "a view distance of " + std::string(reader.lastNumber()) +
                " is no finite distance beyond the near plane (" +
                std::to_string(static_cast<int>(cameraNearPlane)) + "); it stays " +
                std::to_string(static_cast<int>(settings.viewDistance)));
        }
    }
    warnAboutProblem(reader, file.path.c_str());
}

}  // namespace tiefschacht
