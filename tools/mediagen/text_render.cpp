#include "text_render.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

struct Fonts {
  FT_Library library = nullptr;
  std::map<std::string, FT_Face> faces;
};

Fonts& TheFonts() {
  static Fonts fonts;
  return fonts;
}

FT_Face Face(const char* file) {
  Fonts& fonts = TheFonts();
  if (!fonts.library && FT_Init_FreeType(&fonts.library) != 0) {
    std::fprintf(stderr, "mediagen: FreeType does not start\n");
    std::exit(1);
  }
  auto found = fonts.faces.find(file);
  if (found != fonts.faces.end()) return found->second;
  const std::string path = std::string(RUNEBLOCK_FONT_DIR) + file;
  FT_Face face = nullptr;
  if (FT_New_Face(fonts.library, path.c_str(), 0, &face) != 0) {
    std::fprintf(stderr, "mediagen: cannot open the font %s (package fonts-dejavu-core)\n", path.c_str());
    std::exit(1);
  }
  fonts.faces[file] = face;
  return face;
}

}  // namespace

void CloseFonts() {
  Fonts& fonts = TheFonts();
  for (auto& [name, face] : fonts.faces) FT_Done_Face(face);
  fonts.faces.clear();
  if (fonts.library) FT_Done_FreeType(fonts.library);
  fonts.library = nullptr;
}

TextBitmap RenderText(const char* fontFile, int pixelSize, const std::string& text, int spacing) {
  FT_Face face = Face(fontFile);
  FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelSize));
  const int ascender = int(face->size->metrics.ascender >> 6);
  const int descender = int(-face->size->metrics.descender >> 6);
  TextBitmap out;
  out.baseline = ascender;
  out.height = ascender + descender + 1;
  // First pass measures, second pass draws.
  for (int pass = 0; pass < 2; pass++) {
    int pen = 0;
    for (unsigned char c : text) {
      if (FT_Load_Char(face, c, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) continue;
      const FT_GlyphSlot g = face->glyph;
      if (pass == 1) {
        for (unsigned row = 0; row < g->bitmap.rows; row++)
          for (unsigned col = 0; col < g->bitmap.width; col++) {
            const int x = pen + g->bitmap_left + int(col), y = out.baseline - g->bitmap_top + int(row);
            if (x < 0 || y < 0 || x >= out.width || y >= out.height) continue;
            uint8_t& a = out.alpha[y * out.width + x];
            a = std::max(a, g->bitmap.buffer[row * g->bitmap.pitch + col]);
          }
      }
      pen += int(g->advance.x >> 6) + spacing;
    }
    if (pass == 0) {
      out.width = std::max(1, pen - spacing + 2);
      out.alpha.assign(size_t(out.width) * out.height, 0);
    }
  }
  return out;
}

void DrawLettering(Image& img, const TextBitmap& text, int x, int y, const Lettering& style) {
  const int r = style.outlineWidth, pad = r + 1;
  // Coverage grown by the outline width, on a canvas padded so the outline
  // of letters at the edge is kept: the outline and the shadow shape.
  const int w = text.width + 2 * pad, h = text.height + 2 * pad;
  std::vector<uint8_t> grown(size_t(w) * h, 0);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) {
      int best = 0;
      for (int dy = -r; dy <= r; dy++)
        for (int dx = -r; dx <= r; dx++)
          if (dx * dx + dy * dy <= r * r + r) best = std::max(best, text.At(i - pad + dx, j - pad + dy));
      grown[j * w + i] = uint8_t(best);
    }
  auto blend = [&](int px, int py, Rgb c, int a) {
    if (a > 0 && img.Filled(px, py)) img.Set(px, py, Mix(img.At(px, py), c, a / 255.0f));
  };
  if (style.shadowOffset > 0)
    for (int j = 0; j < h; j++)
      for (int i = 0; i < w; i++)
        blend(x - pad + i + style.shadowOffset, y - pad + j + style.shadowOffset, style.shadow,
              grown[j * w + i] * 3 / 4);
  for (int j = 0; j < h; j++)
    for (int i = 0; i < w; i++) blend(x - pad + i, y - pad + j, style.outline, grown[j * w + i]);
  for (int j = 0; j < text.height; j++) {
    const Rgb fill = Mix(style.top, style.bottom, float(j) / std::max(1, text.height - 1));
    for (int i = 0; i < text.width; i++) blend(x + i, y + j, fill, text.At(i, j));
  }
}

void DrawCentredText(Image& img, const char* fontFile, int pixelSize, const std::string& text, int cx, int y,
                     const Lettering& style, int spacing) {
  const TextBitmap t = RenderText(fontFile, pixelSize, text, spacing);
  DrawLettering(img, t, cx - t.width / 2, y, style);
}
