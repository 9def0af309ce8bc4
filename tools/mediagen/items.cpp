// Items, frames 40-57 for types 1-18: treasures that grow in size and
// splendour with their worth, two shifting magical trinkets that block magic
// transforms, and power-ups marked with what they give.
#include <cmath>
#include <numbers>

#include "art.h"
#include "catalog.h"
#include "palette.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

void Coin(Image& img, float cx, float cy, float r, const Ramp& metal) {
  Mask rim(kCell, kCell);
  rim.Circle(cx, cy, r);
  Paint(img, rim, metal);
  Mask face(kCell, kCell);
  face.Circle(cx, cy, r - 2.5f);
  Paint(img, face, {metal.light, metal.base, metal.base, metal.light}, {Shade::Bevel, false, 1});
}

// A cut gem: crown facets above the girdle, pavilion below.
void Gem(Image& img, float cx, float cy, float w, float h, const Ramp& stone) {
  const float top = cy - h * 0.35f, girdle = cy - h * 0.05f, bottom = cy + h * 0.6f;
  const float half = w / 2, table = w * 0.22f;
  Mask crownLeft(kCell, kCell), crownMid(kCell, kCell), crownRight(kCell, kCell);
  crownLeft.Poly({{cx - half, girdle}, {cx - table - 3, top}, {cx - table, top}, {cx - table * 0.8f, girdle}});
  crownMid.Poly({{cx - table, top}, {cx + table, top}, {cx + table * 0.8f, girdle}, {cx - table * 0.8f, girdle}});
  crownRight.Poly({{cx + table, top}, {cx + table + 3, top}, {cx + half, girdle}, {cx + table * 0.8f, girdle}});
  Mask pavLeft(kCell, kCell), pavRight(kCell, kCell);
  pavLeft.Poly({{cx - half, girdle}, {cx, girdle}, {cx, bottom}});
  pavRight.Poly({{cx, girdle}, {cx + half, girdle}, {cx, bottom}});
  Fill(img, crownLeft, stone.light);
  Fill(img, crownMid, stone.shine);
  Fill(img, crownRight, stone.base);
  Fill(img, pavLeft, stone.base);
  Fill(img, pavRight, stone.dark);
  Line(img, int(cx - half * 0.5f), int(girdle + 2), int(cx - 1), int(bottom - 3), stone.light);
}

// Item 1, worth 5: a copper coin.
Image CopperCoin() {
  Image img(kCell, kCell);
  Coin(img, 24, 26, 8, pal::kCopper);
  FillRect(img, 23, 22, 2, 8, pal::kCopper.dark);
  Outline(img, pal::kInk);
  return img;
}

// Item 2, worth 10: a silver coin.
Image SilverCoin() {
  Image img(kCell, kCell);
  Coin(img, 24, 26, 9.5f, pal::kSilver);
  Mask mark(kCell, kCell);
  mark.Poly({{24, 20}, {28, 26}, {24, 32}, {20, 26}}).Poly({{24, 23}, {26, 26}, {24, 29}, {22, 26}}, false);
  Fill(img, mark, pal::kSilver.dark);
  Outline(img, pal::kInk);
  Sparkle(img, 18, 20, 2, pal::kWhite, pal::kSilver.shine);
  return img;
}

// Item 3, worth 20: a gold coin with a star.
Image GoldCoin() {
  Image img(kCell, kCell);
  Coin(img, 24, 26, 11, pal::kGold);
  std::vector<Point> star;
  for (int i = 0; i < 10; i++) {
    const float a = -kPi / 2 + i * kPi / 5, r = i % 2 ? 2.6f : 6.0f;
    star.push_back({24 + r * std::cos(a), 26.5f + r * std::sin(a)});
  }
  Mask s(kCell, kCell);
  s.Poly(star);
  Fill(img, s, pal::kGold.dark);
  Outline(img, pal::kInk);
  Sparkle(img, 17, 19, 3, pal::kWhite, pal::kGold.shine);
  return img;
}

