// The frame cap with the real clock: 600 frames at 60 per second, each
// clearing and presenting an 800 x 600 frame into the headless video output.
// Prints the processor time over the wall time and the spread of the frame
// periods (the time between the ends of consecutive frames).
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "platform/platform_layer.hpp"
#include "platform/software_graphics_system.hpp"
#include "services/app_state.hpp"
#include "services/graphics.hpp"
#include "services/settings.hpp"
#include "shell/main_loop.hpp"

namespace {
double processSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}
}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::max(2, std::atoi(argv[1])) : 600;
    float rate = argc > 2 ? static_cast<float>(std::atof(argv[2])) : 60.0f;

    PlatformOptions options;
    options.headless = true;
    options.realtimeClock = true;
    platformLayer = createPlatformLayer(options);
    std::string error;
    platformLayer.video->openWindow("bench", 800, 600, false, error);
    settings.screenWidth = 800;
    settings.screenHeight = 600;
    settings.frameCapMode = 1;
    settings.frameCap = rate;
    settings.minFrameTime = 1000.0f / rate;

    graphics.system = createSoftwareGraphicsSystem(platformLayer.video.get(), 800, 600);
    if (graphics.system) {
        PresentParameters p;
        p.windowed = true;
        p.waitForRetrace = false;
        graphics.system->createDevice(CreateSoftwareVertexProcessing, p, graphics.device);
    }
    std::printf("frame cap: %d frames at %.1f per second (%.3f ms), %s\n", frames, rate,
                settings.minFrameTime,
                graphics.device ? "clearing and presenting 800 x 600" : "without a device");

    using WallClock = std::chrono::steady_clock;
    std::vector<double> periods;
    periods.reserve(static_cast<size_t>(frames));
    runFrame();  // settle on a tick boundary
    double cpuStart = processSeconds();
    WallClock::time_point wallStart = WallClock::now(), last = wallStart;
    for (int i = 0; i < frames; ++i) {
        runFrame();
        WallClock::time_point now = WallClock::now();
        periods.push_back(std::chrono::duration<double, std::milli>(now - last).count());
        last = now;
    }
    double wall = std::chrono::duration<double>(last - wallStart).count();
    double cpu = processSeconds() - cpuStart;

    double sum = 0, lo = periods[0], hi = periods[0];
    int within = 0;
    for (double p : periods) {
        sum += p;
        lo = std::min(lo, p);
        hi = std::max(hi, p);
        if (p >= settings.minFrameTime - 1.0 && p <= settings.minFrameTime + 1.0) ++within;
    }
    std::printf("processor time %.3f s over wall time %.3f s: %.1f %% of a core\n", cpu, wall,
                100.0 * cpu / wall);
    std::printf("frame period ms: min %.3f  mean %.3f  max %.3f\n", lo, sum / frames, hi);
    std::printf("within 1 ms of the cap: %d of %d\n", within, frames);
    graphics.device.reset();
    graphics.system.reset();
    platformLayer = PlatformLayer{};
    return 0;
}
