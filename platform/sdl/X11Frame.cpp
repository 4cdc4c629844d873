#include "platform/sdl/X11Frame.h"

#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <SDL_syswm.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace vellix {
namespace {

struct XWindowOf {
    Display* display = nullptr;
    ::Window window = 0;
};

XWindowOf xWindowOf(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWindowWMInfo(window, &info) != SDL_TRUE || info.subsystem != SDL_SYSWM_X11) return {};
    return {info.info.x11.display, info.info.x11.window};
}

bool hasEightBitChannels(const TrueColorVisual& visual) {
    return std::popcount(visual.redMask) == 8 && std::popcount(visual.greenMask) == 8 &&
           std::popcount(visual.blueMask) == 8;
}

// The frame in an XImage of the window's visual, sent with XPutImage. Each channel goes through a
// table of its 256 values in the visual's bits.
class XImageFrame final : public X11Frame {
public:
    XImageFrame(Display* display, ::Window window, const XWindowAttributes& attributes)
        : display_(display), window_(window), visual_(attributes.visual), depth_(attributes.depth),
          gc_(XCreateGC(display, window, 0, nullptr)) {
        for (unsigned value = 0; value < 256; ++value) {
            red_[value] = channelBits(std::uint8_t(value), visual_->red_mask);
            green_[value] = channelBits(std::uint8_t(value), visual_->green_mask);
            blue_[value] = channelBits(std::uint8_t(value), visual_->blue_mask);
        }
    }
    ~XImageFrame() override {
        drop();
        XFreeGC(display_, gc_);
    }
    XImageFrame(const XImageFrame&) = delete;
    XImageFrame& operator=(const XImageFrame&) = delete;

    SDL_Surface* surface(int width, int height) override {
        if (frame_ != nullptr && frame_->w == width && frame_->h == height) return frame_;
        drop();
        if (width <= 0 || height <= 0) return nullptr;
        image_ = XCreateImage(display_, visual_, unsigned(depth_), ZPixmap, 0, nullptr, unsigned(width),
                              unsigned(height), 32, 0);
        if (image_ == nullptr) return nullptr;
        const int bytesPerPixel = image_->bits_per_pixel / 8;
        if (bytesPerPixel != 1 && bytesPerPixel != 2 && bytesPerPixel != 4) return drop(), nullptr;
        // The pixels are written in this machine's byte order; Xlib swaps them if the server's differs.
        image_->byte_order = std::endian::native == std::endian::little ? LSBFirst : MSBFirst;
        bits_.assign(std::size_t(image_->bytes_per_line) * std::size_t(height), 0);
        image_->data = bits_.data();
        frame_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
        if (frame_ == nullptr) drop();
        return frame_;
    }

    void send() override {
        if (frame_ == nullptr) return;
        switch (image_->bits_per_pixel) {
            case 8: convert<std::uint8_t>(); break;
            case 16: convert<std::uint16_t>(); break;
            default: convert<std::uint32_t>(); break;
        }
        XPutImage(display_, window_, gc_, image_, 0, 0, 0, 0, unsigned(frame_->w), unsigned(frame_->h));
        XFlush(display_);
    }

private:
    template <class Bits>
    void convert() {
        for (int y = 0; y < frame_->h; ++y) {
            const auto* from = reinterpret_cast<const Uint32*>(static_cast<const char*>(frame_->pixels) + y * frame_->pitch);
            char* to = bits_.data() + std::size_t(y) * std::size_t(image_->bytes_per_line);
            for (int x = 0; x < frame_->w; ++x) {
                const Uint32 p = from[x];
                const auto bits = Bits(red_[p >> 16 & 255] | green_[p >> 8 & 255] | blue_[p & 255]);
                std::memcpy(to + std::size_t(x) * sizeof(Bits), &bits, sizeof(Bits));
            }
        }
    }

    void drop() {
        if (image_ != nullptr) {
            image_->data = nullptr;  // the pixels are bits_
            XDestroyImage(image_);
            image_ = nullptr;
        }
        SDL_FreeSurface(frame_);
        frame_ = nullptr;
    }

    Display* display_;
    ::Window window_;
    Visual* visual_;
    int depth_;
    GC gc_;
    std::array<std::uint32_t, 256> red_{}, green_{}, blue_{};
    XImage* image_ = nullptr;
    std::vector<char> bits_;
    SDL_Surface* frame_ = nullptr;
};

}  // namespace

unsigned long chooseVisual(const std::vector<TrueColorVisual>& visuals, int screenDepth) {
    auto found = std::find_if(visuals.begin(), visuals.end(), hasEightBitChannels);
    if (found == visuals.end())
        found = std::find_if(visuals.begin(), visuals.end(), [&](const TrueColorVisual& v) { return v.depth == screenDepth; });
    return found != visuals.end() ? found->id : 0;
}

unsigned long betterVisualFor(SDL_Window* window) {
    const XWindowOf x = xWindowOf(window);
    XWindowAttributes attributes{};
    if (x.display == nullptr || XGetWindowAttributes(x.display, x.window, &attributes) == 0) return 0;
    XVisualInfo wanted{};
    wanted.screen = XScreenNumberOfScreen(attributes.screen);
    wanted.c_class = TrueColor;
    int count = 0;
    XVisualInfo* found = XGetVisualInfo(x.display, VisualScreenMask | VisualClassMask, &wanted, &count);
    std::vector<TrueColorVisual> visuals;
    for (int i = 0; i < count; ++i)
        visuals.push_back({found[i].visualid, found[i].depth, found[i].red_mask, found[i].green_mask, found[i].blue_mask});
    if (found != nullptr) XFree(found);
    return chooseVisual(visuals, DefaultDepth(x.display, wanted.screen));
}

double resourceDpi(SDL_Window* window) {
    const XWindowOf x = xWindowOf(window);
    return x.display != nullptr ? resourceDpi(XResourceManagerString(x.display)) : 0;
}

double resourceDpi(const char* resources) {
    if (resources == nullptr) return 0;
    for (const char* line = resources; *line != '\0';) {
        const char* end = std::strchr(line, '\n');
        const std::string_view text(line, end != nullptr ? std::size_t(end - line) : std::strlen(line));
        if (text.starts_with("Xft.dpi:")) {
            const double dpi = std::strtod(std::string(text.substr(8)).c_str(), nullptr);
            return dpi > 0 && dpi < 10000 ? dpi : 0;
        }
        if (end == nullptr) break;
        line = end + 1;
    }
    return 0;
}

std::uint32_t channelBits(std::uint8_t value, unsigned long mask) {
    if (mask == 0) return 0;
    const int shift = std::countr_zero(mask);
    const unsigned long top = mask >> shift;  // the highest level, all ones
    return std::uint32_t((value * top + 127) / 255 << shift);
}

std::unique_ptr<X11Frame> X11Frame::open(SDL_Window* window) {
    const XWindowOf x = xWindowOf(window);
    XWindowAttributes attributes{};
    if (x.display == nullptr || XGetWindowAttributes(x.display, x.window, &attributes) == 0 ||
        attributes.visual->c_class != TrueColor)
        return nullptr;
    auto frame = std::make_unique<XImageFrame>(x.display, x.window, attributes);
    if (frame->surface(1, 1) == nullptr) return nullptr;  // a pixel size it cannot write
    return frame;
}

}  // namespace vellix