// Item 4, worth 40: a stack of gold coins.
Image CoinStack() {
  Image img(kCell, kCell);
  for (int i = 0; i < 4; i++) {
    Mask c(kCell, kCell);
    const float y = 38 - i * 5;
    c.Ellipse(20, y, 10, 4).Rect(10, y, 20, 3).Ellipse(20, y + 3, 10, 4);
    Paint(img, c, pal::kGold, {Shade::Round, true});
    Mask top(kCell, kCell);
    top.Ellipse(20, y, 8, 2.6f);
    Fill(img, top, pal::kGold.light);
  }
  Coin(img, 32, 30, 8.5f, pal::kGold);
  Outline(img, pal::kInk);
  Sparkle(img, 28, 24, 3, pal::kWhite, pal::kGold.shine);
  return img;
}

// Item 5, worth 100: a sapphire.
Image Sapphire() {
  Image img(kCell, kCell);
  Gem(img, 24, 26, 24, 24, pal::kBlue);
  Outline(img, pal::kInk);
  Sparkle(img, 19, 19, 3, pal::kWhite, pal::kBlue.shine);
  return img;
}

// Item 6, worth 200: a larger ruby.
Image Ruby() {
  Image img(kCell, kCell);
  Gem(img, 24, 25, 30, 30, pal::kRed);
  Outline(img, pal::kInk);
  Sparkle(img, 17, 16, 3, pal::kWhite, pal::kRed.shine);
  Sparkle(img, 31, 30, 2, pal::kWhite, pal::kRed.shine);
  return img;
}

// Item 7, worth 500: a jewelled golden chalice.
Image Chalice() {
  Image img(kCell, kCell);
  Mask cup(kCell, kCell);
  cup.Ellipse(24, 14, 12, 4).Poly({{12, 14}, {36, 14}, {31, 26}, {17, 26}}).Ellipse(24, 25, 7, 4);
  cup.Rect(22, 26, 4, 10).Ellipse(24, 40, 10, 3.5f).Rect(14, 38, 20, 3);
  Paint(img, cup, pal::kGold);
  Mask mouth(kCell, kCell);
  mouth.Ellipse(24, 14, 10, 2.5f);
  Fill(img, mouth, pal::kGold.dark);
  Gem(img, 24, 20, 6, 7, pal::kRed);
  img.Set(17, 19, pal::kGreen.light), img.Set(31, 19, pal::kBlue.light);
  Outline(img, pal::kInk);
  Sparkle(img, 15, 10, 3, pal::kWhite, pal::kGold.shine);
  return img;
}

// Item 8, worth 1000: a crown, the richest prize.
Image Crown() {
  Image img(kCell, kCell);
  Mask crown(kCell, kCell);
  crown.Poly({{6, 38}, {6, 14}, {15, 26}, {24, 10}, {33, 26}, {42, 14}, {42, 38}});
  Paint(img, crown, pal::kGold);
  Mask band(kCell, kCell);
  band.Rect(6, 32, 36, 6);
  Paint(img, band, pal::kGold, {Shade::Bevel, false, 1});
  for (float x : {6.0f, 24.0f, 42.0f}) {
    Mask pearl(kCell, kCell);
    pearl.Circle(x, x == 24.0f ? 10.0f : 14.0f, 2.8f);
    Paint(img, pearl, pal::kBone);
  }
  Gem(img, 24, 34, 8, 8, pal::kRed);
  Gem(img, 13, 35, 6, 6, pal::kBlue);
  Gem(img, 35, 35, 6, 6, pal::kGreen);
  Outline(img, pal::kInk);
  Sparkle(img, 11, 22, 3, pal::kWhite, pal::kGold.shine);
  Sparkle(img, 37, 6, 2, pal::kWhite, pal::kGold.shine);
  return img;
}

