#include "support/test_media.h"

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

std::string PcmWav(int channels, int rate, int blockAlign, int bits, const std::string& data, uint32_t claimed) {
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "RIFF" + u32(36 + data.size()) + "WAVEfmt " + u32(16) + u16(1) + u16(channels) + u32(rate) +
         u32(rate * blockAlign) + u16(blockAlign) + u16(bits) + "data" + u32(claimed) + data;
}

std::string TestWav(int frames, int tone) {
  std::string data;
  for (int i = 0; i < frames; i++) {
    const int16_t sample = static_cast<int16_t>(((i * tone) % 200 - 100) * 100);
    for (int channel = 0; channel < 2; channel++) data.append(reinterpret_cast<const char*>(&sample), 2);
  }
  return PcmWav(2, 22050, 4, 16, data, static_cast<uint32_t>(data.size()));
}
