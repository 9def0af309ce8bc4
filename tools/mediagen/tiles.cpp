// Level tiles (codes 1-14), the door and the key. Solid tiles are bright and
// bevelled; scenery (1-9) and the ward (14) are dim and flat, so they read as
// background.
#include <cmath>

#include "art.h"
#include "catalog.h"
#include "palette.h"

namespace {

// Bricks of w x h with one-pixel mortar, every other row shifted by half a
// brick, repeating every 48 pixels so neighbouring cells join up.
Image Bricks(const Ramp& ramp, Rgb mortar, int bw, int bh, bool bevel, int salt) {
  Image img(kCell, kCell);
  for (int y = 0; y < kCell; y++) {
    const int row = y / bh, by = y % bh;
    const int shift = (row % 2) * bw / 2;
    for (int x = 0; x < kCell; x++) {
      const int sx = (x + shift) % kCell;
      const int col = sx / bw, bx = sx % bw;
      if (bx == bw - 1 || by == bh - 1) {
        img.Set(x, y, mortar);
        continue;
      }
      const float n = Noise2(col, row, salt);
      Rgb c = n < 0.33f ? Mix(ramp.base, ramp.dark, 0.25f) : n > 0.7f ? Mix(ramp.base, ramp.light, 0.25f) : ramp.base;
      if (bevel) {
        if (by == 0 || bx == 0) c = ramp.light;
        if (by == 0 && bx < bw / 3) c = ramp.shine;
        if (by == bh - 2 || bx == bw - 2) c = ramp.dark;
      }
      // Pits and grain.
      if (Noise2(x, y, salt + 7) > 0.93f) c = ramp.dark;
      img.Set(x, y, c);
    }
  }
  return img;
}

// Scenery 1: the back wall of a room, one step from the backdrop.
Image BackBricks() { return Bricks(pal::kDimStone, {24, 24, 38}, 24, 16, false, 3); }

// Scenery 2: a torch in an iron bracket.
Image WallTorch() {
  Image img(kCell, kCell);
  Mask bracket(kCell, kCell);
  bracket.Rect(21, 26, 6, 14).Rect(17, 38, 14, 3).Poly({{18, 22}, {30, 22}, {27, 28}, {21, 28}});
  Paint(img, bracket, {{40, 40, 56}, {66, 68, 86}, {96, 98, 118}, {130, 132, 150}}, {Shade::Bevel, false, 1});
  Mask flame(kCell, kCell);
  flame.Ellipse(24, 16, 6, 7).Poly({{18, 15}, {24, 2}, {30, 15}});
  Paint(img, flame, pal::kFire);
  Mask core(kCell, kCell);
  core.Ellipse(24, 18, 3, 4).Poly({{21, 17}, {24, 9}, {27, 17}});
  Fill(img, core, pal::kFire.shine);
  Outline(img, pal::kInk);
  return img;
}

// Scenery 3: an arched window onto the night.
Image ArchWindow() {
  Image img(kCell, kCell);
  Mask frame(kCell, kCell);
  frame.RoundRect(8, 4, 32, 44, 15);
  Paint(img, frame, pal::kDimStone, {Shade::Bevel, false, 3});
  Mask sky(kCell, kCell);
  sky.RoundRect(12, 8, 24, 40, 11);
  for (int y = 8; y < 48; y++)
    for (int x = 12; x < 36; x++)
      if (sky.On(x, y)) img.Set(x, y, Mix(pal::kNight1, pal::kNight2, (y - 8) / 40.0f));
  Mask moon(kCell, kCell);
  moon.Circle(28, 16, 4).Circle(30, 14, 4, false);
  Fill(img, moon, {226, 222, 190});
  img.Set(17, 24, {180, 180, 210});
  img.Set(22, 13, {200, 200, 230});
  img.Set(31, 33, {160, 160, 200});
  FillRect(img, 23, 8, 2, 40, {34, 36, 54});  // mullion
  FillRect(img, 12, 28, 24, 2, {34, 36, 54});
  return img;
}

// Scenery 4: a hanging banner with a rune emblem.
Image Banner() {
  Image img(kCell, kCell);
  Mask rod(kCell, kCell);
  rod.Rect(10, 2, 28, 3);
  Paint(img, rod, pal::kWood, {Shade::Flat});
  Mask cloth(kCell, kCell);
  cloth.Poly({{13, 5}, {35, 5}, {35, 44}, {24, 37}, {13, 44}});
  Paint(img, cloth, {{70, 20, 36}, {104, 30, 46}, {130, 44, 56}, {150, 60, 66}}, {Shade::Bevel, false, 1});
  Mask emblem(kCell, kCell);
  emblem.Poly({{24, 12}, {30, 20}, {24, 28}, {18, 20}}).Poly({{24, 15}, {27, 20}, {24, 25}, {21, 20}}, false);
  Fill(img, emblem, {170, 130, 60});
  FillRect(img, 13, 7, 22, 1, {150, 110, 50});
  Outline(img, pal::kInk);
  return img;
}

// Scenery 5: weeds and a few flowers growing from the floor below.
Image Weeds() {
  Image img(kCell, kCell);
  const Rgb stem{54, 92, 50}, leaf{72, 118, 60};
  for (int i = 0; i < 9; i++) {
    const int x = 4 + i * 5 + int(Noise2(i, 0, 5) * 3);
    const int h = 8 + int(Noise2(i, 1, 5) * 12);
    const int lean = int(Noise2(i, 2, 5) * 5) - 2;
    Line(img, x, 47, x + lean, 47 - h, i % 2 ? stem : leaf);
    Line(img, x + 1, 47, x + 1 + lean / 2, 47 - h / 2, leaf);
  }
  Sparkle(img, 12, 34, 1, {230, 200, 90}, {190, 120, 140});
  Sparkle(img, 33, 31, 1, {230, 200, 90}, {150, 130, 210});
  return img;
}

// Scenery 6: a cobweb in the top-left corner.
Image Cobweb() {
  Image img(kCell, kCell);
  const Rgb silk{120, 124, 144};
  for (int a = 0; a <= 4; a++) {
    const float ang = a * 3.14159f / 8.0f;
    Line(img, 0, 0, int(40 * std::cos(ang)), int(40 * std::sin(ang)), silk);
  }
  for (int ring = 1; ring <= 4; ring++) {
    const float r = ring * 9.0f;
    int px = int(r), py = 0;
    for (int a = 1; a <= 4; a++) {
      const float ang = a * 3.14159f / 8.0f;
      const float sag = 0.86f;
      const int mx = int(r * sag * std::cos(ang - 0.2f)), my = int(r * sag * std::sin(ang - 0.2f));
      const int nx = int(r * std::cos(ang)), ny = int(r * std::sin(ang));
      Line(img, px, py, mx, my, silk);
      Line(img, mx, my, nx, ny, silk);
      px = nx, py = ny;
    }
  }
  return img;
}

// Scenery 7: a chain hanging from the ceiling.
Image Chain() {
  Image img(kCell, kCell);
  const Ramp iron{{44, 44, 58}, {74, 76, 94}, {104, 106, 124}, {140, 142, 160}};
  for (int i = 0; i < 6; i++) {
    Mask link(kCell, kCell);
    if (i % 2 == 0)
      link.Ellipse(24, 4 + i * 8, 3.5f, 5.5f).Ellipse(24, 4 + i * 8, 1.5f, 3.5f, false);
    else
      link.Rect(23, i * 8, 2, 9);
    Paint(img, link, iron, {Shade::Flat});
  }
  Outline(img, pal::kInk);
  return img;
}

// Scenery 8: a pillar segment that stacks into columns.
Image Pillar() {
  Image img(kCell, kCell);
  for (int y = 0; y < kCell; y++)
    for (int x = 12; x < 36; x++) {
      const float u = (x - 12) / 23.0f;
      Rgb c = u < 0.2f ? pal::kDimStone.light : u < 0.7f ? pal::kDimStone.base : pal::kDimStone.dark;
      if ((x - 12) % 6 == 5) c = pal::kDimStone.dark;  // flutes
      if (y % 24 == 23) c = {24, 24, 38};
      img.Set(x, y, c);
    }
  return img;
}

// Scenery 9: glowing cave mushrooms.
Image Mushrooms() {
  Image img(kCell, kCell);
  const Ramp cap{{40, 70, 96}, {50, 110, 140}, {90, 170, 190}, {170, 240, 240}};
  const Ramp stalk{{120, 116, 110}, {170, 166, 150}, {200, 196, 180}, {230, 226, 210}};
  const struct { float x, h, r; } shrooms[] = {{14, 12, 7}, {30, 18, 9}, {40, 8, 4.5f}};
  for (const auto& s : shrooms) {
    Mask st(kCell, kCell);
    st.Rect(s.x - 1.5f, 48 - s.h, 3, s.h);
    Paint(img, st, stalk, {Shade::Flat});
    Mask c(kCell, kCell);
    c.Ellipse(s.x, 48 - s.h, s.r, s.r * 0.7f).Rect(s.x - s.r, 48 - s.h, 2 * s.r, s.r);
    Paint(img, c, cap);
  }
  Outline(img, pal::kInk);
  img.Set(27, 27, pal::kRuneGlow);
  img.Set(33, 29, pal::kRuneGlow);
  img.Set(12, 35, pal::kRuneGlow);
  return img;
}

// Tile 10: the unbreakable wall.
Image Wall() { return Bricks(pal::kStone, {34, 34, 50}, 24, 16, true, 1); }

// The carved rune shared by the block pictures.
void Rune(Image& img, Rgb core, Rgb halo) {
  Mask rune(kCell, kCell);
  rune.Capsule(24, 12, 24, 36, 1.3f)
      .Capsule(24, 17, 33, 24, 1.3f)
      .Capsule(24, 31, 15, 24, 1.3f)
      .Capsule(16, 14, 24, 20, 1.3f)
      .Capsule(32, 34, 24, 28, 1.3f);
  Mask glow = rune;
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++)
      if (rune.On(x - 1, y) || rune.On(x + 1, y) || rune.On(x, y - 1) || rune.On(x, y + 1)) glow.Put(x, y, true);
  Fill(img, glow, halo);
  Fill(img, rune, core);
}