// A swirl of colour bands inside a sphere: the look of things that change.
void ShiftingOrb(Image& img, float cx, float cy, float r, std::initializer_list<Rgb> bands, float twist) {
  const std::vector<Rgb> b(bands);
  Mask orb(kCell, kCell);
  orb.Circle(cx, cy, r);
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++) {
      if (!orb.On(x, y)) continue;
      const float dx = x + 0.5f - cx, dy = y + 0.5f - cy, d = std::hypot(dx, dy) / r;
      const float a = std::atan2(dy, dx) + twist * d;
      const int band = int(std::floor((a / (2 * kPi) + 1.0f) * b.size() * 2)) % int(b.size());
      Rgb c = b[band];
      if (d > 0.85f) c = Mix(c, pal::kInk, 0.35f);
      img.Set(x, y, c);
    }
  Mask shine(kCell, kCell);
  shine.Ellipse(cx - r * 0.4f, cy - r * 0.45f, r * 0.28f, r * 0.18f);
  Fill(img, shine, pal::kWhite);
}

// Item 9, worth 5 but changed by magic: a swirling prism orb.
Image PrismOrb() {
  Image img(kCell, kCell);
  ShiftingOrb(img, 24, 25, 11, {{120, 220, 250}, {150, 86, 196}, {250, 240, 160}, {90, 126, 220}}, 3.0f);
  Outline(img, pal::kInk);
  Sparkle(img, 37, 13, 3, pal::kWhite, {170, 230, 255});
  Sparkle(img, 11, 36, 2, pal::kWhite, {210, 160, 240});
  return img;
}

// Item 10, worth 10 but changed by magic: a shifting star crystal.
Image StarCrystal() {
  Image img(kCell, kCell);
  std::vector<Point> star;
  for (int i = 0; i < 12; i++) {
    const float a = -kPi / 2 + i * kPi / 6, r = i % 2 ? 6.5f : 15.0f;
    star.push_back({24 + r * std::cos(a), 25 + r * std::sin(a)});
  }
  Mask s(kCell, kCell);
  s.Poly(star);
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++) {
      if (!s.On(x, y)) continue;
      const float a = std::atan2(y - 25.0f, x - 24.0f);
      const int facet = int(std::floor((a / (2 * kPi) + 1.0f) * 12)) % 4;
      const Rgb tones[4] = {{250, 120, 220}, {255, 220, 120}, {140, 230, 250}, {200, 150, 250}};
      img.Set(x, y, tones[facet]);
    }
  Mask heart(kCell, kCell);
  heart.Circle(24, 25, 3.5f);
  Fill(img, heart, pal::kWhite);
  Outline(img, pal::kInk);
  return img;
}

void Hourglass(Image& img, const Ramp& frame, float sandTop, float sandBottom) {
  const Ramp glass{{120, 150, 180}, {170, 200, 220}, {210, 230, 240}, {245, 250, 255}};
  Mask bulb(kCell, kCell);
  bulb.Poly({{14, 10}, {34, 10}, {26, 25}, {34, 40}, {14, 40}, {22, 25}});
  Paint(img, bulb, glass, {Shade::Flat});
  const Rgb sand{236, 196, 100};
  Mask top(kCell, kCell);
  top.Poly({{14, 10}, {34, 10}, {26, 25}, {22, 25}}).Rect(0, 0, 48, 25 - 14 * sandTop, false);
  Fill(img, top, sand);
  Mask bottom(kCell, kCell);
  bottom.Poly({{22, 25}, {26, 25}, {34, 40}, {14, 40}}).Rect(0, 0, 48, 40 - 14 * sandBottom, false);
  Fill(img, bottom, sand);
  if (sandTop > 0) FillRect(img, 24, 25, 1, 14, sand);
  Line(img, 17, 12, 22, 21, pal::kWhite);
  for (float y : {6.0f, 40.0f}) {
    Mask cap(kCell, kCell);
    cap.RoundRect(10, y, 28, 4, 1.5f);
    Paint(img, cap, frame, {Shade::Bevel, false, 1});
  }
  for (float x : {11.0f, 35.0f}) {
    Mask post(kCell, kCell);
    post.Rect(x, 10, 2, 30);
    Paint(img, post, frame, {Shade::Flat});
  }
}

