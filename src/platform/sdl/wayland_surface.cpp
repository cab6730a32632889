// SPDX-FileCopyrightText: 2026 The Tiefschacht developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/sdl/wayland_surface.hpp"

#include <SDL.h>
#include <SDL_syswm.h>
#include <poll.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <array>
#include <climits>
#include <cstring>

namespace tiefschacht {

namespace {
// One buffer on the screen, one being written, and a third for a
// compositor that keeps the one before the last a little longer.
constexpr size_t bufferCount = 3;

struct Buffer {
    wl_buffer* buffer = nullptr;
    void* pixels = nullptr;  // the buffer's memory, mapped here too
    size_t bytes = 0;
    int width = 0;
    int height = 0;
    bool busy = false;  // attached and not yet given back by the compositor
};

void bufferReleased(void* buffer, wl_buffer* /*unused*/) {
    static_cast<Buffer*>(buffer)->busy = false;
}
const wl_buffer_listener bufferListener = {&bufferReleased};

void globalAnnounced(void* shm, wl_registry* registry, uint32_t name, const char* interface,
                     uint32_t /*version*/) {
    auto* found = static_cast<wl_shm**>(shm);
    if (*found == nullptr && std::strcmp(interface, wl_shm_interface.name) == 0)
        *found = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
}
void globalRemoved(void* /*unused*/, wl_registry* /*unused*/, uint32_t /*unused*/) {}
const wl_registry_listener registryListener = {&globalAnnounced, &globalRemoved};

void drop(Buffer& b) {
    if (b.buffer != nullptr) wl_buffer_destroy(b.buffer);
    if (b.pixels != nullptr) munmap(b.pixels, b.bytes);
    b = Buffer{};
}
}  // namespace

// The window's display and surface belong to SDL; the rest is ours, and its
// events arrive on a queue of our own, so that SDL's dispatching never runs
// our handlers nor ours SDL's.
struct WaylandSurface::Connection {
    SDL_Window* window = nullptr;
    wl_display* display = nullptr;
    wl_surface* surface = nullptr;
    wl_event_queue* queue = nullptr;
    wl_display* displayOnQueue = nullptr;  // a wrapper of display whose children use queue
    wl_registry* registry = nullptr;
    wl_shm* shm = nullptr;
    std::array<Buffer, bufferCount> buffers;

    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() {
        for (Buffer& b : buffers) drop(b);
        if (shm != nullptr) wl_shm_destroy(shm);
        if (registry != nullptr) wl_registry_destroy(registry);
        if (displayOnQueue != nullptr) wl_proxy_wrapper_destroy(displayOnQueue);
        if (queue != nullptr) wl_event_queue_destroy(queue);
        if (display != nullptr) wl_display_flush(display);
    }

    // Runs the handlers of what has arrived for us, reading the connection
    // first when there is something to read (never waiting for it).
    void takeEvents() {
        while (wl_display_prepare_read_queue(display, queue) != 0)
            wl_display_dispatch_queue_pending(display, queue);
        wl_display_flush(display);
        pollfd readable{wl_display_get_fd(display), POLLIN, 0};
        if (poll(&readable, 1, 0) == 1)
            wl_display_read_events(display);
        else
            wl_display_cancel_read(display);
        wl_display_dispatch_queue_pending(display, queue);
    }

    // A buffer of that size in new shared memory; false when there is none.
    bool make(Buffer& b, int width, int height) {
        drop(b);
        const size_t stride = static_cast<size_t>(width) * 4;
        const size_t bytes = stride * static_cast<size_t>(height);
        if (bytes == 0 || bytes > INT32_MAX) return false;
        const int fd = memfd_create("tiefschacht-frame", MFD_CLOEXEC);
        if (fd < 0) return false;
        void* pixels = MAP_FAILED;
        if (ftruncate(fd, static_cast<off_t>(bytes)) == 0)
            pixels = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (pixels == MAP_FAILED) {
            close(fd);
            return false;
        }
        wl_shm_pool* pool = wl_shm_create_pool(shm, fd, static_cast<int32_t>(bytes));
        b.buffer = wl_shm_pool_create_buffer(pool, 0, width, height, static_cast<int32_t>(stride),
                                             WL_SHM_FORMAT_XRGB8888);
        wl_shm_pool_destroy(pool);
        close(fd);
        b.pixels = pixels;
        b.bytes = bytes;
        b.width = width;
        b.height = height;
        wl_buffer_add_listener(b.buffer, &bufferListener, &b);
        return true;
    }

