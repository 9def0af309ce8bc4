#include "graphics/font.h"

#include <cstdio>
#include <cstdlib>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "graphics/bitmap_set.h"

BitmapFont* LoadFont(const char* path) { return LoadFontEx(path, 16, 16, 255, 0, 255); }

BitmapFont* LoadFontEx(const char* path, int cellWidth, int cellHeight, int red, int green, int blue) {
  FILE* file = OpenRegularFile(path);
  return LoadFontRW(file ? SDL_RWFromFP(file, SDL_TRUE) : nullptr, path, cellWidth, cellHeight, red, green, blue);
}

BitmapFont* LoadFontRW(SDL_RWops* stream, const char* name, int cellWidth, int cellHeight, int red, int green,
                       int blue) {
  auto* font = static_cast<BitmapFont*>(std::calloc(1, sizeof(BitmapFont)));
  if (!font) {
    if (stream) SDL_RWclose(stream);
    ReportDiagnostic("%s", msg::MsgNoMemoryFont);
    return nullptr;
  }
  font->sheet = LoadBoundedBMP(stream);
  if (!font->sheet) {
    ReportDiagnostic(msg::MsgFontMissing, name);
    std::free(font);
    return nullptr;
  }
  SDL_SetColorKey(
      font->sheet, SDL_SRCCOLORKEY,
      SDL_MapRGB(font->sheet->format, static_cast<Uint8>(red), static_cast<Uint8>(green), static_cast<Uint8>(blue)));
  font->blendSheet = CreateBlendTwin(font->sheet);
  font->glyphWidth = cellWidth;
  font->glyphHeight = cellHeight;
  LayoutFontGlyphs(font, cellWidth);
  font->advance = font->glyphWidth;
  return font;
}

void LayoutFontGlyphs(BitmapFont* font, int cellWidth) {
  const int height = font->glyphHeight;
  const int sheetHeight = font->sheet ? font->sheet->h : 0;
  int cx = 0;
  int cy = 0;
  for (int c = 0; c < kFontGlyphs; c++) {
    SDL_Rect& rect = font->glyphs[c];
    rect.w = static_cast<Uint16>(cellWidth);
    rect.h = static_cast<Uint16>(height);
    if (c >= 33) {
      rect.x = static_cast<Sint16>(cx);
      rect.y = static_cast<Sint16>(cy);
      cy += height;
      if (cy >= sheetHeight) {
        cx += cellWidth;
        cy = 0;
      }
    } else {
      rect.x = static_cast<Sint16>(15 * cellWidth);
      rect.y = static_cast<Sint16>(15 * height);
    }
  }
}

void DestroyFont(BitmapFont* font) {
  if (!font) return;
  if (font->blendSheet) SDL_FreeSurface(font->blendSheet);
  if (font->sheet) SDL_FreeSurface(font->sheet);
  std::free(font);
}

namespace {

void DrawGlyphs(const BitmapFont* font, SDL_Surface* sheet, const char* text, SDL_Surface* target, int x, int y) {
  // Lines wholly off the target are skipped so SDL's 16-bit rectangle
  // coordinates never wrap around.
  if (y <= -font->glyphHeight || y >= target->h) return;
  int pen = x;
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; p++, pen += font->advance) {
    if (pen >= target->w) break;
    if (pen <= -font->glyphWidth) continue;
    // Bytes 128-255 have no glyph: they draw the empty cell, like controls.
    SDL_Rect source = font->glyphs[*p < kFontGlyphs ? *p : 0];
    SDL_Rect dest = {static_cast<Sint16>(pen), static_cast<Sint16>(y), static_cast<Uint16>(font->glyphWidth),
                     static_cast<Uint16>(font->glyphHeight)};
    SDL_UpperBlit(sheet, &source, target, &dest);
  }
}

}  // namespace

void DrawText(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y) {
  if (!font || !font->sheet || !text || !target) return;
  DrawGlyphs(font, font->sheet, text, target, x, y);
}

void DrawTextAlpha(BitmapFont* font, const char* text, SDL_Surface* target, int x, int y, int alpha) {
  if (!font || !font->sheet || !text || !target) return;
  if (font->blendSheet) {
    if (SurfaceAlpha(font->blendSheet) != static_cast<Uint8>(alpha))
      SDL_SetAlpha(font->blendSheet, SDL_SRCALPHA, static_cast<Uint8>(alpha));
    DrawGlyphs(font, font->blendSheet, text, target, x, y);
    return;
  }
  SDL_SetAlpha(font->sheet, SDL_SRCALPHA, static_cast<Uint8>(alpha));
  DrawGlyphs(font, font->sheet, text, target, x, y);
  SDL_SetAlpha(font->sheet, 0, 255);
}

void PrimeFont(BitmapFont* font, SDL_Surface* target) {
  if (!target) return;
  SDL_Rect clip = ClipToOnePixel(target);
  DrawText(font, "A", target, 0, 0);
  DrawTextAlpha(font, "A", target, 0, 0, 128);
  SDL_SetClipRect(target, &clip);
}
