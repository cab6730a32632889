// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Data/Resolutions.txt: the display mode, the back-buffer count and windowed or not.
#include <algorithm>

#include "fuzz_support.hpp"
#include "services/settings.hpp"

using namespace tiefschacht;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz::OneInput input(resolutionsFile, data, size);
    readResolutions();
    // The window is opened at one of the four modes, whatever the file says.
    FUZZ_CHECK(std::any_of(displayModes.begin(), displayModes.end(), [](const DisplayModeEntry& m) {
        return m.width == settings.screenWidth && m.height == settings.screenHeight &&
               m.colourDepth == settings.colourDepth;
    }));
    FUZZ_CHECK(settings.fullScreen == 0 || settings.fullScreen == 1);
    return 0;
}
