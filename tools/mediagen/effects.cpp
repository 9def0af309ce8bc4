// The player's fireball, the shards of a breaking block, the vanish puff,
// the name-entry box and the square of the level-clear wipe.
#include <cmath>

#include "art.h"
#include "catalog.h"
#include "palette.h"

namespace {

// A fireball flying right; the other directions are turned copies. It stays
// inside the 38 x 38 travel box that starts 5 pixels into the cell.
Image FireballRight(int phase) {
  Image img(kCell, kCell);
  Mask tail(kCell, kCell);
  const float wob = phase ? 2.5f : -2.5f;
  tail.Poly({{26, 14}, {12, 16 + wob}, {5, 22 - wob}, {14, 24}, {6, 29 + wob}, {14, 32}, {26, 34}});
  Paint(img, tail, {pal::kFire.dark, pal::kFire.dark, pal::kFire.base, pal::kFire.base}, {Shade::Flat});
  Mask mid(kCell, kCell);
  mid.Poly({{28, 17}, {16, 19 - wob}, {11, 24}, {17, 27 + wob}, {28, 31}});
  Fill(img, mid, pal::kFire.base);
  Mask ball(kCell, kCell);
  ball.Circle(29, 24, 9.5f);
  Paint(img, ball, pal::kFire);
  Mask core(kCell, kCell);
  core.Circle(31, 23, 5);
  Fill(img, core, pal::kFire.shine);
  Outline(img, {120, 30, 20});
  if (phase) {
    Sparkle(img, 9, 15, 1, pal::kFire.shine, pal::kFire.light);
    Sparkle(img, 13, 35, 1, pal::kFire.shine, pal::kFire.light);
  } else {
    Sparkle(img, 7, 31, 1, pal::kFire.shine, pal::kFire.light);
    Sparkle(img, 15, 12, 1, pal::kFire.shine, pal::kFire.light);
  }
  return img;
}

Image FireballRightA() { return FireballRight(0); }
Image FireballRightB() { return FireballRight(1); }
Image FireballLeftA() { return MirrorX(FireballRight(0)); }
Image FireballLeftB() { return MirrorX(FireballRight(1)); }
Image FireballDownA() { return Rotate(FireballRight(0), 1); }
Image FireballDownB() { return Rotate(FireballRight(1), 1); }
Image FireballUpA() { return Rotate(FireballRight(0), 3); }
Image FireballUpB() { return Rotate(FireballRight(1), 3); }

// Sparks 100 and 101: a quarter of a breaking block, 24 x 24, tumbling.
Image ShardLarge() {
  Image img(24, 24);
  Mask chunk(24, 24);
  chunk.Poly({{5, 6}, {15, 3}, {20, 10}, {17, 19}, {7, 18}, {3, 12}});
  Paint(img, chunk, pal::kRune, {Shade::Bevel, false, 2});
  Line(img, 8, 10, 14, 14, pal::kRuneGlow);
  Outline(img, pal::kInk);
  Sparkle(img, 19, 4, 2, pal::kWhite, pal::kRuneGlow);
  return img;
}

Image ShardSmall() {
  Image img(24, 24);
  Mask chunk(24, 24);
  chunk.Poly({{8, 9}, {15, 7}, {17, 14}, {10, 17}});
  Paint(img, chunk, pal::kRune, {Shade::Bevel, false, 1});
  Outline(img, pal::kInk);
  img.Set(4, 5, pal::kRuneGlow);
  img.Set(20, 18, pal::kRuneGlow);
  img.Set(19, 6, pal::kRune.light);
  img.Set(5, 19, pal::kRune.light);
  return img;
}

// Puff 102 and 103: a cloud of smoke, then the same cloud thinning out.
Image PuffDense() {
  Image img(kCell, kCell);
  Mask cloud(kCell, kCell);
  cloud.Circle(24, 26, 10).Circle(15, 28, 7).Circle(33, 28, 7).Circle(20, 18, 7).Circle(30, 19, 6);
  Paint(img, cloud, pal::kSmoke);
  Outline(img, {70, 72, 90});
  return img;
}

Image PuffThin() {
  Image img(kCell, kCell);
  const struct {
    float x, y, r;
  } wisps[] = {{9, 28, 5}, {39, 27, 5}, {16, 11, 4}, {33, 10, 4.5f}, {24, 40, 4}, {22, 23, 3}, {30, 32, 2.5f}};
  for (const auto& w : wisps) {
    Mask m(kCell, kCell);
    m.Circle(w.x, w.y, w.r);
    Paint(img, m, {pal::kSmoke.base, pal::kSmoke.light, pal::kSmoke.shine, pal::kSmoke.shine});
  }
  Outline(img, {110, 112, 130});
  return img;
}

// Name box 180: a thin gold frame placed 4 pixels up and left of one letter
// cell. Its sides fall in the gaps between letters, 12 pixels apart, and the
// arrows say that Up and Down change the letter.
Image NameBox() {
  Image img(20, 24);
  const Rgb bright = pal::kGold.shine, deep = pal::kGold.base;
  for (int y = 2; y <= 21; y++) {
    img.Set(2, y, bright), img.Set(3, y, deep);
    img.Set(16, y, deep), img.Set(17, y, bright);
  }
  for (int x = 2; x <= 17; x++) {
    img.Set(x, 2, bright), img.Set(x, 3, deep);
    img.Set(x, 20, deep), img.Set(x, 21, bright);
  }
  for (int i = 0; i < 2; i++) {
    for (int x = 9 - i; x <= 10 + i; x++) img.Set(x, i, bright), img.Set(x, 23 - i, bright);
  }
  return img;
}

// Wipe square 201: one of the 16 x 16 tiles that cover the screen when a
// level is won.
Image WipeSquare() {
  Image img(16, 16, {22, 18, 40});
  for (int i = 0; i < 16; i++) {
    img.Set(i, 0, {40, 34, 70}), img.Set(0, i, {40, 34, 70});
    img.Set(i, 15, {14, 12, 26}), img.Set(15, i, {14, 12, 26});
  }
  img.Set(7, 7, {52, 44, 90}), img.Set(8, 8, {52, 44, 90});
  return img;
}

// Magic marker 202: four gold corner brackets, bright against the blue
// blocks and the dark halls alike, framing the cell block magic would act
// on; open in the middle so the tile and whatever stands there stay in sight.
Image MagicMarker() {
  Image img(kCell, kCell);
  constexpr int kArm = 12;
  for (int corner = 0; corner < 4; corner++) {
    const bool right = corner & 1, bottom = corner & 2;
    for (int i = 0; i < kArm; i++) {
      for (int depth = 0; depth < 3; depth++) {
        const Rgb shade = depth == 1 ? pal::kGold.shine : depth == 0 ? pal::kInk : pal::kGold.base;
        const int edge = 1 + depth;
        const int along = 1 + i;
        const int x1 = right ? kCell - 1 - along : along, y1 = bottom ? kCell - 1 - edge : edge;
        const int x2 = right ? kCell - 1 - edge : edge, y2 = bottom ? kCell - 1 - along : along;
        img.Set(x1, y1, shade), img.Set(x2, y2, shade);
      }
    }
    img.Set(right ? kCell - 3 : 2, bottom ? kCell - 3 : 2, pal::kGold.shine);
  }
  return img;
}

const Picture kPictures[] = {
    {kSysDir, FrameFireball, "fireball_right_a.bmp", KeyBlack, FireballRightA},
    {kSysDir, FrameFireball + 1, "fireball_right_b.bmp", KeyBlack, FireballRightB},
    {kSysDir, FrameFireball + 2, "fireball_left_a.bmp", KeyBlack, FireballLeftA},
    {kSysDir, FrameFireball + 3, "fireball_left_b.bmp", KeyBlack, FireballLeftB},
    {kSysDir, FrameFireball + 4, "fireball_down_a.bmp", KeyBlack, FireballDownA},
    {kSysDir, FrameFireball + 5, "fireball_down_b.bmp", KeyBlack, FireballDownB},
    {kSysDir, FrameFireball + 6, "fireball_up_a.bmp", KeyBlack, FireballUpA},
    {kSysDir, FrameFireball + 7, "fireball_up_b.bmp", KeyBlack, FireballUpB},
    {kSysDir, FrameSpark, "shard_large.bmp", KeyBlack, ShardLarge},
    {kSysDir, FrameSpark + 1, "shard_small.bmp", KeyBlack, ShardSmall},
    {kSysDir, FramePuff, "puff_dense.bmp", KeyBlack, PuffDense},
    {kSysDir, FramePuff + 1, "puff_thin.bmp", KeyBlack, PuffThin},
    {kSysDir, FrameNameBox, "name_box.bmp", KeyBlack, NameBox},
    {kSysDir, FrameWipe, "wipe_square.bmp", KeyNone, WipeSquare},
    {kSysDir, FrameMagicMarker, "magic_marker.bmp", KeyBlack, MagicMarker},
};

}  // namespace

std::span<const Picture> EffectPictures() { return kPictures; }