Image BlockBase() {
  Image img(kCell, kCell);
  Mask body(kCell, kCell);
  body.RoundRect(0, 0, 48, 48, 3);
  Paint(img, body, pal::kRune, {Shade::Bevel, false, 3});
  Mask face(kCell, kCell);
  face.Rect(6, 6, 36, 36);
  Paint(img, face, {pal::kRune.light, pal::kRune.base, pal::kRune.dark, pal::kRune.dark}, {Shade::Bevel, false, 1});
  // Corner studs.
  for (int cx : {3, 44})
    for (int cy : {3, 44}) img.Set(cx, cy, pal::kRune.shine);
  return img;
}

// Tile 11: a block made by magic.
Image Block() {
  Image img = BlockBase();
  Rune(img, pal::kRuneGlow, pal::kRune.light);
  return img;
}

// Tile 12: the same block after a head bump: cracked, its rune fading.
Image CrackedBlock() {
  Image img = BlockBase();
  Rune(img, pal::kRune.light, pal::kRune.base);
  const Rgb crack{14, 26, 52};
  const int path[][2] = {{0, 10}, {8, 14}, {13, 12}, {20, 19}, {26, 18}, {31, 25}, {38, 24}, {47, 31}};
  for (int i = 0; i + 1 < 8; i++) {
    Line(img, path[i][0], path[i][1], path[i + 1][0], path[i + 1][1], crack);
    Line(img, path[i][0], path[i][1] + 1, path[i + 1][0], path[i + 1][1] + 1, pal::kRune.shine);
  }
  Line(img, 20, 19, 17, 30, crack);
  Line(img, 17, 30, 21, 40, crack);
  Line(img, 31, 25, 36, 8, crack);
  Line(img, 36, 8, 33, 0, crack);
  return img;
}

