#include "platform/web/PageWindow.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "game/frmMain.h"
#include "media/Picture.h"

namespace vellix {

namespace {

static_assert(std::endian::native == std::endian::little);

// 0x00RRGGBB to the bytes R, G, B and an opaque A, in memory order: red and blue change places.
std::uint32_t toRgba(Pixel pixel) {
    return 0xFF000000u | (pixel & 0x0000FF00u) | ((pixel >> 16) & 0xFFu) | ((pixel & 0xFFu) << 16);
}

// The same for a whole row, two pixels at a time in a 64-bit word: this pass over every pixel is a
// good part of a frame's work in a browser.
void toRgba(const Pixel* from, std::uint32_t* to, std::size_t count) {
    constexpr std::uint64_t kGreen = 0x0000FF000000FF00u, kLow = 0x000000FF000000FFu, kAlpha = 0xFF000000FF000000u;
    std::size_t i = 0;
    for (; i + 2 <= count; i += 2) {
        std::uint64_t two = 0;
        std::memcpy(&two, from + i, sizeof two);
        two = kAlpha | (two & kGreen) | ((two >> 16) & kLow) | ((two & kLow) << 16);
        std::memcpy(to + i, &two, sizeof two);
    }
    if (i < count) to[i] = toRgba(from[i]);
}

}  // namespace

void PageWindow::handleEvents(frmMain& window) {
    while (!pending_.empty()) {
        const PageEvent event = pending_.front();
        pending_.pop_front();
        dispatch(event, window);
    }
}

void PageWindow::dispatch(const PageEvent& event, frmMain& window) {
    switch (event.kind) {
        case PageEvent::Kind::Move:
            window.pointerMoved(event.x, event.y);
            break;
        case PageEvent::Kind::Press:
            window.buttonPressed(event.x, event.y, event.primary);
            break;
        case PageEvent::Kind::Release:
            window.buttonReleased(event.x, event.y, event.primary);
            break;
        case PageEvent::Kind::Resize:
            width_ = std::max(event.x, 0);
            height_ = std::max(event.y, 0);
            window.resized(width_, height_);
            break;
        case PageEvent::Kind::SoundDone:
            window.soundDone(event.x);
            break;
        case PageEvent::Kind::PictureLost:
            window.repaint();
            break;
    }
}

void PageWindow::show(const Picture& field, const Picture* button, int buttonX, int buttonY) {
    field_ = &field;
    button_ = button;
    buttonX_ = buttonX;
    buttonY_ = buttonY;
    shown_ = true;
}

// Composed only here, once a display refresh, however many frames the refresh ran.
const PageWindow::Composed* PageWindow::takePicture() {
    if (!shown_ || field_ == nullptr) return nullptr;
    shown_ = false;
    const int w = field_->pixelWidth(), h = field_->pixelHeight();
    rgba_.resize(std::size_t(w) * std::size_t(h));
    toRgba(field_->pixels().data(), rgba_.data(), rgba_.size());
    if (button_ != nullptr) {
        const int x0 = std::max(buttonX_, 0), x1 = std::min(buttonX_ + button_->pixelWidth(), w);
        for (int y = std::max(buttonY_, 0); y < std::min(buttonY_ + button_->pixelHeight(), h); ++y) {
            const Pixel* from = button_->row(y - buttonY_);
            std::uint32_t* to = rgba_.data() + std::size_t(y) * std::size_t(w);
            if (x1 > x0) toRgba(from + (x0 - buttonX_), to + x0, std::size_t(x1 - x0));
        }
    }
    composed_ = {reinterpret_cast<const std::uint8_t*>(rgba_.data()), w, h};
    return &composed_;
}

}  // namespace vellix
