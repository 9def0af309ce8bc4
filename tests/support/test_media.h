// Small pictures and sounds for the loader tests, and screen pixels read back.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>

struct Rgb {
  uint8_t r, g, b;
};

// A w x h picture filled with `fill`; `mark` colours the top-left 4 x 4.
void SaveTestBitmap(const std::string& path, int w, int h, Rgb fill, Rgb mark);

// A 256 x 256 font sheet: magenta everywhere except a 4-pixel-wide bar at the
// left of the cells of 'A' (red) and 'B' (green).
void SaveTestFontSheet(const std::string& path);

// A 640 x 480 surface in the screen's 5-6-5 format, cleared to black.
SDL_Surface* CreateScreenSurface();
Rgb PixelAt(SDL_Surface* surface, int x, int y);

// A PCM WAV whose header fields are given separately, so they can disagree.
std::string PcmWav(int channels, int rate, int blockAlign, int bits, const std::string& data, uint32_t claimed);
// A valid WAV of `frames` frames in the mixer's own format (22050 Hz, 16-bit
// stereo); `tone` makes files differ.
std::string TestWav(int frames, int tone);