// Tile 13: a block forming or breaking: half there, with sparks.
Image ChangingBlock() {
  const Image block = Block();
  Image img(kCell, kCell);
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++) {
      const bool edge = x < 2 || y < 2 || x > 45 || y > 45;
      if (edge || (x + y) % 2 == 0) img.Set(x, y, edge ? pal::kRune.shine : block.At(x, y));
    }
  Sparkle(img, 10, 11, 4, pal::kWhite, pal::kRuneGlow);
  Sparkle(img, 37, 35, 3, pal::kWhite, pal::kRuneGlow);
  Sparkle(img, 36, 9, 2, pal::kWhite, pal::kRuneGlow);
  return img;
}

// Tile 14: a ward that magic cannot touch. The player walks and falls
// through it, so it must not look like ground: a thin diagonal lattice with
// the backdrop showing between the bars, no frame and no top edge, so
// neighbouring cells run into one net. A faint crossed rune says why.
Image NoMagic() {
  Image img(kCell, kCell);
  // Bars 12 pixels apart on both diagonals; 48 is a multiple, so cells join.
  const Rgb bar{58, 54, 84}, barLit{76, 70, 104}, knot{118, 40, 58};
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++) {
      const int a = (x + y) % 12, b = (x - y + kCell) % 12;
      if (a == 0 && b == 0)
        img.Set(x, y, knot);
      else if (a == 0 || b == 0)
        img.Set(x, y, a == 0 ? barLit : bar);
    }
  // The warding sign: a small rune, a ring round it and a stroke through
  // both, in dim red over the net.
  Mask rune(kCell, kCell);
  rune.Capsule(24, 18, 24, 30, 0.6f).Capsule(24, 20, 28, 23, 0.6f).Capsule(24, 28, 20, 25, 0.6f);
  Fill(img, rune, {92, 104, 150});
  const Rgb ward{126, 34, 50}, wardLit{170, 54, 64};
  Mask ring(kCell, kCell);
  ring.Circle(24, 24, 11).Circle(24, 24, 9.6f, false);
  Mask strike(kCell, kCell);
  strike.Capsule(17, 17, 31, 31, 0.8f).Intersect(Mask(kCell, kCell).Circle(24, 24, 10));
  Fill(img, ring, ward);
  Fill(img, strike, ward);
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++)
      if ((ring.On(x, y) || strike.On(x, y)) && !(ring.On(x - 1, y - 1) || strike.On(x - 1, y - 1)))
        img.Set(x, y, wardLit);
  return img;
}

