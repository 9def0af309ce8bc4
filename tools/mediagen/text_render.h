// Text rendered at build time from the DejaVu fonts through FreeType: the
// game's font sheet and the lettering on the full-screen pictures.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

inline constexpr char kMonoBold[] = "DejaVuSansMono-Bold.ttf";
inline constexpr char kSerifBold[] = "DejaVuSerif-Bold.ttf";
inline constexpr char kSansBold[] = "DejaVuSans-Bold.ttf";

// Coverage of a line of text, 0..255 per pixel; the baseline is row `baseline`.
struct TextBitmap {
  int width = 0;
  int height = 0;
  int baseline = 0;
  std::vector<uint8_t> alpha;
  int At(int x, int y) const { return x < 0 || y < 0 || x >= width || y >= height ? 0 : alpha[y * width + x]; }
};

// `spacing` adds pixels between letters. Exits the builder when the font
// file is missing, since every later picture would be wrong without it.
TextBitmap RenderText(const char* fontFile, int pixelSize, const std::string& text, int spacing = 0);

struct Lettering {
  Rgb top, bottom;  // fill, blended down the letters
  Rgb outline;
  int outlineWidth = 2;
  Rgb shadow;
  int shadowOffset = 3;  // 0: no shadow
};

// Draws rendered text onto an opaque picture with its top-left at (x, y).
void DrawLettering(Image& img, const TextBitmap& text, int x, int y, const Lettering& style);
// Convenience: renders and draws text centred on column cx.
void DrawCentredText(Image& img, const char* fontFile, int pixelSize, const std::string& text, int cx, int y,
                     const Lettering& style, int spacing = 0);

// Frees the fonts; the builder calls it once before it ends.
void CloseFonts();
