#include "contact_sheet.h"

#include <string>

#include "text_render.h"

namespace {

constexpr int kColumns = 10;
constexpr int kCellW = 132, kCellH = 124;
constexpr Rgb kBack{40, 40, 46}, kCheckA{58, 58, 66}, kCheckB{70, 70, 78}, kFrame{110, 110, 130};
const Lettering kLabel{{240, 240, 240}, {200, 200, 210}, {20, 20, 24}, 1, {0, 0, 0}, 0};

}  // namespace

Image DrawContactSheet(const std::vector<Picture>& pictures) {
  std::vector<const Picture*> sprites;
  std::vector<Image> drawn;
  for (const Picture& p : pictures) {
    Image img = p.draw();
    if (img.width() > 64 || img.height() > 64) continue;  // full-screen pictures are looked at on their own
    sprites.push_back(&p);
    drawn.push_back(std::move(img));
  }
  const int rows = int(sprites.size() + kColumns - 1) / kColumns;
  Image sheet(kColumns * kCellW, rows * kCellH, kBack);
  for (size_t i = 0; i < sprites.size(); i++) {
    const int cx = int(i % kColumns) * kCellW, cy = int(i / kColumns) * kCellH;
    const Image big = Scale(drawn[i], 2);
    const int ox = cx + (kCellW - big.width()) / 2, oy = cy + 4;
    // A checkerboard marks the picture's own area, so transparency shows.
    for (int y = 0; y < big.height(); y++)
      for (int x = 0; x < big.width(); x++) sheet.Set(ox + x, oy + y, ((x / 8 + y / 8) & 1) ? kCheckA : kCheckB);
    for (int x = -1; x <= big.width(); x++)
      sheet.Set(ox + x, oy - 1, kFrame), sheet.Set(ox + x, oy + big.height(), kFrame);
    for (int y = -1; y <= big.height(); y++)
      sheet.Set(ox - 1, oy + y, kFrame), sheet.Set(ox + big.width(), oy + y, kFrame);
    Blit(sheet, big, ox, oy);
    std::string dir = sprites[i]->dir;
    if (dir.rfind("bmp/", 0) == 0) dir = dir.substr(4);
    const std::string label = dir.substr(0, dir.size() - 1) + " " + std::to_string(sprites[i]->slot);
    DrawLettering(sheet, RenderText(kSansBold, 11, label), cx + 6, cy + kCellH - 18, kLabel);
  }
  return sheet;
}