    // A buffer the compositor is not reading, of that size.
    Buffer* freeBuffer(int width, int height) {
        Buffer* spare = nullptr;
        for (int attempt = 0; attempt < 2; ++attempt) {
            for (Buffer& b : buffers) {
                if (b.busy) continue;
                if (b.buffer != nullptr && b.width == width && b.height == height) return &b;
                if (spare == nullptr) spare = &b;
            }
            if (spare != nullptr) return make(*spare, width, height) ? spare : nullptr;
            takeEvents();
        }
        return nullptr;
    }
};

WaylandSurface::WaylandSurface(Passkey /*unused*/) {}
WaylandSurface::~WaylandSurface() = default;

std::unique_ptr<WaylandSurface> WaylandSurface::open(SDL_Window* window, std::string& error) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_WAYLAND ||
        info.info.wl.display == nullptr || info.info.wl.surface == nullptr) {
        error = "the window is not a Wayland window";
        return nullptr;
    }
    auto surface = std::make_unique<WaylandSurface>(Passkey{});
    surface->connection_ = std::make_unique<Connection>();
    Connection& c = *surface->connection_;
    c.window = window;
    c.display = info.info.wl.display;
    c.surface = info.info.wl.surface;
    c.queue = wl_display_create_queue(c.display);
    c.displayOnQueue = static_cast<wl_display*>(wl_proxy_create_wrapper(c.display));
    if (c.queue == nullptr || c.displayOnQueue == nullptr) {
        error = "out of memory for the compositor's objects";
        return nullptr;
    }
    wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(c.displayOnQueue), c.queue);
    c.registry = wl_display_get_registry(c.displayOnQueue);
    wl_registry_add_listener(c.registry, &registryListener, &c.shm);
    if (wl_display_roundtrip_queue(c.display, c.queue) < 0 || c.shm == nullptr) {
        error = "the compositor offers no shared memory (wl_shm)";
        return nullptr;
    }
    return surface;
}

bool WaylandSurface::present(const Frame& frame) {
    Connection& c = *connection_;
    wl_display_dispatch_queue_pending(c.display, c.queue);
    int width = 0;
    int height = 0;
    SDL_GetWindowSizeInPixels(c.window, &width, &height);
    if (width <= 0 || height <= 0) return false;
    Buffer* b = c.freeBuffer(width, height);
    if (b == nullptr) return false;

    const size_t rowBytes = static_cast<size_t>(frame.width) * 4;
    scaled_ = width != frame.width || height != frame.height;
    if (!scaled_) {
        std::memcpy(b->pixels, frame.pixels.data(), rowBytes * static_cast<size_t>(frame.height));
    } else {
        // The frame at its own shape, as large as the window allows, centred.
        SDL_Rect fit{0, 0, width, height};
        if (static_cast<int64_t>(width) * frame.height > static_cast<int64_t>(height) * frame.width)
            fit.w = static_cast<int>(static_cast<int64_t>(height) * frame.width / frame.height);
        else
            fit.h = static_cast<int>(static_cast<int64_t>(width) * frame.height / frame.width);
        fit.x = (width - fit.w) / 2;
        fit.y = (height - fit.h) / 2;
        std::memset(b->pixels, 0, b->bytes);
        SDL_Surface* from = SDL_CreateRGBSurfaceWithFormatFrom(
            const_cast<uint32_t*>(frame.pixels.data()), frame.width, frame.height, 32,
            static_cast<int>(rowBytes), SDL_PIXELFORMAT_ARGB8888);
        SDL_Surface* to = SDL_CreateRGBSurfaceWithFormatFrom(b->pixels, width, height, 32,
                                                             width * 4, SDL_PIXELFORMAT_ARGB8888);
        if (from != nullptr && to != nullptr) SDL_SoftStretchLinear(from, nullptr, to, &fit);
        SDL_FreeSurface(from);
        SDL_FreeSurface(to);
    }

    wl_surface_attach(c.surface, b->buffer, 0, 0);
    if (wl_proxy_get_version(reinterpret_cast<wl_proxy*>(c.surface)) >=
        WL_SURFACE_DAMAGE_BUFFER_SINCE_VERSION)
        wl_surface_damage_buffer(c.surface, 0, 0, width, height);
    else
        wl_surface_damage(c.surface, 0, 0, width, height);
    wl_surface_commit(c.surface);
    wl_display_flush(c.display);
    b->busy = true;
    return true;
}

}  // namespace tiefschacht
