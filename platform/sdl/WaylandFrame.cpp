#include "platform/sdl/WaylandFrame.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <sys/mman.h>
#include <unistd.h>
#include <wayland-client.h>

#include <cstring>
#include <vector>

namespace vellix {
namespace {

// One frame's pixels in shared memory, as a wl_buffer for the compositor and an SDL_Surface for
// the game. It is busy from the moment it is attached until the compositor releases it.
struct ShmBuffer {
    ShmBuffer(wl_shm* shm, int width, int height) {
        const int pitch = width * 4;
        bytes = std::size_t(pitch) * std::size_t(height);
        const int fd = memfd_create("vellix-frame", MFD_CLOEXEC);
        if (fd < 0) return;
        if (ftruncate(fd, off_t(bytes)) == 0) {
            void* mapped = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
            if (mapped != MAP_FAILED) {
                pixels = mapped;
                wl_shm_pool* pool = wl_shm_create_pool(shm, fd, int(bytes));
                buffer = wl_shm_pool_create_buffer(pool, 0, width, height, pitch, WL_SHM_FORMAT_XRGB8888);
                wl_shm_pool_destroy(pool);  // the buffer keeps what it needs of the pool
                wl_buffer_add_listener(buffer, &kReleased, this);
                surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, pitch, SDL_PIXELFORMAT_RGB888);
            }
        }
        close(fd);
    }
    ~ShmBuffer() {
        SDL_FreeSurface(surface);
        if (buffer != nullptr) wl_buffer_destroy(buffer);
        if (pixels != nullptr) munmap(pixels, bytes);
    }
    ShmBuffer(const ShmBuffer&) = delete;
    ShmBuffer& operator=(const ShmBuffer&) = delete;

    static const wl_buffer_listener kReleased;

    void* pixels = nullptr;
    std::size_t bytes = 0;
    wl_buffer* buffer = nullptr;
    SDL_Surface* surface = nullptr;
    bool busy = false;
};
const wl_buffer_listener ShmBuffer::kReleased{[](void* self, wl_buffer*) { static_cast<ShmBuffer*>(self)->busy = false; }};

// The frames of one window's surface. Its Wayland objects have an event queue of their own, so
// SDL's dispatching never runs their listeners: the buffers' releases, which SDL reads from the
// connection with its own events, are taken in when the next frame is wanted.
class ShmFrame final : public WindowFrame {
public:
    ShmFrame(wl_display* display, wl_surface* surface)
        : display_(display), surface_(surface), queue_(wl_display_create_queue(display)),
          displayOnQueue_(static_cast<wl_display*>(wl_proxy_create_wrapper(display))) {
        wl_proxy_set_queue(reinterpret_cast<wl_proxy*>(displayOnQueue_), queue_);
        registry_ = wl_display_get_registry(displayOnQueue_);
        wl_registry_add_listener(registry_, &kGlobals, this);
        wl_display_roundtrip_queue(display_, queue_);
    }
    ~ShmFrame() override {
        buffers_.clear();
        if (shm_ != nullptr) wl_shm_destroy(shm_);
        wl_registry_destroy(registry_);
        wl_proxy_wrapper_destroy(displayOnQueue_);
        wl_event_queue_destroy(queue_);
    }
    ShmFrame(const ShmFrame&) = delete;
    ShmFrame& operator=(const ShmFrame&) = delete;

    bool hasSharedMemory() const { return shm_ != nullptr; }

    // A buffer the compositor has released, of the client area's size. Busy buffers of another size
    // are dropped once released. With every buffer busy (a compositor slow to release them) the
    // frame is not shown.
    SDL_Surface* surface(int width, int height) override {
        next_ = nullptr;
        if (width <= 0 || height <= 0) return nullptr;
        wl_display_dispatch_queue_pending(display_, queue_);
        std::erase_if(buffers_, [&](const auto& b) { return !b->busy && (b->surface->w != width || b->surface->h != height); });
        for (const auto& b : buffers_)
            if (!b->busy) next_ = b.get();
        if (next_ == nullptr && buffers_.size() < kMostBuffers) {
            auto made = std::make_unique<ShmBuffer>(shm_, width, height);
            if (made->surface == nullptr) return nullptr;
            next_ = buffers_.emplace_back(std::move(made)).get();
        }
        return next_ != nullptr ? next_->surface : nullptr;
    }

    void send() override {
        if (next_ == nullptr) return;
        wl_surface_attach(surface_, next_->buffer, 0, 0);
        wl_surface_damage(surface_, 0, 0, next_->surface->w, next_->surface->h);
        wl_surface_commit(surface_);
        wl_display_flush(display_);
        next_->busy = true;
        next_ = nullptr;
    }

private:
    // One buffer shown, one drawn, and one more for a compositor that keeps the one it showed last
    // until it has shown the next.
    static constexpr std::size_t kMostBuffers = 3;

    static const wl_registry_listener kGlobals;

    wl_display* display_;
    wl_surface* surface_;
    wl_event_queue* queue_;
    wl_display* displayOnQueue_;
    wl_registry* registry_ = nullptr;
    wl_shm* shm_ = nullptr;
    std::vector<std::unique_ptr<ShmBuffer>> buffers_;
    ShmBuffer* next_ = nullptr;
};
const wl_registry_listener ShmFrame::kGlobals{
    [](void* self, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t) {
        auto* frame = static_cast<ShmFrame*>(self);
        if (std::strcmp(interface, wl_shm_interface.name) == 0 && frame->shm_ == nullptr)
            frame->shm_ = static_cast<wl_shm*>(wl_registry_bind(registry, name, &wl_shm_interface, 1));
    },
    [](void*, wl_registry*, std::uint32_t) {}};

}  // namespace

std::unique_ptr<WindowFrame> openWaylandFrame(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_WAYLAND) return nullptr;
    auto frame = std::make_unique<ShmFrame>(info.info.wl.display, info.info.wl.surface);
    if (!frame->hasSharedMemory()) return nullptr;
    return frame;
}

}  // namespace vellix