// Item 11: doubles the time left: a full golden hourglass marked x2.
Image HourglassDouble() {
  Image img(kCell, kCell);
  Hourglass(img, pal::kGold, 0.9f, 0.25f);
  Outline(img, pal::kInk);
  TinyText(img, 30, 31, "x2", pal::kWhite, pal::kInk, 2);
  return img;
}

// Item 12: sets the time to half a full life: a silver hourglass half run.
Image HourglassHalf() {
  Image img(kCell, kCell);
  Hourglass(img, pal::kSilver, 0.5f, 0.5f);
  Outline(img, pal::kInk);
  return img;
}

void Potion(Image& img, float cx, float cy, float r, const Ramp& liquid) {
  const Ramp glass{{110, 130, 160}, {160, 180, 200}, {210, 222, 236}, {248, 250, 255}};
  Mask bottle(kCell, kCell);
  bottle.Circle(cx, cy, r).Rect(cx - r * 0.35f, cy - r * 1.55f, r * 0.7f, r);
  Paint(img, bottle, glass, {Shade::Flat});
  Mask fill(kCell, kCell);
  fill.Circle(cx, cy, r - 1.5f).Rect(0, 0, 48, cy - r * 0.45f, false);
  Paint(img, fill, liquid);
  Mask cork(kCell, kCell);
  cork.Rect(cx - r * 0.45f, cy - r * 1.8f, r * 0.9f, r * 0.4f);
  Paint(img, cork, pal::kWood, {Shade::Flat});
  Line(img, int(cx - r * 0.6f), int(cy - r * 0.3f), int(cx - r * 0.3f), int(cy - r * 0.6f), pal::kWhite);
}

// Item 13: one more fireball charge: a small mana flask.
Image ManaFlask() {
  Image img(kCell, kCell);
  Potion(img, 21, 30, 8, pal::kBlue);
  Outline(img, pal::kInk);
  TinyText(img, 29, 32, "+1", pal::kWhite, pal::kInk, 2);
  return img;
}

// Item 14: an extra life: a heart.
Image Heart() {
  Image img(kCell, kCell);
  Mask heart(kCell, kCell);
  heart.Circle(17, 18, 8).Circle(31, 18, 8).Poly({{9.5f, 21}, {38.5f, 21}, {24, 38}});
  Paint(img, heart, pal::kRed);
  Outline(img, pal::kInk);
  Sparkle(img, 14, 14, 2, pal::kWhite, pal::kRed.shine);
  TinyText(img, 12, 37, "1UP", pal::kWhite, pal::kInk, 2);
  return img;
}

void Flame(Image& img, float cx, float cy, float s) {
  Mask outer(kCell, kCell);
  outer.Circle(cx, cy + 3 * s, 7 * s)
      .Poly({{cx - 7 * s, cy + 2 * s},
             {cx - 2 * s, cy - 10 * s},
             {cx + 1 * s, cy - 3 * s},
             {cx + 5 * s, cy - 12 * s},
             {cx + 7 * s, cy + 2 * s}});
  Paint(img, outer, pal::kFire);
  Mask inner(kCell, kCell);
  inner.Circle(cx, cy + 5 * s, 3.5f * s)
      .Poly({{cx - 3.5f * s, cy + 5 * s}, {cx + 1 * s, cy - 3 * s}, {cx + 3.5f * s, cy + 5 * s}});
  Fill(img, inner, pal::kFire.shine);
}

// Item 15: fireballs fly a little longer: one flame, +1.
Image FlameOne() {
  Image img(kCell, kCell);
  Flame(img, 20, 26, 1.0f);
  Outline(img, pal::kInk);
  TinyText(img, 29, 32, "+1", pal::kWhite, pal::kInk, 2);
  return img;
}