void DoorFrame(Image& img) {
  Mask arch(kCell, kCell);
  arch.RoundRect(2, 0, 44, 60, 20);
  Paint(img, arch, pal::kStone, {Shade::Bevel, false, 3});
  // Stones around the arch.
  for (int y = 14; y < 48; y += 12) {
    FillRect(img, 2, y, 5, 1, {34, 34, 50});
    FillRect(img, 41, y + 6, 5, 1, {34, 34, 50});
  }
}

// Door 20: closed, with a big lock plate.
Image DoorClosed() {
  Image img(kCell, kCell);
  DoorFrame(img);
  Mask leaf(kCell, kCell);
  leaf.RoundRect(7, 5, 34, 56, 16);
  Paint(img, leaf, pal::kWood, {Shade::Bevel, false, 2});
  for (int x = 15; x < 40; x += 8) FillRect(img, x, 6, 1, 42, pal::kWood.dark);  // planks
  const Ramp iron{{40, 42, 56}, {70, 72, 90}, {104, 106, 126}, {150, 152, 170}};
  for (int y : {14, 36}) {
    Mask band(kCell, kCell);
    band.Rect(8, y, 32, 3);
    Paint(img, band, iron, {Shade::Bevel, false, 1});
  }
  Mask plate(kCell, kCell);
  plate.RoundRect(19, 21, 10, 13, 2);
  Paint(img, plate, pal::kGold, {Shade::Bevel, false, 1});
  Mask hole(kCell, kCell);
  hole.Circle(24, 26, 1.8f).Poly({{23, 26}, {25, 26}, {26, 31}, {22, 31}});
  Fill(img, hole, pal::kInk);
  Outline(img, pal::kInk);
  return img;
}

