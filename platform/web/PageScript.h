#pragma once

#include <cstdint>

// The page's own JavaScript (platform/web/js), as the program calls it. Strings are UTF-8.
extern "C" {
// page.js: the canvas that shows the field, and the field's size: the viewport inside its safe
// areas. page.js posts each new size as a Resize event.
void vellix_page_open(void* page);
// The field's size in device pixels, and the screen's density (devicePixelRatio).
int vellix_viewport_width();
int vellix_viewport_height();
double vellix_viewport_density();
// Tells the program of a change of density no event told of, if there was one.
void vellix_notice_density();
// The picture of a frame, in device pixels at `density`, for the display refresh at `refreshMs`
// (performance.now()'s clock). Only its `runs` runs of changed rows (first row, number of rows)
// need to be put on the canvas, unless the canvas lost what it showed.
void vellix_present(const std::uint8_t* rgba, int width, int height, double density, const std::int32_t* changedRows,
                    int runs, double refreshMs);
void vellix_show_pointer(int shown);
// The second of the day the page's address gives every seed (?clock=S), or -1 for the time of day.
int vellix_page_clock();
// audio.js: the four channels, on Web Audio.
void vellix_audio_open(int channel, const char* url);
// 1 started; 0 when the sound cannot start now (dropped); -1 never: its file could not be used.
int vellix_audio_play(int channel);
void vellix_audio_stand_by();
void vellix_audio_wake();
// text.js: text drawn by the browser in the desktop's font, `size` pixels high, placed as the desktop places it.
int vellix_text_line_height(double size);
int vellix_text_width(const char* text, double size);
void vellix_text_draw(const char* text, double size, int width, int height, std::uint8_t* coverage);
}
