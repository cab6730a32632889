// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/presentation_choice.hpp"

#include <algorithm>
#include <array>
#include <cctype>

namespace tiefschacht {

namespace {
bool containsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) ==
                      std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}
}  // namespace

bool gpuDevicePresent(const std::filesystem::path& devices) {
    namespace fs = std::filesystem;
    const auto holdsNode = [](const fs::path& folder, std::string_view prefix) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            if (it->path().filename().string().rfind(prefix, 0) == 0) return true;
        }
        return false;
    };
    return holdsNode(devices / "dri", "card") || holdsNode(devices / "dri", "renderD") ||
           holdsNode(devices, "nvidia");
}

bool softwareOpenGl(std::string_view glRenderer) {
    constexpr std::array<std::string_view, 4> rasterisers = {"llvmpipe", "softpipe", "swrast",
                                                             "software rasterizer"};
    return std::any_of(rasterisers.begin(), rasterisers.end(),
                       [&](std::string_view r) { return containsIgnoringCase(glRenderer, r); });
}

PresentationKind choosePresentation(std::string_view rendererName, std::string_view glRenderer) {
    if (rendererName.empty() || rendererName == "software") return PresentationKind::Software;
    // An OpenGL renderer on a software rasteriser; one whose rasteriser is
    // unknown is taken to be the GPU's.
    if (rendererName.substr(0, 6) == "opengl" && softwareOpenGl(glRenderer))
        return PresentationKind::Software;
    return PresentationKind::Accelerated;
}

}  // namespace tiefschacht