// Door 21: open, the way out full of light.
Image DoorOpen() {
  Image img(kCell, kCell);
  DoorFrame(img);
  Mask way(kCell, kCell);
  way.RoundRect(7, 5, 34, 56, 16);
  for (int y = 0; y < kCell; y++)
    for (int x = 0; x < kCell; x++)
      if (way.On(x, y)) {
        const float d = std::hypot((x - 24) / 17.0f, (y - 30) / 26.0f);
        img.Set(x, y, Mix(pal::kFire.shine, {236, 150, 60}, std::min(1.0f, d * 1.1f)));
      }
  // The leaf swung inward, seen edge-on at the left.
  Mask leaf(kCell, kCell);
  leaf.Poly({{7, 14}, {13, 18}, {13, 48}, {7, 48}});
  Paint(img, leaf, pal::kWood, {Shade::Flat});
  FillRect(img, 7, 14, 1, 34, pal::kWood.dark);
  for (int i = 0; i < 5; i++) Sparkle(img, 18 + i * 5, 14 + (i * 7) % 22, 1, pal::kWhite, pal::kFire.light);
  Outline(img, pal::kInk);
  return img;
}

// Key 22, also the menu cursor: it lies in the cell's upper-left 30 x 26
// pixels, pointing right, so beside a menu entry it ends before the text.
Image Key() {
  Image img(kCell, kCell);
  Mask key(kCell, kCell);
  key.Circle(8, 14, 6.5f).Circle(8, 14, 2.6f, false).Rect(13, 12, 15, 4).Rect(20, 16, 3, 5).Rect(25, 16, 3, 7);
  Paint(img, key, pal::kGold);
  Outline(img, pal::kInk);
  Sparkle(img, 5, 9, 2, pal::kWhite, pal::kGold.shine);
  return img;
}

const Picture kPictures[] = {
    {kSysDir, 1, "back_bricks.bmp", KeyBlack, BackBricks},
    {kSysDir, 2, "wall_torch.bmp", KeyBlack, WallTorch},
    {kSysDir, 3, "arch_window.bmp", KeyBlack, ArchWindow},
    {kSysDir, 4, "banner.bmp", KeyBlack, Banner},
    {kSysDir, 5, "weeds.bmp", KeyBlack, Weeds},
    {kSysDir, 6, "cobweb.bmp", KeyBlack, Cobweb},
    {kSysDir, 7, "chain.bmp", KeyBlack, Chain},
    {kSysDir, 8, "pillar.bmp", KeyBlack, Pillar},
    {kSysDir, 9, "mushrooms.bmp", KeyBlack, Mushrooms},
    {kSysDir, 10, "wall.bmp", KeyBlack, Wall},
    {kSysDir, 11, "block.bmp", KeyBlack, Block},
    {kSysDir, 12, "block_cracked.bmp", KeyBlack, CrackedBlock},
    {kSysDir, 13, "block_changing.bmp", KeyBlack, ChangingBlock},
    {kSysDir, 14, "no_magic.bmp", KeyBlack, NoMagic},
    {kSysDir, FrameDoorClosed, "door_closed.bmp", KeyBlack, DoorClosed},
    {kSysDir, FrameDoorOpen, "door_open.bmp", KeyBlack, DoorOpen},
    {kSysDir, FrameKey, "key.bmp", KeyBlack, Key},
};

}  // namespace

std::span<const Picture> TilePictures() { return kPictures; }
