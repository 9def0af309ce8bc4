// Writes small BMP files for the graphics tests and reads screen pixels back.
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
