// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Times the loading the game does at start-up and at every new game: the
// level file alone, and the whole Game (every picture, list and data file).
// Usage: world_load_bench [runtime folder, default build/game]
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "platform/backends.hpp"
#include "platform/platform_layer.hpp"
#include "platform/software/graphics_system.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"
#include "world/data_tables.hpp"
#include "world/game.hpp"
#include "world/level.hpp"
#include "world/random.hpp"

using namespace tiefschacht;

namespace {
double millisecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}
}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : "build/game";
    std::error_code ec;
    std::filesystem::current_path(folder, ec);
    if (ec) {
        std::fprintf(stderr, "world_load_bench: %s: %s\n", folder, ec.message().c_str());
        return 2;
    }
    settings.screenWidth = 1024;
    settings.screenHeight = 768;
    platformLayer.images = createSdlImageDecoder();
    graphics.system = createSoftwareGraphicsSystem(nullptr, 1024, 768);
    if (graphics.system) {
        PresentParameters params;
        params.backBufferWidth = 1024;
        params.backBufferHeight = 768;
        params.backBufferFormat = PixelFormat::X8R8G8B8;
        params.windowed = true;
        graphics.system->createDevice(CreateSoftwareVertexProcessing, params, graphics.device);
    }
    std::printf("image decoder: %s, graphics device: %s\n", platformLayer.images ? "yes" : "no",
                graphics.device ? "yes" : "no");

    constexpr int levelReads = 200;
    auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < levelReads; ++i) readLevel("Data/Level1.txt");
    std::printf("readLevel: %.3f ms per read (%d reads)\n", millisecondsSince(start) / levelReads,
                levelReads);

    constexpr int games = 5;
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < games; ++i) {
        rng = RandomGenerator{};
        auto game = std::make_unique<Game>();
    }
    std::printf("Game construction and release: %.2f ms each (%d games)\n",
                millisecondsSince(start) / games, games);

    graphics.device.reset();
    graphics.system.reset();
    platformLayer.images.reset();
    return 0;
}
