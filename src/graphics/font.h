// The bitmap font: one sheet of fixed-size glyph cells drawn byte by byte
// along a line at a fixed pen step.
#pragma once

#include <SDL.h>

inline constexpr int kFontGlyphs = 128;
inline constexpr int kFontAdvance = 12;  // pixels: the game's pen step, narrower than a cell

struct BitmapFont {
  SDL_Surface* sheet;
  SDL_Rect glyphs[kFontGlyphs];
  int glyphWidth;           // pixels
  int glyphHeight;          // pixels
  int advance;              // pixels from one glyph to the next
  SDL_Surface* blendSheet;  // the sheet's twin for blended text (see BitmapSet)
};

// 16 x 16 cells, magenta transparent; null after a message when it cannot be loaded.
BitmapFont* LoadFont(const char* path);
// Cells in pixels; the colour (0-255 each) is transparent. Null after a message when it cannot be
// loaded.
BitmapFont* LoadFontEx(const char* path, int cellWidth, int cellHeight, int red, int green, int blue);
// LoadFontEx's work on an open stream (closed here; null for a file that did
// not open); `name` is what the failure message shows.
BitmapFont* LoadFontRW(SDL_RWops* stream, const char* name, int cellWidth, int cellHeight, int red, int green,
                       int blue);
// Glyphs 33-127 go down the sheet column by column, cellWidth pixels apart; 0-32 take the cell at
// column 15, row 15.
void LayoutFontGlyphs(BitmapFont* font, int cellWidth);
void DestroyFont(BitmapFont* font);
// Draws at pixel (x, y), one advance per byte; a null font, text or target draws nothing.
void DrawText(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y);
// The same blended, alpha 0 (clear) to 255 (opaque).
void DrawTextAlpha(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y, int alpha);
// Draws one glyph opaque and one blended so SDL sets up both blits before
// play; the caller clears the target afterwards.
void PrimeFont(BitmapFont* font, SDL_Surface* target);
