#include "art.h"

#include <cstring>

#include "palette.h"

float Noise2(int x, int y, int salt) {
  uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + uint32_t(salt) * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return float(h & 0xFFFF) / 65535.0f;
}

void Sparkle(Image& img, int cx, int cy, int r, Rgb core, Rgb ray) {
  for (int i = 1; i <= r; i++) {
    const Rgb c = i * 2 <= r ? core : ray;
    img.Set(cx + i, cy, c);
    img.Set(cx - i, cy, c);
    img.Set(cx, cy + i, c);
    img.Set(cx, cy - i, c);
  }
  img.Set(cx, cy, core);
}

namespace {

struct Glyph {
  char c;
  const char* rows[5];
};

constexpr Glyph kGlyphs[] = {
    {'0', {"###", "#.#", "#.#", "#.#", "###"}}, {'1', {".#.", "##.", ".#.", ".#.", "###"}},
    {'2', {"##.", "..#", ".#.", "#..", "###"}}, {'3', {"##.", "..#", ".#.", "..#", "##."}},
    {'4', {"#.#", "#.#", "###", "..#", "..#"}}, {'5', {"###", "#..", "##.", "..#", "##."}},
    {'6', {".##", "#..", "###", "#.#", "###"}}, {'7', {"###", "..#", ".#.", ".#.", ".#."}},
    {'8', {"###", "#.#", "###", "#.#", "###"}}, {'9', {"###", "#.#", "###", "..#", "##."}},
    {'+', {"...", ".#.", "###", ".#.", "..."}}, {'x', {"...", "#.#", ".#.", "#.#", "..."}},
    {'U', {"#.#", "#.#", "#.#", "#.#", "###"}}, {'P', {"##.", "#.#", "##.", "#..", "#.."}},
};

const Glyph* Find(char c) {
  for (const Glyph& g : kGlyphs)
    if (g.c == c) return &g;
  return nullptr;
}

}  // namespace

int TinyTextWidth(const char* text, int scale) { return int(std::strlen(text)) * 4 * scale - scale; }

void TinyText(Image& img, int x, int y, const char* text, Rgb colour, Rgb ink, int scale) {
  Image layer(img.width(), img.height());
  for (int i = 0; text[i]; i++) {
    const Glyph* g = Find(text[i]);
    if (!g) continue;
    for (int row = 0; row < 5; row++)
      for (int col = 0; col < 3; col++)
        if (g->rows[row][col] == '#')
          for (int sy = 0; sy < scale; sy++)
            for (int sx = 0; sx < scale; sx++) layer.Set(x + (i * 4 + col) * scale + sx, y + row * scale + sy, colour);
  }
  Outline(layer, ink, true);
  Blit(img, layer, 0, 0);
}
