// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/run_outputs.hpp"

#include <sys/stat.h>

#include <array>
#include <climits>
#include <cstdlib>
#include <string>

#include "platform/file_access.hpp"
#include "platform/picture_files.hpp"
#include "platform/platform_layer.hpp"
#include "services/app_state.hpp"
#include "services/file_writing.hpp"
#include "shell/command_line.hpp"
#include "shell/input_recorder.hpp"

namespace tiefschacht {

namespace {

// Writes an output the way the game writes its own files when it names a
// regular file or nothing yet: a new version beside the old one, renamed
// over it, so a full disk or a killed run never costs what was there. A
// link is followed to the file it names. A device or a FIFO (/dev/stdout
// into a pipe, say) is written into directly.
bool writeOutput(const std::string& path, const std::string& bytes) {
    std::string target = path;
    struct stat found {};
    bool present = lstat(path.c_str(), &found) == 0;
    if (present && S_ISLNK(found.st_mode)) {
        std::array<char, PATH_MAX> resolved{};
        if (realpath(path.c_str(), resolved.data()) != nullptr) {
            target = resolved.data();
            present = lstat(target.c_str(), &found) == 0;
        } else {
            present = false;
            found.st_mode = 0;
            target.clear();  // a link to nothing, or to no file: written through
        }
    }
    std::string error;
    const bool replaced = !target.empty() && (!present || S_ISREG(found.st_mode));
    if (replaced ? replaceFile(target, bytes, error) : writeWholeFile(path, bytes, error))
        return true;
    warn(path + ": " + error +
         (replaced && present ? "; the file that was there is kept as it was" : ""));
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
    std::string bytes, error;
    if (encodePictureFile(*platformLayer.images, path, image, bytes, error))
        return writeOutput(path, bytes);
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
