// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/run_outputs.hpp"

#include <string>

#include "platform/file_access.hpp"
#include "platform/picture_files.hpp"
#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "shell/command_line.hpp"
#include "shell/input_recorder.hpp"

namespace tiefschacht {

namespace {

bool writeOutput(const std::string& path, const std::string& bytes) {
    std::string error;
    if (writeWholeFile(path, bytes, error)) return true;
    warn(path + ": " + error);
    return false;
}

// The last presented frame as PNG, or BMP for a name ending in .bmp.
bool writeScreenshot(const std::string& path) {
    const VideoOutput* video = platformLayer.video.get();
    if (!video || video->lastFrame().empty()) {
        warn(path + ": no frame was presented, so there is no screenshot");
        return false;
    }
    if (!platformLayer.images) {
        warn(path + ": no image writer");
        return false;
    }
    DecodedImage image;
    image.width = video->lastFrameWidth();
    image.height = video->lastFrameHeight();
    image.argb = video->lastFrame();
    std::string error;
    if (writePictureFile(*platformLayer.images, path, image, error)) return true;
    warn(path + ": " + error);
    return false;
}

}  // namespace

int writeRunOutputs(const CommandLine& cl, const std::string& dump) {
    int exitCode = 0;
    if (!cl.dumpFile.empty() && !writeOutput(cl.dumpFile, dump)) exitCode = 1;
    if (!cl.recordFile.empty() && !writeOutput(cl.recordFile, recording.recorder.text()))
        exitCode = 1;
    if (!cl.screenshotFile.empty() && !writeScreenshot(cl.screenshotFile)) exitCode = 1;
    return exitCode;
}

}  // namespace tiefschacht
