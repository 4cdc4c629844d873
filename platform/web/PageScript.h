#pragma once

#include <cstdint>

// The page's own JavaScript (platform/web/js), as the program calls it. Strings are UTF-8.
extern "C" {
// page.js: the canvas that shows the field, and the field's size: the viewport inside its safe
// areas. page.js posts each new size as a Resize event.
void vellix_page_open(void* page);
int vellix_viewport_width();
int vellix_viewport_height();
// The picture of a frame, for the display refresh at `refreshMs` (performance.now()'s clock).
void vellix_present(const std::uint8_t* rgba, int width, int height, double refreshMs);
void vellix_show_pointer(int shown);
// audio.js: the four channels, on Web Audio.
void vellix_audio_open(int channel, const char* url);
// 1 started; 0 when the sound cannot start now (dropped); -1 never: its file could not be used.
int vellix_audio_play(int channel);
void vellix_audio_stand_by();
void vellix_audio_wake();
// text.js: the browser's own text drawing.
int vellix_text_line_height();
int vellix_text_width(const char* text);
void vellix_text_draw(const char* text, int width, int height, std::uint8_t* coverage);
}
