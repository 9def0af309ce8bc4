#include "font_sheet.h"

#include <algorithm>

#include "palette.h"
#include "text_render.h"

namespace {

// The game steps 12 pixels a letter: glyphs of about 9 pixels with their
// outline leave the neighbour's outline clear of the ink.
constexpr int kPixelSize = 14;
constexpr int kBaseline = 12;
constexpr int kLeft = 2;
constexpr Rgb kFillTop{255, 255, 255};
constexpr Rgb kFillBottom{206, 218, 240};
constexpr Rgb kOutline{26, 18, 44};

void DrawGlyph(Image& sheet, int code, int cellX, int cellY) {
  const TextBitmap glyph = RenderText(kMonoBold, kPixelSize, std::string(1, char(code)));
  // RenderText puts the baseline at glyph.baseline; move it to kBaseline.
  const int shiftY = kBaseline - glyph.baseline;
  auto coverage = [&](int x, int y) { return glyph.At(x - kLeft, y - shiftY); };
  for (int y = 0; y < kFontCell; y++) {
    for (int x = 0; x < kFontCell; x++) {
      const int a = coverage(x, y);
      Rgb c = pal::kMagenta;
      if (a >= 56) {
        const Rgb fill = Mix(kFillTop, kFillBottom, float(y - 2) / 11.0f);
        c = Mix(kOutline, fill, std::min(1.0f, (a - 40) / 160.0f));
      } else {
        int near = 0;
        for (int dy = -1; dy <= 1; dy++)
          for (int dx = -1; dx <= 1; dx++) near = std::max(near, coverage(x + dx, y + dy));
        if (near >= 96) c = kOutline;
      }
      sheet.Set(cellX + x, cellY + y, c);
    }
  }
}

}  // namespace

Image DrawFontSheet() {
  Image sheet(kFontSheetSize, kFontSheetSize, pal::kMagenta);
  int cx = 0, cy = 0;
  for (int code = 33; code <= 127; code++) {
    if (code != 127) DrawGlyph(sheet, code, cx, cy);  // DEL has no glyph; its cell stays blank
    cy += kFontCell;
    if (cy >= kFontSheetSize) cx += kFontCell, cy = 0;
  }
  return sheet;
}
