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
  SDL_Surface* blendSheet;  // the sheet's twin for blended text (see BitmapSet)
};

BitmapFont* LoadFont(const char* path);
BitmapFont* LoadFontEx(const char* path, int cellWidth, int cellHeight, int red, int green, int blue);
// LoadFontEx's work on an open stream (closed here; null for a file that did
// not open); `name` is what the failure message shows.
BitmapFont* LoadFontRW(SDL_RWops* stream, const char* name, int cellWidth, int cellHeight, int red, int green,
                       int blue);
void LayoutFontGlyphs(BitmapFont* font, int cellWidth);
void DestroyFont(BitmapFont* font);
void DrawText(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y);
void DrawTextAlpha(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y, int alpha);
// Draws one glyph opaque and one blended so SDL sets up both blits before
// play; the caller clears the target afterwards.
void PrimeFont(BitmapFont* font, SDL_Surface* target);
