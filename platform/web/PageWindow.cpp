#include "platform/web/PageWindow.h"

#include <algorithm>
#include <bit>

#include "game/frmMain.h"
#include "media/Picture.h"

namespace vellix {

namespace {

// 0x00RRGGBB to the bytes R, G, B and an opaque A, in memory order.
std::uint32_t toRgba(Pixel pixel) {
    const std::uint32_t r = (pixel >> 16) & 0xFF, g = (pixel >> 8) & 0xFF, b = pixel & 0xFF;
    static_assert(std::endian::native == std::endian::little);
    return 0xFF000000u | (b << 16) | (g << 8) | r;
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
    std::transform(field_->pixels().begin(), field_->pixels().end(), rgba_.begin(), toRgba);
    if (button_ != nullptr) {
        const int x0 = std::max(buttonX_, 0), x1 = std::min(buttonX_ + button_->pixelWidth(), w);
        for (int y = std::max(buttonY_, 0); y < std::min(buttonY_ + button_->pixelHeight(), h); ++y) {
            const Pixel* from = button_->row(y - buttonY_);
            std::uint32_t* to = rgba_.data() + std::size_t(y) * std::size_t(w);
            for (int x = x0; x < x1; ++x) to[x] = toRgba(from[x - buttonX_]);
        }
    }
    composed_ = {reinterpret_cast<const std::uint8_t*>(rgba_.data()), w, h};
    return &composed_;
}

}  // namespace vellix