// Item 16: fireballs fly longer still: a bigger double flame, +2.
Image FlameTwo() {
  Image img(kCell, kCell);
  Flame(img, 14, 26, 0.8f);
  Flame(img, 24, 22, 1.1f);
  Outline(img, pal::kInk);
  TinyText(img, 29, 32, "+2", pal::kWhite, pal::kInk, 2);
  return img;
}

// Item 17: five fireball charges: a big mana potion.
Image ManaPotion() {
  Image img(kCell, kCell);
  Potion(img, 21, 28, 11, pal::kViolet);
  Outline(img, pal::kInk);
  TinyText(img, 29, 32, "+5", pal::kWhite, pal::kInk, 2);
  return img;
}

// Item 18: five fireball charges: a spell book.
Image SpellBook() {
  Image img(kCell, kCell);
  Mask pages(kCell, kCell);
  pages.Poly({{11, 14}, {33, 10}, {37, 34}, {15, 38}});
  Paint(img, pages, pal::kBone, {Shade::Flat});
  Mask cover(kCell, kCell);
  cover.Poly({{8, 16}, {31, 12}, {35, 36}, {12, 40}});
  Paint(img, cover, pal::kBlue, {Shade::Bevel, false, 2});
  Mask rune(kCell, kCell);
  rune.Circle(21.5f, 26, 5).Circle(21.5f, 26, 3, false).Capsule(21.5f, 19, 21.5f, 33, 0.8f);
  Fill(img, rune, pal::kGold.light);
  Outline(img, pal::kInk);
  TinyText(img, 29, 32, "+5", pal::kWhite, pal::kInk, 2);
  return img;
}

const Picture kPictures[] = {
    {kSysDir, FrameItemBase + 1, "item_copper_coin.bmp", KeyBlack, CopperCoin},
    {kSysDir, FrameItemBase + 2, "item_silver_coin.bmp", KeyBlack, SilverCoin},
    {kSysDir, FrameItemBase + 3, "item_gold_coin.bmp", KeyBlack, GoldCoin},
    {kSysDir, FrameItemBase + 4, "item_coin_stack.bmp", KeyBlack, CoinStack},
    {kSysDir, FrameItemBase + 5, "item_sapphire.bmp", KeyBlack, Sapphire},
    {kSysDir, FrameItemBase + 6, "item_ruby.bmp", KeyBlack, Ruby},
    {kSysDir, FrameItemBase + 7, "item_chalice.bmp", KeyBlack, Chalice},
    {kSysDir, FrameItemBase + 8, "item_crown.bmp", KeyBlack, Crown},
    {kSysDir, FrameItemBase + 9, "item_prism_orb.bmp", KeyBlack, PrismOrb},
    {kSysDir, FrameItemBase + 10, "item_star_crystal.bmp", KeyBlack, StarCrystal},
    {kSysDir, FrameItemBase + 11, "item_hourglass_double.bmp", KeyBlack, HourglassDouble},
    {kSysDir, FrameItemBase + 12, "item_hourglass_half.bmp", KeyBlack, HourglassHalf},
    {kSysDir, FrameItemBase + 13, "item_mana_flask.bmp", KeyBlack, ManaFlask},
    {kSysDir, FrameItemBase + 14, "item_heart.bmp", KeyBlack, Heart},
    {kSysDir, FrameItemBase + 15, "item_flame_one.bmp", KeyBlack, FlameOne},
    {kSysDir, FrameItemBase + 16, "item_flame_two.bmp", KeyBlack, FlameTwo},
    {kSysDir, FrameItemBase + 17, "item_mana_potion.bmp", KeyBlack, ManaPotion},
    {kSysDir, FrameItemBase + 18, "item_spell_book.bmp", KeyBlack, SpellBook},
};

}  // namespace

std::span<const Picture> ItemPictures() { return kPictures; }
