#include "support/test_bitmaps.h"

namespace {

void FillRect(SDL_Surface* surface, int x, int y, int w, int h, Rgb c) {
  SDL_Rect rect = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(w), static_cast<Uint16>(h)};
  SDL_FillRect(surface, &rect, SDL_MapRGB(surface->format, c.r, c.g, c.b));
}

}  // namespace

void SaveTestBitmap(const std::string& path, int w, int h, Rgb fill, Rgb mark) {
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, w, h, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  FillRect(surface, 0, 0, w, h, fill);
  FillRect(surface, 0, 0, 4, 4, mark);
  SDL_SaveBMP(surface, path.c_str());
  SDL_FreeSurface(surface);
}

void SaveTestFontSheet(const std::string& path) {
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 256, 256, 24, 0xFF0000, 0x00FF00, 0x0000FF, 0);
  FillRect(surface, 0, 0, 256, 256, {255, 0, 255});
  // 'A' is code 65: column (65 - 33) / 16 = 2, row 0; 'B' row 1.
  FillRect(surface, 32, 0, 4, 16, {255, 0, 0});
  FillRect(surface, 32, 16, 4, 16, {0, 255, 0});
  SDL_SaveBMP(surface, path.c_str());
  SDL_FreeSurface(surface);
}

SDL_Surface* CreateScreenSurface() {
  SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 16, 0xF800, 0x07E0, 0x001F, 0);
  SDL_FillRect(surface, nullptr, 0);
  return surface;
}

Rgb PixelAt(SDL_Surface* surface, int x, int y) {
  const auto* row = static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch;
  const uint16_t value = reinterpret_cast<const uint16_t*>(row)[x];
  Rgb c;
  SDL_GetRGB(value, surface->format, &c.r, &c.g, &c.b);
  return c;
}
