#include "contact_sheet.h"

#include <string>

#include "font_sheet.h"
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

namespace {

// Draws text the way the game does: 16 x 16 cells from the sheet, magenta
// transparent, 12 pixels a letter.
void GameText(Image& screen, const Image& sheet, const std::string& text, int x, int y) {
  for (size_t i = 0; i < text.size(); i++) {
    const int c = static_cast<unsigned char>(text[i]);
    if (c <= 32 || c > 127) continue;
    const int cx = (c - 33) / 16 * 16, cy = (c - 33) % 16 * 16;
    for (int j = 0; j < 16; j++)
      for (int k = 0; k < 16; k++) {
        const Rgb p = sheet.At(cx + k, cy + j);
        if (!(p == Rgb{255, 0, 255})) screen.Set(x + int(i) * 12 + k, y + j, p);
      }
  }
}

// Any picture by folder and slot, the full-screen ones included.
Image Find(const char* dir, int slot) {
  for (const Picture& p : AllPictures())
    if (p.slot == slot && std::string(p.dir) == dir) return p.draw();
  return {};
}

void Put(Image& screen, const char* dir, int slot, int x, int y) { Blit(screen, Find(dir, slot), x, y); }

// A small made-up stretch of level: walls, blocks, items, enemies, player.
Image LevelScene(const Image& sheet) {
  Image screen = Find(kMapDir, 153);
  const char* rows[] = {
      "WWWWWWWWWWWWWW",  //
      "W   6     7  W",  //
      "W  2   4    3W",  //
      "W11    BBcW  W",  //
      "W    W    W  W",  //
      "W5 9 W  8 W 5W",  //
      "WWWWWWWWWWWWWW",  //
      "WWWWWWWWWWWWWW",
  };
  for (int r = 0; r < 8; r++)
    for (int c = 0; c < 14; c++) {
      const char t = rows[r][c];
      const int slot = t == 'W' ? 10 : t == 'B' ? 11 : t == 'c' ? 12 : (t >= '1' && t <= '9') ? t - '0' : 0;
      if (slot) Put(screen, kSysDir, slot, c * 48 - 16, r * 48 - 8);
    }
  Put(screen, kSysDir, 14, 5 * 48 - 16, 4 * 48 - 8);
  Put(screen, kSysDir, 20, 12 * 48 - 16, 4 * 48 - 8);
  Put(screen, kSysDir, 22, 7 * 48 - 16, 1 * 48 - 8);
  Put(screen, kSysDir, 42, 2 * 48 - 16, 2 * 48 - 8);
  Put(screen, kSysDir, 47, 4 * 48 - 16, 4 * 48 - 8);
  Put(screen, kSysDir, 52, 9 * 48 - 16, 1 * 48 - 8);
  Put(screen, kSysDir, 48, 3 * 48 - 16, 2 * 48 - 8);
  Put(screen, kSysDir, 13, 8 * 48 - 16, 2 * 48 - 8);
  Put(screen, kCharDir, 14, 6 * 48 - 16, 5 * 48 - 8);
  Put(screen, kSysDir, 80, 8 * 48 - 16, 5 * 48 - 8);
  Put(screen, kEnemyDir, 74, 10 * 48 - 16 + 8, 5 * 48 - 8);
  Put(screen, kEnemyDir, 50, 10 * 48 - 16, 1 * 48 - 8);
  Put(screen, kEnemyDir, 60, 1 * 48 - 16, 4 * 48 - 8);
  Put(screen, kEnemyDir, 111, 2 * 48 - 16, 4 * 48 - 8);
  Put(screen, kEnemyDir, 31, 12 * 48 - 16, 2 * 48 - 8);
  Put(screen, kEnemyDir, 42, 11 * 48 - 16, 2 * 48 - 8);
  Put(screen, kEnemyDir, 80, 3 * 48 - 16, 5 * 48 - 8);
  Put(screen, kSysDir, 100, 8 * 48 - 16, 3 * 48 - 8 - 6);
  Put(screen, kSysDir, 100, 8 * 48 + 8, 3 * 48 - 8 - 6);
  GameText(screen, sheet, "Life   9876 Score    12300", 0, 0);
  GameText(screen, sheet, "Magic x   5", 0, 463);
  return screen;
}

}  // namespace

bool WriteScreenPreviews(const std::string& dir) {
  const Image sheet = DrawFontSheet();
  std::vector<std::pair<std::string, Image>> shots;

  Image title = Find(kSysDir, 150);
  const char* entries[] = {"Start", "Continue", "Ranking", "Exit"};
  for (int i = 0; i < 4; i++) GameText(title, sheet, entries[i], 280, 240 + 40 * i);
  Put(title, kSysDir, 22, 250, 234 + 40);
  shots.push_back({"title", title});

  Image clear = Find(kSysDir, 161);
  GameText(clear, sheet, "Level Clear!", 280, 80);
  GameText(clear, sheet, "Left Time   4321", 280, 140);
  shots.push_back({"level_clear", clear});

  Image ranking = Find(kSysDir, 164);
  const char* rows[] = {"ABC  10      100 00", "DEF   9       90 00", "GHI   8       80 00", "JKL   7       70 00",
                        "MNO   6       60 00"};
  for (int i = 0; i < 5; i++) GameText(ranking, sheet, rows[i], 200, 150 + 48 * i);
  shots.push_back({"ranking", ranking});

  Image name = Find(kSysDir, 165);
  GameText(name, sheet, "AB_  35%      12300", 200, 160);
  Put(name, kSysDir, 180, 196 + 12 * 1, 156);
  shots.push_back({"name_entry", name});

  Image lives(640, 480, {0, 0, 0});
  Put(lives, kCharDir, 10, 250, 200);
  GameText(lives, sheet, "x  3", 300, 200);
  shots.push_back({"lives", lives});

  Image intro = LevelScene(sheet);
  shots.push_back({"level", intro});
  Image paused = intro;
  GameText(paused, sheet, "Paused", 130, 100);
  GameText(paused, sheet, "Level 3", 280, 200);
  shots.push_back({"level_text", paused});

  for (const auto& [file, img] : shots)
    if (!WriteFileAtomically(dir + "/preview_" + file + ".bmp", EncodeBmp(img, KeyNone))) return false;
  return true;
}
