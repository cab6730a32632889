// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Cost of one frame's input polls (mouse, then keyboard) fed from an input
// script, and of parsing a long script.
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/backends.hpp"
#include "platform/headless/input_script.hpp"
#include "platform/platform_layer.hpp"
#include "services/graphics.hpp"
#include "services/input.hpp"
#include "services/settings.hpp"

using namespace tiefschacht;

int main() {
    using WallClock = std::chrono::steady_clock;
    settings.screenWidth = 800;
    settings.screenHeight = 600;
    graphics.viewProjection =
        matrixMultiply(matrixLookAtLH({0, 0, 0}, {0, 0, 1}, {0, 1, 0}),
                       matrixPerspectiveFovLH(0.7853982f, 800.0f / 600.0f, 1.0f, 1000.0f));

    std::string text;
    for (int i = 0; i < 100000; ++i) {
        text += (i % 3 == 0)   ? "3 Left+Space+A 4 -2 L\n"
                : (i % 3 == 1) ? "2 - -4 2\n"
                               : "1 Right+B+PageUp\n";
    }
    auto script = std::make_shared<InputScript>();
    std::string error;
    const auto parseStart = WallClock::now();
    if (!script->parse(text, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const double parseMs =
        std::chrono::duration<double, std::milli>(WallClock::now() - parseStart).count();

    platformLayer.inputDevices = createScriptInputDevices(script);
    if (initInput() != 0) return 1;
    const uint64_t polls = script->totalPolls();
    const auto start = WallClock::now();
    for (uint64_t i = 0; i < polls; ++i) {
        pollMouse();
        pollKeyboard();
    }
    const double ns = std::chrono::duration<double, std::nano>(WallClock::now() - start).count();
    std::printf("script parse: %zu bytes, %llu polls in %.1f ms\n", text.size(),
                static_cast<unsigned long long>(polls), parseMs);
    std::printf("poll pair (mouse + keyboard): %.0f ns each over %llu frames\n",
                ns / static_cast<double>(polls), static_cast<unsigned long long>(polls));
    std::printf("name: %s, volume %d\n", input.nameBuffer.data(), input.masterVolume);
    releaseInput();
    return 0;
}
