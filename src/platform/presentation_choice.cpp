#include "platform/presentation_choice.hpp"

#include <algorithm>
#include <array>
#include <cctype>

namespace {
bool containsIgnoringCase(std::string_view text, std::string_view word) {
    return std::search(text.begin(), text.end(), word.begin(), word.end(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           }) != text.end();
}
}  // namespace

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
    if (rendererName.substr(0, 6) == "opengl" && softwareOpenGl(glRenderer)) return PresentationKind::Software;
    return PresentationKind::Accelerated;
}
