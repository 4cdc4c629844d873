#pragma once

#include "media/Canvas.h"

namespace vellix {

class TextCache;

// The "New Game" push button that lies on the field at Game over: 1215 by 675 twips, centred on
// the field by every layout. It is drawn over the field's picture when the window is shown, with
// a sunken look while the mouse holds it down, and it is clicked by a release over it.
class NewGameButton {
public:
    static constexpr float kWidth = 1215;
    static constexpr float kHeight = 675;

    NewGameButton();
    // The caption's font; without one the button has no caption.
    void setText(TextCache* text);
    // Device pixels to each 96-dpi pixel, as the field's: the face is drawn anew at that density
    // (the caption's font has to be made for it too). 1 until set.
    void setDensity(double density);

    // Centres the button on a field of the given size, in twips.
    void layout(float fieldWidth, float fieldHeight);
    float left() const { return left_; }
    float top() const { return top_; }
    // Where its face goes on the field's picture, in device pixels.
    int pixelLeft() const { return twipsToPixels(left_, density_); }
    int pixelTop() const { return twipsToPixels(top_, density_); }
    // Whether the device pixel (x, y) of the field lies on the button.
    bool contains(int x, int y) const;

    bool visible = false;
    bool pressed = false;  // the mouse went down on it and is still held

    // The button's picture for its present state.
    const Picture& picture() const { return pressed ? down_.image() : up_.image(); }

private:
    void draw(Canvas& face, bool sunken);

    TextCache* text_ = nullptr;
    double density_ = 1;
    Canvas up_{kWidth, kHeight};
    Canvas down_{kWidth, kHeight};
    float left_ = 0;
    float top_ = 0;
};

}  // namespace vellix
