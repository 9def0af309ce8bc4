// The full-screen pictures: title, level backdrop, the screens between
// levels, ranking and name entry, and the dark overlay. The game writes its
// own text on several of them, so those places are kept calm and dark.
#include <cmath>
#include <numbers>

#include "art.h"
#include "catalog.h"
#include "palette.h"
#include "text_render.h"

namespace {

constexpr int kW = 640, kH = 480;
constexpr float kPi = std::numbers::pi_v<float>;

const Lettering kTitleGold{{255, 240, 170}, {220, 140, 40}, {40, 20, 30}, 4, {10, 6, 20}, 6};
const Lettering kHeading{{255, 246, 200}, {236, 180, 80}, {30, 18, 36}, 3, {8, 6, 16}, 4};
const Lettering kSmall{{236, 236, 246}, {190, 196, 220}, {20, 16, 34}, 2, {0, 0, 0}, 0};

void Stars(Image& img, int top, int bottom, int count, int salt) {
  for (int i = 0; i < count; i++) {
    const int x = int(Noise2(i, 1, salt) * kW), y = top + int(Noise2(i, 2, salt) * (bottom - top));
    const float b = Noise2(i, 3, salt);
    const Rgb c = Mix({120, 120, 170}, {255, 255, 240}, b);
    if (b > 0.93f)
      Sparkle(img, x, y, 2, c, Mix(c, pal::kNight1, 0.5f));
    else
      img.Set(x, y, c);
  }
}

// Darkens a rounded panel and rings it in gold: where the game's text goes.
void Panel(Image& img, int x, int y, int w, int h) {
  Mask inside(kW, kH);
  inside.RoundRect(x, y, w, h, 8);
  Tint(img, inside, {8, 6, 20}, 0.72f);
  Mask ring(kW, kH);
  ring.RoundRect(x - 3, y - 3, w + 6, h + 6, 10).RoundRect(x, y, w, h, 8, false);
  Fill(img, ring, pal::kGold.base);
  Mask shine(kW, kH);
  shine.RoundRect(x - 3, y - 3, w + 6, h + 6, 10).RoundRect(x - 2, y - 2, w + 4, h + 4, 9, false);
  Fill(img, shine, pal::kGold.light);
}

void Sprite(Image& img, const char* dir, int slot, int scale, int x, int y) {
  Blit(img, Scale(DrawPicture(dir, slot), scale), x, y);
}

// A row of wall tiles along the bottom: the ground the scenes stand on.
void Ground(Image& img, int top, int scale) {
  const Image wall = Scale(DrawPicture(kSysDir, 10), scale);
  for (int y = top; y < kH; y += wall.height())
    for (int x = 0; x < kW; x += wall.width()) Blit(img, wall, x, y);
}

void Hills(Image& img, int base, float height, Rgb colour, int salt) {
  for (int x = 0; x < kW; x++) {
    const float h = height * (0.55f + 0.25f * std::sin(x * 0.011f + salt) + 0.2f * std::sin(x * 0.029f + salt * 2));
    for (int y = base - int(h); y < kH; y++) img.Set(x, y, colour);
  }
}

void Castle(Image& img, int x, int ground, Rgb colour, Rgb window) {
  auto tower = [&](int tx, int w, int h) {
    FillRect(img, tx, ground - h, w, h, colour);
    for (int i = 0; i < w; i += 8) FillRect(img, tx + i, ground - h - 6, 5, 6, colour);
  };
  tower(x, 40, 150);
  tower(x + 40, 90, 100);
  tower(x + 130, 36, 180);
  tower(x + 166, 60, 90);
  Mask roofs(kW, kH);
  roofs.Poly({{float(x + 126), float(ground - 180)},
              {float(x + 148), float(ground - 232)},
              {float(x + 170), float(ground - 180)}});
  roofs.Poly({{float(x - 4), float(ground - 150)},
              {float(x + 20), float(ground - 196)},
              {float(x + 44), float(ground - 150)}});
  Fill(img, roofs, colour);
  for (int i = 0; i < 6; i++) {
    const int wx = x + 8 + int(Noise2(i, 0, 9) * 200), wy = ground - 30 - int(Noise2(i, 1, 9) * 100);
    if (wx < x + 220) FillRect(img, wx, wy, 4, 7, window);
  }
}

// Title 150: the game's name over a moonlit castle. The menu (cursor at
// x 250, entries at x 280, y 240-360) sits on a dark panel.
Image Title() {
  Image img(kW, kH);
  Gradient(img, 0, 0, kW, 400, {pal::kNight0, pal::kNight1, pal::kNight2, pal::kDusk});
  Stars(img, 0, 300, 220, 1);
  Mask moon(kW, kH);
  moon.Circle(586, 196, 30);
  Glow(img, 586, 196, 110, {180, 170, 230}, 0.35f);
  Fill(img, moon, {236, 232, 206});
  Mask craters(kW, kH);
  craters.Circle(578, 188, 6).Circle(596, 206, 4).Circle(590, 180, 3);
  Fill(img, craters, {210, 204, 180});
  Hills(img, 380, 90, {44, 30, 70}, 1);
  Castle(img, 400, 330, {30, 22, 50}, {250, 200, 110});
  Hills(img, 400, 50, {28, 20, 46}, 4);
  Ground(img, 400, 1);
  // Floating blocks and the mage at the edges, clear of the menu.
  Sprite(img, kSysDir, 11, 1, 84, 210);
  Sprite(img, kSysDir, 11, 1, 132, 258);
  Sprite(img, kSysDir, 13, 1, 180, 306);
  Sprite(img, kSysDir, 11, 1, 470, 306);
  Sprite(img, kCharDir, 14, 2, 60, 304);
  Sprite(img, kSysDir, 21, 2, 500, 304);
  Sprite(img, kEnemyDir, 50, 1, 440, 200);
  Panel(img, 232, 222, 186, 164);
  DrawCentredText(img, kSerifBold, 74, "RUNEBLOCK", kW / 2, 46, kTitleGold, 1);
  DrawCentredText(img, kSansBold, 16, "a tale of rune magic", kW / 2, 150, kSmall);
  // What a newcomer needs before the first level, on a dimmed strip of the
  // ground: the goal, what the two magic keys do, and every key.
  Mask strip(kW, kH);
  strip.RoundRect(40, 406, kW - 80, 70, 8);
  Tint(img, strip, {8, 6, 20}, 0.6f);
  const Lettering goal{{255, 240, 170}, {236, 180, 80}, {20, 16, 34}, 2, {0, 0, 0}, 0};
  DrawCentredText(img, kSansBold, 15, "Take the key to the door before Life runs out", kW / 2, 410, goal);
  DrawCentredText(img, kSansBold, 13, "Z makes and breaks blocks  -  X throws fire", kW / 2, 433, kSmall);
  DrawCentredText(img, kSansBold, 13, "Arrows move   Z magic / choose   X fire   C pause   O options", kW / 2, 454,
                  kSmall);
  return img;
}

// Backdrop 153: the dark hall behind every level, fixed to the screen. Low
// contrast, so the tiles in front read at once.
Image Backdrop() {
  Image img(kW, kH);
  Gradient(img, 0, 0, kW, kH, {{16, 14, 30}, {26, 24, 44}, {30, 28, 50}, {18, 16, 30}});
  // Far arches.
  for (int i = 0; i < 5; i++) {
    const int x = 20 + i * 128;
    Mask pillar(kW, kH);
    pillar.Rect(x, 60, 28, kH);
    Tint(img, pillar, {44, 42, 70}, 0.5f);
    Mask arch(kW, kH);
    arch.Circle(x + 78, 120, 64).Circle(x + 78, 120, 52, false).Rect(0, 120, kW, kH, false);
    Tint(img, arch, {44, 42, 70}, 0.5f);
  }
  // Faint rune circles and motes of light.
  for (int i = 0; i < 3; i++) {
    Mask ring(kW, kH);
    const float cx = 110 + i * 210, cy = 250 + (i % 2) * 90;
    ring.Circle(cx, cy, 46).Circle(cx, cy, 43, false).Circle(cx, cy, 30).Circle(cx, cy, 28.5f, false);
    Tint(img, ring, {70, 90, 140}, 0.25f);
  }
  for (int i = 0; i < 90; i++) {
    const int x = int(Noise2(i, 5, 3) * kW), y = int(Noise2(i, 6, 3) * kH);
    img.Set(x, y, Mix(img.At(x, y), {120, 150, 210}, 0.5f));
  }
  return img;
}

// Level clear 161: a burst of light from the open door. The game writes
// "Level Clear!" at (280, 80) and the time left at (280, 140) on the panel.
Image LevelClear() {
  Image img(kW, kH);
  Gradient(img, 0, 0, kW, kH, {{30, 20, 60}, {110, 50, 90}, {230, 130, 80}, {255, 210, 120}});
  for (int i = 0; i < 16; i++) {
    const float a0 = kPi + i * kPi / 16, a1 = a0 + kPi / 36;
    Mask ray(kW, kH);
    ray.Poly({{320, 470},
              {320 + 900 * std::cos(a0), 470 + 900 * std::sin(a0)},
              {320 + 900 * std::cos(a1), 470 + 900 * std::sin(a1)}});
    Tint(img, ray, {255, 240, 190}, 0.18f);
  }
  Stars(img, 0, 160, 60, 2);
  Ground(img, 432, 1);
  Sprite(img, kSysDir, 21, 3, 248, 288);
  Sprite(img, kCharDir, 11, 2, 150, 336);
  Sprite(img, kSysDir, 22, 3, 60, 60);
  Sprite(img, kSysDir, 47, 2, 520, 230);
  Sprite(img, kSysDir, 46, 2, 450, 250);
  Panel(img, 262, 64, 236, 108);
  return img;
}

// Game over 162: the runes fall silent.
Image GameOver() {
  Image img(kW, kH);
  Gradient(img, 0, 0, kW, kH, {{8, 6, 14}, {40, 10, 24}, {80, 18, 34}, {20, 8, 16}});
  const Image block = Scale(DrawPicture(kSysDir, 12), 3);
  Blit(img, block, 320 - block.width() / 2, 250);
  const Image shard = Scale(DrawPicture(kSysDir, 100), 2);
  Blit(img, shard, 200, 300), Blit(img, shard, 400, 270), Blit(img, Scale(DrawPicture(kSysDir, 101), 2), 180, 220);
  Glow(img, 320, 320, 160, {120, 30, 50}, 0.35f);
  DrawCentredText(img, kSerifBold, 72, "GAME OVER", kW / 2, 110,
                  {{255, 200, 190}, {200, 60, 60}, {30, 6, 14}, 4, {0, 0, 0}, 6}, 4);
  DrawCentredText(img, kSansBold, 18, "The runes fall silent...", kW / 2, 210, kSmall);
  return img;
}

// Ending 163: dawn over the castle, the mage home with the key.
Image Ending() {
  Image img(kW, kH);
  Gradient(img, 0, 0, kW, 400, {{40, 40, 100}, {120, 80, 140}, {240, 140, 110}, pal::kDawn});
  Glow(img, 320, 350, 260, {255, 230, 160}, 0.7f);
  Mask sun(kW, kH);
  sun.Circle(320, 350, 56);
  Fill(img, sun, {255, 236, 170});
  Stars(img, 0, 120, 50, 3);
  Hills(img, 380, 80, {90, 50, 90}, 2);
  Castle(img, 40, 360, {60, 36, 70}, {255, 220, 140});
  Hills(img, 410, 40, {50, 30, 60}, 5);
  Ground(img, 432, 1);
  Sprite(img, kCharDir, 10, 3, 440, 288);
  Sprite(img, kSysDir, 22, 2, 500, 230);
  Sprite(img, kSysDir, 47, 2, 380, 336);
  DrawCentredText(img, kSerifBold, 80, "THE END", kW / 2, 60, kTitleGold, 4);
  DrawCentredText(img, kSansBold, 20, "Every rune restored. Thank you for playing!", kW / 2, 170, kSmall);
  return img;
}

void NightHall(Image& img, int salt) {
  Gradient(img, 0, 0, kW, kH, {pal::kNight0, pal::kNight1, {40, 28, 70}, pal::kNight0});
  Stars(img, 0, kH, 140, salt);
  for (int x = 0; x < kW; x += 48) {
    Sprite(img, kSysDir, 10, 1, x, 0);
    Sprite(img, kSysDir, 10, 1, x, kH - 48);
  }
}

// Ranking 164: five rows at x 200, y 150-342, 48 pixels apart.
Image Ranking() {
  Image img(kW, kH);
  NightHall(img, 4);
  DrawCentredText(img, kSerifBold, 44, "RANKING", kW / 2, 54, kHeading, 3);
  Panel(img, 128, 118, 384, 250);
  DrawCentredText(img, kSansBold, 12, "NAME", 218, 124, kSmall);
  DrawCentredText(img, kSansBold, 12, "ITEMS", 272, 124, kSmall);
  DrawCentredText(img, kSansBold, 12, "SCORE", 362, 124, kSmall);
  const char* places[] = {"1st", "2nd", "3rd", "4th", "5th"};
  for (int i = 0; i < 5; i++) {
    const Lettering place{i == 0 ? Rgb{255, 236, 150} : Rgb{200, 200, 220},
                          i == 0 ? Rgb{230, 160, 50} : Rgb{150, 150, 180},
                          {20, 16, 34},
                          2,
                          {0, 0, 0},
                          0};
    DrawCentredText(img, kSansBold, 18, places[i], 160, 147 + 48 * i, place);
    Mask stripe(kW, kH);
    stripe.RoundRect(190, 145 + 48 * i, 250, 26, 4);
    Tint(img, stripe, {60, 50, 110}, 0.35f);
  }
  Sprite(img, kSysDir, 47, 1, 452, 142);
  return img;
}

// Name entry 165: the name and score line at (200, 160), the letter box
// moving along it.
Image NameEntry() {
  Image img(kW, kH);
  NightHall(img, 5);
  DrawCentredText(img, kSerifBold, 44, "NEW RECORD!", kW / 2, 54, kHeading, 3);
  Panel(img, 176, 118, 288, 82);
  DrawCentredText(img, kSansBold, 12, "NAME", 218, 128, kSmall);
  DrawCentredText(img, kSansBold, 12, "ITEMS", 272, 128, kSmall);
  DrawCentredText(img, kSansBold, 12, "SCORE", 368, 128, kSmall);
  DrawCentredText(img, kSansBold, 17, "Up / Down   choose a letter", kW / 2, 250, kSmall);
  DrawCentredText(img, kSansBold, 17, "Left / Right   move", kW / 2, 282, kSmall);
  DrawCentredText(img, kSansBold, 17, "C   confirm", kW / 2, 314, kSmall);
  Sprite(img, kSysDir, 47, 2, 60, 300);
  Sprite(img, kSysDir, 46, 2, 500, 300);
  return img;
}

// Options 166: one panel for every row; the game writes the labels at x 64
// and the values at x 280 and x 444 (keys and pad buttons), rows 20 pixels
// apart from y 68, with gaps between the groups. The cursor bar lies under a value.
Image Options() {
  Image img(kW, kH);
  Gradient(img, 0, 0, kW, kH, {pal::kNight0, pal::kNight1, {40, 28, 70}, pal::kNight0});
  Stars(img, 0, kH, 160, 6);
  DrawCentredText(img, kSerifBold, 34, "OPTIONS", kW / 2, 8, kHeading, 3);
  Panel(img, 48, 58, 552, 392);
  // Faint stripes: the four groups of rows, and the key and pad columns.
  const int groups[][2] = {{66, 84}, {170, 164}, {334, 64}, {400, 24}};
  for (const auto& group : groups) {
    Mask stripe(kW, kH);
    stripe.RoundRect(56, group[0], 536, group[1], 4);
    Tint(img, stripe, {60, 50, 110}, 0.3f);
  }
  DrawCentredText(img, kSansBold, 12, "KEY", 350, 151, kSmall);
  DrawCentredText(img, kSansBold, 12, "PAD", 514, 151, kSmall);
  DrawCentredText(img, kSansBold, 13, "Up / Down  choose     Left / Right  change     Z  set     X  back", kW / 2, 456,
                  kSmall);
  Sprite(img, kSysDir, 22, 1, 56, 2);
  Sprite(img, kSysDir, 47, 1, 536, 4);
  return img;
}

// The options cursor 181: a gold-ringed bar under the value being chosen;
// black outside its round corners, so the panel shows there.
Image OptionsBar() {
  constexpr int w = 156, h = 20;
  Image img(w, h);
  Mask ring(w, h);
  ring.RoundRect(0, 0, w, h, 6);
  Fill(img, ring, pal::kGold.base);
  Mask inside(w, h);
  inside.RoundRect(2, 2, w - 4, h - 4, 5);
  Fill(img, inside, {74, 52, 118});
  Mask shine(w, h);
  shine.RoundRect(3, 3, w - 6, 5, 2);
  Fill(img, shine, {104, 80, 150});
  return img;
}

// Overlay 200: the dark cover of the level intro and of a death; a faint
// rune ring keeps it from looking like a blank screen.
Image Overlay() {
  Image img(kW, kH, {14, 12, 28});
  Mask ring(kW, kH);
  ring.Circle(320, 240, 150).Circle(320, 240, 146, false).Circle(320, 240, 110).Circle(320, 240, 108, false);
  for (int i = 0; i < 8; i++) {
    const float a = i * kPi / 4;
    ring.Capsule(320 + 110 * std::cos(a), 240 + 110 * std::sin(a), 320 + 150 * std::cos(a), 240 + 150 * std::sin(a),
                 1.2f);
  }
  Tint(img, ring, {40, 44, 80}, 0.6f);
  for (int y = 0; y < kH; y++)
    for (int x = 0; x < kW; x++) {
      const float d = std::hypot((x - 320) / 320.0f, (y - 240) / 240.0f);
      if (d > 0.7f) img.Set(x, y, Mix(img.At(x, y), {6, 4, 12}, std::min(1.0f, (d - 0.7f) * 1.5f)));
    }
  return img;
}

const Picture kPictures[] = {
    {kSysDir, FrameTitle, "screen_title.bmp", KeyNone, Title},
    // The backdrop is in both lists: the map folder's list puts it in place
    // before each level, the system list has it from the start.
    {kSysDir, FrameBackdrop, "backdrop.bmp", KeyNone, Backdrop},
    {kMapDir, FrameBackdrop, "backdrop.bmp", KeyNone, Backdrop},
    {kSysDir, FrameLevelClear, "screen_level_clear.bmp", KeyNone, LevelClear},
    {kSysDir, FrameGameOver, "screen_game_over.bmp", KeyNone, GameOver},
    {kSysDir, FrameEnding, "screen_ending.bmp", KeyNone, Ending},
    {kSysDir, FrameRanking, "screen_ranking.bmp", KeyNone, Ranking},
    {kSysDir, FrameNameEntry, "screen_name_entry.bmp", KeyNone, NameEntry},
    {kSysDir, FrameOptions, "screen_options.bmp", KeyNone, Options},
    {kSysDir, FrameOptionsBar, "options_bar.bmp", KeyBlack, OptionsBar},
    {kSysDir, FrameOverlay, "overlay.bmp", KeyNone, Overlay},
};

}  // namespace

std::span<const Picture> ScreenPictures() { return kPictures; }
