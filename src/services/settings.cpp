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
    reader.readDecimal(mode);
    const DisplayModeEntry& m =
        (mode >= 1 && mode <= 4) ? displayModes[static_cast<size_t>(mode - 1)] : displayModes[0];
    settings.screenWidth = m.width;
    settings.screenHeight = m.height;
    settings.colourDepth = m.colourDepth;

    reader.readLabelledDecimal(settings.backBufferCount);

    skipWords(reader, 1);
    int32_t windowed = -1;
    if (reader.readDecimal(windowed)) {
        if (windowed == 0)
            settings.fullScreen = 0;
        else if (windowed == 1)
            settings.fullScreen = 1;
    }
    warnAboutProblem(reader, file.path.c_str());
}

void readRenderingOptions() {
    Configuration file(renderingOptionsFile);
    TokenReader& reader = file.reader;
    skipWords(reader, 5);
    reader.readDecimal(settings.vertexProcessingMode);
    reader.readLabelledDecimal(settings.frameCapMode);
    reader.readLabelledFloat(settings.frameCap);
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
