// The bitmap font: one sheet of fixed-size glyph cells drawn byte by byte
// along a line at a fixed pen step.
#pragma once

#include <SDL.h>

inline constexpr int kFontGlyphs = 128;

struct BitmapFont {
  SDL_Surface* sheet;
  SDL_Rect glyphs[kFontGlyphs];
  int glyphWidth;
  int glyphHeight;
  int advance;
};

BitmapFont* LoadFont(const char* path);
BitmapFont* LoadFontEx(const char* path, int cellWidth, int cellHeight, int red, int green, int blue);
void LayoutFontGlyphs(BitmapFont* font, int cellWidth);
void DestroyFont(BitmapFont* font);
void DrawText(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y);
void DrawTextAlpha(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y, int alpha);
