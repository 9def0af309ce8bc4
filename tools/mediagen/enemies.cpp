// Enemies, their shots and strikes. Each creature is drawn facing right by
// one function with a frame argument; left-facing frames are mirrors.
// Walkers stand on the cell's bottom row like the player.
#include <cmath>
#include <numbers>

#include "art.h"
#include "catalog.h"
#include "palette.h"

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

void Eye(Image& img, int x, int y, Rgb colour, int size = 2) {
  FillRect(img, x, y, size, size, colour);
  img.Set(x, y, pal::kWhite);
}

// Frame 0: the gathering glint a shot or strike shows while it winds up,
// and what a flyer moving up or down (a drill boring through blocks) shows
// all the time, so it must be seen without looking like a foe that bites.
Image Glint() {
  Image img(kCell, kCell);
  Sparkle(img, 24, 24, 7, {226, 222, 250}, {140, 128, 190});
  for (int i = 0; i < 8; i++) {
    const float a = i * kPi / 4 + kPi / 8;
    const int x = 24 + static_cast<int>(std::lround(12 * std::cos(a)));
    const int y = 24 + static_cast<int>(std::lround(12 * std::sin(a)));
    FillRect(img, x - 1, y - 1, 2, 2, {120, 108, 170});
    img.Set(x, y, {200, 192, 240});
  }
  return img;
}

// Crawler 10-11: a spiny urchin that creeps along any surface, so it looks
// the same whichever way up it is.
Image Crawler(int frame) {
  Image img(kCell, kCell);
  std::vector<Point> spikes;
  for (int i = 0; i < 24; i++) {
    const float a = i * kPi / 12 + frame * kPi / 24;
    const float r = i % 2 ? 10.0f : 17.0f;
    spikes.push_back({24 + r * std::cos(a), 24 + r * std::sin(a)});
  }
  Mask spiky(kCell, kCell);
  spiky.Poly(spikes);
  Paint(img, spiky, {pal::kViolet.dark, pal::kViolet.dark, pal::kViolet.base, pal::kViolet.light}, {Shade::Flat});
  Mask body(kCell, kCell);
  body.Circle(24, 24, 11);
  Paint(img, body, pal::kViolet);
  Outline(img, pal::kInk);
  Eye(img, 19, 21, pal::kEyeYellow, 3);
  Eye(img, 26, 21, pal::kEyeYellow, 3);
  img.Set(20, 22, pal::kInk), img.Set(27, 22, pal::kInk);
  FillRect(img, 21, 28, 6, 1, pal::kViolet.dark);
  return img;
}

// Walker 20-23: an armoured roller. The frames turn its shell an eighth of a
// quarter each, so 20 to 23 rolls right and 23 to 20 rolls left; the face
// on its hub stays upright.
Image Walker(int frame) {
  Image img(kCell, kCell);
  const float cx = 24, cy = 32, r = 15;
  const Ramp shell{{44, 70, 62}, {70, 108, 92}, {104, 148, 120}, {160, 200, 160}};
  Mask body(kCell, kCell);
  body.Circle(cx, cy, r);
  Paint(img, body, shell);
  // Plate seams and studs, turning with the frame.
  for (int i = 0; i < 4; i++) {
    const float a = i * kPi / 2 + frame * kPi / 8;
    for (float t = 8; t < r; t += 0.5f) img.Set(int(cx + t * std::cos(a)), int(cy + t * std::sin(a)), shell.dark);
    Mask stud(kCell, kCell);
    stud.Circle(cx + (r - 3.5f) * std::cos(a + kPi / 4), cy + (r - 3.5f) * std::sin(a + kPi / 4), 1.8f);
    Paint(img, stud, pal::kBone, {Shade::Flat});
  }
  Mask hub(kCell, kCell);
  hub.Circle(cx, cy, 8);
  Paint(img, hub, {{150, 120, 90}, {200, 168, 120}, {228, 204, 160}, {244, 230, 196}}, {Shade::Round, true});
  Outline(img, pal::kInk);
  FillRect(img, 19, 29, 3, 4, pal::kInk), FillRect(img, 26, 29, 3, 4, pal::kInk);
  img.Set(19, 29, pal::kWhite), img.Set(26, 29, pal::kWhite);
  Line(img, 18, 27, 21, 28, pal::kInk), Line(img, 29, 27, 26, 28, pal::kInk);
  FillRect(img, 22, 35, 4, 1, pal::kInk);
  return img;
}

// Turret 30-33: a bronze cannon in a stone housing, facing right, left, down
// and up; the housing's mount is on the side away from the muzzle.
Image TurretRight() {
  Image img(kCell, kCell);
  Mask mount(kCell, kCell);
  mount.RoundRect(1, 4, 7, 40, 2);
  Paint(img, mount, pal::kStone, {Shade::Bevel, false, 2});
  Mask housing(kCell, kCell);
  housing.RoundRect(6, 9, 24, 30, 6);
  Paint(img, housing, pal::kStone, {Shade::Round, true});
  Mask barrel(kCell, kCell);
  barrel.Rect(26, 17, 14, 14);
  Paint(img, barrel, pal::kCopper, {Shade::Round, true});
  Mask muzzle(kCell, kCell);
  muzzle.RoundRect(38, 14, 7, 20, 2);
  Paint(img, muzzle, pal::kCopper, {Shade::Round, true});
  Mask bore(kCell, kCell);
  bore.Ellipse(44, 24, 1.5f, 5);
  Fill(img, bore, pal::kInk);
  Outline(img, pal::kInk);
  // A glowing slit eye and rivets on the housing.
  FillRect(img, 12, 17, 10, 3, {60, 14, 24});
  FillRect(img, 14, 18, 6, 1, pal::kEyeRed);
  for (int y : {13, 34}) img.Set(10, y, pal::kStone.shine), img.Set(25, y, pal::kStone.shine);
  FillRect(img, 30, 17, 2, 14, pal::kCopper.dark);
  return img;
}

// A glowing toxic bolt flying right; other directions are turned copies.
Image ShotRight(int phase) {
  Image img(kCell, kCell);
  Mask tail(kCell, kCell);
  const float w = phase ? 1.5f : -1.5f;
  tail.Poly({{28, 18}, {10, 22 + w}, {16, 24}, {8, 27 - w}, {28, 30}});
  Fill(img, tail, pal::kToxic.base);
  Mask orb(kCell, kCell);
  orb.Circle(29, 24, phase ? 7.5f : 7.0f);
  Paint(img, orb, pal::kToxic);
  Mask core(kCell, kCell);
  core.Circle(30, 23, 3.2f);
  Fill(img, core, pal::kToxic.shine);
  Outline(img, {20, 54, 30});
  if (phase)
    Sparkle(img, 16, 18, 1, pal::kToxic.shine, pal::kToxic.light);
  else
    Sparkle(img, 14, 31, 1, pal::kToxic.shine, pal::kToxic.light);
  return img;
}

// Flyer 50-53: a bat. Frames 50/51 fly with wings spread; 52/53, the
// pause after hitting something, fold the wings and show it dazed.
Image Bat(bool paused) {
  Image img(kCell, kCell);
  Mask wings(kCell, kCell);
  if (!paused) {
    wings.Poly({{20, 22}, {4, 10}, {6, 20}, {2, 26}, {10, 26}, {14, 32}, {20, 28}});
    wings.Poly({{28, 22}, {44, 10}, {42, 20}, {46, 26}, {38, 26}, {34, 32}, {28, 28}});
  } else {
    wings.Poly({{18, 20}, {12, 26}, {13, 38}, {18, 34}, {20, 30}});
    wings.Poly({{30, 20}, {36, 26}, {35, 38}, {30, 34}, {28, 30}});
  }
  Paint(img, wings, pal::kBat, {Shade::Flat});
  Mask body(kCell, kCell);
  body.Ellipse(24, 27, 7, 9).Poly({{19, 20}, {20, 12}, {23, 19}}).Poly({{29, 20}, {28, 12}, {25, 19}});
  Paint(img, body, pal::kBat, {Shade::Round, true});
  Outline(img, pal::kInk);
  // Wing bones.
  if (!paused) {
    Line(img, 19, 23, 6, 12, pal::kBat.dark);
    Line(img, 29, 23, 42, 12, pal::kBat.dark);
  }
  if (paused) {
    Line(img, 23, 23, 25, 25, pal::kEyeYellow), Line(img, 25, 23, 23, 25, pal::kEyeYellow);
    Sparkle(img, 14, 10, 2, pal::kEyeYellow, pal::kWhite);
    Sparkle(img, 34, 8, 2, pal::kEyeYellow, pal::kWhite);
  } else {
    Eye(img, 25, 23, pal::kEyeRed, 2);
    Eye(img, 28, 23, pal::kEyeRed, 2);
    img.Set(27, 28, pal::kWhite);  // fang
  }
  return img;
}

// Brawler and guard 60-65: an ogre with a club. Frame 0 walks with the club
// on its shoulder, 1 is the other step and the wind-up, 2 the blow.
Image Ogre(int frame) {
  Image img(kCell, kCell);
  const bool step = frame == 1;
  // Legs.
  Mask legs(kCell, kCell);
  legs.Capsule(17, 36, step ? 14.0f : 17.0f, 44, 3.5f).Capsule(28, 36, step ? 31.0f : 28.0f, 44, 3.5f);
  Paint(img, legs, pal::kOgre, {Shade::Round, true});
  Mask feet(kCell, kCell);
  feet.Ellipse(step ? 15.0f : 18.0f, 45, 5, 2.6f).Ellipse(step ? 33.0f : 30.0f, 45, 5, 2.6f);
  Paint(img, feet, pal::kHide, {Shade::Round, true});
  // Body and loincloth.
  Mask body(kCell, kCell);
  body.Ellipse(22, 28, 13, 11);
  Paint(img, body, pal::kOgre, {Shade::Round, true});
  Mask cloth(kCell, kCell);
  cloth.Poly({{11, 32}, {33, 32}, {31, 40}, {13, 40}});
  Paint(img, cloth, pal::kHide, {Shade::Flat, true});
  FillRect(img, 11, 32, 23, 2, pal::kLeather.dark);
  // Head with tusks and a horned helm.
  Mask head(kCell, kCell);
  head.Circle(27, 13, 7.5f);
  Paint(img, head, pal::kOgre, {Shade::Round, true});
  Mask helm(kCell, kCell);
  helm.Ellipse(26, 10, 8.5f, 5)
      .Rect(0, 10, 48, 10, false)
      .Poly({{19, 8}, {15, 1}, {21, 6}})
      .Poly({{33, 8}, {36, 1}, {31, 6}});
  Paint(img, helm, pal::kSilver, {Shade::Round, true});
  Eye(img, 30, 12, pal::kEyeYellow, 2);
  img.Set(32, 18, pal::kBone.shine), img.Set(32, 17, pal::kBone.base);
  img.Set(27, 18, pal::kBone.shine), img.Set(27, 17, pal::kBone.base);
  // Arm and club.
  Mask club(kCell, kCell);
  Mask arm(kCell, kCell);
  if (frame == 0) {
    club.Capsule(26, 22, 12, 4, 2).Circle(12, 5, 5);
    arm.Capsule(28, 26, 27, 22, 3.2f);
  } else if (frame == 1) {
    club.Capsule(22, 20, 18, 0, 2).Circle(18, 2, 5);
    arm.Capsule(28, 26, 23, 20, 3.2f);
  } else {
    club.Capsule(32, 26, 43, 31, 2).Circle(43, 32, 5.5f);
    arm.Capsule(27, 24, 33, 27, 3.2f);
  }
  Paint(img, club, pal::kWood, {Shade::Round, true});
  Paint(img, arm, pal::kOgre, {Shade::Round, true});
  Outline(img, pal::kInk);
  if (frame == 2) {
    for (int i = 0; i < 3; i++) Line(img, 36 + i * 3, 14 + i * 2, 40 + i * 3, 20 + i * 2, pal::kWhite);
  }
  return img;
}

// Charger 70-77: a boar. Alert frames lower the head, redden the eyes and
// puff steam; the two frames of each pair move the legs.
Image Boar(int frame, bool alert) {
  Image img(kCell, kCell);
  const float drop = alert ? 2.0f : 0.0f;
  const float swing = frame ? 3.0f : -3.0f;
  Mask legs(kCell, kCell);
  legs.Capsule(12, 36, 12 - swing, 44, 2.6f).Capsule(30, 36, 30 + swing, 44, 2.6f);
  Paint(img, legs, pal::kHide, {Shade::Flat, true});
  Mask body(kCell, kCell);
  body.Ellipse(21, 31 + drop * 0.5f, 16, 10);
  Paint(img, body, pal::kHide);
  Mask mane(kCell, kCell);
  std::vector<Point> bristles{{8, 28}};
  for (int i = 0; i < 7; i++)
    bristles.push_back({9.0f + i * 4, (alert ? 15.0f : 18.0f) + (i % 2 ? 4 : 0) + std::abs(i - 3) * 0.8f});
  bristles.push_back({36, 26});
  mane.Poly(bristles);
  Paint(img, mane, {{48, 26, 20}, {70, 40, 28}, {90, 56, 36}, {110, 70, 46}}, {Shade::Flat, true});
  Mask front(kCell, kCell);
  front.Capsule(17, 37, 17 + swing, 45, 2.8f).Capsule(35, 37, 35 - swing, 45, 2.8f);
  Paint(img, front, pal::kHide, {Shade::Round, true});
  Mask head(kCell, kCell);
  head.Ellipse(36, 31 + drop, 8, 7).Poly({{38, 27 + drop}, {46, 32 + drop}, {45, 38 + drop}, {38, 37 + drop}});
  Paint(img, head, pal::kHide, {Shade::Round, true});
  Mask snout(kCell, kCell);
  snout.Ellipse(45, 35 + drop, 2.5f, 3.2f);
  Paint(img, snout, {{150, 90, 80}, {196, 130, 110}, {220, 160, 140}, {240, 190, 170}}, {Shade::Flat, true});
  Mask ear(kCell, kCell);
  ear.Poly({{31, 26 + drop}, {33, 19 + drop}, {36, 26 + drop}});
  Paint(img, ear, pal::kHide, {Shade::Flat, true});
  Outline(img, pal::kInk);
  Mask tusk(kCell, kCell);
  tusk.Poly({{40, 38 + drop}, {43, 40 + drop}, {44, 34 + drop}});
  Fill(img, tusk, pal::kBone.shine);
  Eye(img, 39, 29 + int(drop), alert ? pal::kEyeRed : pal::kInk, 2);
  if (alert) {
    Sparkle(img, 41, 24 + int(drop), 1, pal::kEyeRed, pal::kRed.light);
    // Snorts of steam from the snout.
    Mask steam(kCell, kCell);
    steam.Circle(frame ? 44.0f : 45.0f, frame ? 25.0f : 27.0f, 2.2f)
        .Circle(frame ? 41.0f : 46.0f, frame ? 21.0f : 22.0f, 1.6f);
    Fill(img, steam, pal::kSmoke.shine);
  }
  return img;
}

// Sentry 80-83: a rune statue that blocks the way. 80/81 pulse its eye;
// when stunned by magic (82/83) it greys, shuts its eye and flashes.
Image Sentry(int frame, bool stunned) {
  Image img(kCell, kCell);
  const Ramp stone = stunned && frame ? pal::kSilver : pal::kStone;
  Mask base(kCell, kCell);
  base.RoundRect(9, 38, 30, 10, 2);
  Paint(img, base, stone, {Shade::Bevel, false, 2});
  Mask body(kCell, kCell);
  body.RoundRect(12, 8, 24, 32, 8);
  Paint(img, body, stone);
  Mask shoulders(kCell, kCell);
  shoulders.RoundRect(7, 18, 34, 10, 4);
  Paint(img, shoulders, stone, {Shade::Round, true});
  Outline(img, pal::kInk);
  // The rune on its chest.
  const Rgb rune = stunned ? Rgb{120, 130, 160} : pal::kRuneGlow;
  Line(img, 24, 29, 24, 36, rune), Line(img, 21, 31, 27, 31, rune);
  if (stunned) {
    FillRect(img, 19, 14, 10, 2, pal::kInk);  // shut eye
    Sparkle(img, 14, 4, 2, pal::kEyeYellow, pal::kWhite);
    Sparkle(img, 34, 3, 2, pal::kEyeYellow, pal::kWhite);
    Sparkle(img, 24, 2, 1, pal::kEyeYellow, pal::kWhite);
  } else {
    // A visor slit whose glow pulses between the two frames.
    FillRect(img, 15, 13, 18, 5, {40, 10, 22});
    FillRect(img, 16, 14, 16, 3, frame ? pal::kEyeRed : Rgb{170, 30, 44});
    FillRect(img, frame ? 21 : 22, 15, frame ? 6 : 4, 1, pal::kEyeYellow);
  }
  return img;
}

// Gunner 100-105: a goblin with a crystal staff. Frames: stand, step, and
// the shot with a flash at the staff's tip.
Image Goblin(int frame) {
  Image img(kCell, kCell);
  const Ramp skin{{60, 90, 50}, {96, 140, 70}, {136, 180, 96}, {180, 214, 140}};
  const bool step = frame == 1;
  Mask legs(kCell, kCell);
  legs.Capsule(20, 36, step ? 16.0f : 20.0f, 44, 2.4f).Capsule(26, 36, step ? 30.0f : 27.0f, 44, 2.4f);
  Paint(img, legs, skin, {Shade::Flat, true});
  Mask feet(kCell, kCell);
  feet.Ellipse(step ? 17.0f : 21.0f, 45, 3.5f, 2.2f).Ellipse(step ? 32.0f : 29.0f, 45, 3.5f, 2.2f);
  Paint(img, feet, pal::kLeather, {Shade::Flat, true});
  Mask robe(kCell, kCell);
  robe.Poly({{17, 22}, {29, 22}, {33, 39}, {13, 39}});
  Paint(img, robe, pal::kViolet, {Shade::Round, true});
  Mask head(kCell, kCell);
  head.Circle(24, 16, 7).Poly({{29, 13}, {40, 8}, {31, 18}}).Poly({{19, 13}, {10, 9}, {18, 18}});
  Paint(img, head, skin, {Shade::Round, true});
  Mask hood(kCell, kCell);
  hood.Ellipse(23, 12, 8, 5.5f).Rect(0, 13, 48, 10, false).Poly({{16, 12}, {12, 4}, {22, 8}});
  Paint(img, hood, pal::kViolet, {Shade::Round, true});
  // Staff held forward; on the shot it is thrust level.
  Mask staff(kCell, kCell);
  Mask crystal(kCell, kCell);
  if (frame == 2) {
    staff.Capsule(22, 30, 40, 27, 1.2f);
    crystal.Poly({{40, 24}, {44, 27}, {40, 30}, {37, 27}});
  } else {
    staff.Capsule(32, 42, 33, 12, 1.2f);
    crystal.Poly({{33, 6}, {36, 10}, {33, 14}, {30, 10}});
  }
  Paint(img, staff, pal::kWood, {Shade::Flat, true});
  Paint(img, crystal, pal::kToxic, {Shade::Flat});
  Mask hand(kCell, kCell);
  hand.Circle(frame == 2 ? 30.0f : 32.0f, frame == 2 ? 28.5f : 28.0f, 2.3f);
  Paint(img, hand, skin, {Shade::Flat, true});
  Outline(img, pal::kInk);
  Eye(img, 26, 15, pal::kEyeYellow, 2);
  Eye(img, 29, 15, pal::kEyeYellow, 2);
  img.Set(28, 20, pal::kBone.shine);
  if (frame == 2) {
    Sparkle(img, 44, 27, 3, pal::kWhite, pal::kToxic.shine);
    Sparkle(img, 40, 22, 1, pal::kToxic.shine, pal::kToxic.light);
  }
  return img;
}

// Strikes 110-113: the sweep of a blow one cell ahead of a brawler or guard,
// arcing away from the attacker (right-facing here).
Image Slash(int phase) {
  Image img(kCell, kCell);
  Mask arc(kCell, kCell);
  arc.Circle(6, 24, 30).Circle(phase ? -2.0f : 0.0f, 24, phase ? 28.0f : 27.0f, false);
  arc.Rect(0, 0, 48, phase ? 2.0f : 4.0f, false).Rect(0, phase ? 46.0f : 44.0f, 48, 4, false);
  Fill(img, arc, pal::kWhite);
  Mask inner(kCell, kCell);
  inner.Circle(4, 24, 27)
      .Circle(phase ? -4.0f : -2.0f, 24, 26, false)
      .Rect(0, 0, 48, 6, false)
      .Rect(0, 42, 48, 6, false);
  Fill(img, inner, pal::kEyeYellow);
  Outline(img, {180, 110, 40});
  if (phase) {
    Sparkle(img, 38, 10, 3, pal::kWhite, pal::kEyeYellow);
    Sparkle(img, 40, 38, 3, pal::kWhite, pal::kEyeYellow);
    for (int i = 0; i < 3; i++) Line(img, 14, 14 + i * 10, 24, 14 + i * 10, {230, 220, 180});
  } else {
    Sparkle(img, 36, 24, 2, pal::kWhite, pal::kEyeYellow);
  }
  return img;
}

const Picture kPictures[] = {
    {kEnemyDir, FrameGlint, "glint.bmp", KeyBlack, Glint},
    {kEnemyDir, FrameCrawler, "crawler_a.bmp", KeyBlack, [] { return Crawler(0); }},
    {kEnemyDir, FrameCrawler + 1, "crawler_b.bmp", KeyBlack, [] { return Crawler(1); }},
    {kEnemyDir, FrameWalker, "walker_0.bmp", KeyBlack, [] { return Walker(0); }},
    {kEnemyDir, FrameWalker + 1, "walker_1.bmp", KeyBlack, [] { return Walker(1); }},
    {kEnemyDir, FrameWalker + 2, "walker_2.bmp", KeyBlack, [] { return Walker(2); }},
    {kEnemyDir, FrameWalker + 3, "walker_3.bmp", KeyBlack, [] { return Walker(3); }},
    {kEnemyDir, FrameTurret, "turret_right.bmp", KeyBlack, TurretRight},
    {kEnemyDir, FrameTurret + 1, "turret_left.bmp", KeyBlack, [] { return MirrorX(TurretRight()); }},
    {kEnemyDir, FrameTurret + 2, "turret_down.bmp", KeyBlack, [] { return Rotate(TurretRight(), 1); }},
    {kEnemyDir, FrameTurret + 3, "turret_up.bmp", KeyBlack, [] { return Rotate(TurretRight(), 3); }},
    {kEnemyDir, FrameShot, "shot_right_a.bmp", KeyBlack, [] { return ShotRight(0); }},
    {kEnemyDir, FrameShot + 1, "shot_right_b.bmp", KeyBlack, [] { return ShotRight(1); }},
    {kEnemyDir, FrameShot + 2, "shot_left_a.bmp", KeyBlack, [] { return MirrorX(ShotRight(0)); }},
    {kEnemyDir, FrameShot + 3, "shot_left_b.bmp", KeyBlack, [] { return MirrorX(ShotRight(1)); }},
    {kEnemyDir, FrameShot + 4, "shot_down_a.bmp", KeyBlack, [] { return Rotate(ShotRight(0), 1); }},
    {kEnemyDir, FrameShot + 5, "shot_down_b.bmp", KeyBlack, [] { return Rotate(ShotRight(1), 1); }},
    {kEnemyDir, FrameShot + 6, "shot_up_a.bmp", KeyBlack, [] { return Rotate(ShotRight(0), 3); }},
    {kEnemyDir, FrameShot + 7, "shot_up_b.bmp", KeyBlack, [] { return Rotate(ShotRight(1), 3); }},
    {kEnemyDir, FrameFlyer, "bat_right.bmp", KeyBlack, [] { return Bat(false); }},
    {kEnemyDir, FrameFlyer + 1, "bat_left.bmp", KeyBlack, [] { return MirrorX(Bat(false)); }},
    {kEnemyDir, FrameFlyerDazed, "bat_right_dazed.bmp", KeyBlack, [] { return Bat(true); }},
    {kEnemyDir, FrameFlyerDazed + 1, "bat_left_dazed.bmp", KeyBlack, [] { return MirrorX(Bat(true)); }},
    {kEnemyDir, FrameBrawler, "ogre_r_walk.bmp", KeyBlack, [] { return Ogre(0); }},
    {kEnemyDir, FrameBrawler + 1, "ogre_r_raise.bmp", KeyBlack, [] { return Ogre(1); }},
    {kEnemyDir, FrameBrawler + 2, "ogre_r_blow.bmp", KeyBlack, [] { return Ogre(2); }},
    {kEnemyDir, FrameBrawlerLeft, "ogre_l_walk.bmp", KeyBlack, [] { return MirrorX(Ogre(0)); }},
    {kEnemyDir, FrameBrawlerLeft + 1, "ogre_l_raise.bmp", KeyBlack, [] { return MirrorX(Ogre(1)); }},
    {kEnemyDir, FrameBrawlerLeft + 2, "ogre_l_blow.bmp", KeyBlack, [] { return MirrorX(Ogre(2)); }},
    {kEnemyDir, FrameCharger, "boar_r_a.bmp", KeyBlack, [] { return Boar(0, false); }},
    {kEnemyDir, FrameCharger + 1, "boar_r_b.bmp", KeyBlack, [] { return Boar(1, false); }},
    {kEnemyDir, FrameCharger + 2, "boar_r_alert_a.bmp", KeyBlack, [] { return Boar(0, true); }},
    {kEnemyDir, FrameCharger + 3, "boar_r_alert_b.bmp", KeyBlack, [] { return Boar(1, true); }},
    {kEnemyDir, FrameChargerLeft, "boar_l_a.bmp", KeyBlack, [] { return MirrorX(Boar(0, false)); }},
    {kEnemyDir, FrameChargerLeft + 1, "boar_l_b.bmp", KeyBlack, [] { return MirrorX(Boar(1, false)); }},
    {kEnemyDir, FrameChargerLeft + 2, "boar_l_alert_a.bmp", KeyBlack, [] { return MirrorX(Boar(0, true)); }},
    {kEnemyDir, FrameChargerLeft + 3, "boar_l_alert_b.bmp", KeyBlack, [] { return MirrorX(Boar(1, true)); }},
    {kEnemyDir, FrameSentry, "sentry_a.bmp", KeyBlack, [] { return Sentry(0, false); }},
    {kEnemyDir, FrameSentry + 1, "sentry_b.bmp", KeyBlack, [] { return Sentry(1, false); }},
    {kEnemyDir, FrameSentryStunned, "sentry_stunned_a.bmp", KeyBlack, [] { return Sentry(0, true); }},
    {kEnemyDir, FrameSentryStunned + 1, "sentry_stunned_b.bmp", KeyBlack, [] { return Sentry(1, true); }},
    {kEnemyDir, FrameGunner, "goblin_r_stand.bmp", KeyBlack, [] { return Goblin(0); }},
    {kEnemyDir, FrameGunner + 1, "goblin_r_step.bmp", KeyBlack, [] { return Goblin(1); }},
    {kEnemyDir, FrameGunner + 2, "goblin_r_shoot.bmp", KeyBlack, [] { return Goblin(2); }},
    {kEnemyDir, FrameGunnerLeft, "goblin_l_stand.bmp", KeyBlack, [] { return MirrorX(Goblin(0)); }},
    {kEnemyDir, FrameGunnerLeft + 1, "goblin_l_step.bmp", KeyBlack, [] { return MirrorX(Goblin(1)); }},
    {kEnemyDir, FrameGunnerLeft + 2, "goblin_l_shoot.bmp", KeyBlack, [] { return MirrorX(Goblin(2)); }},
    {kEnemyDir, FrameStrike, "strike_r_a.bmp", KeyBlack, [] { return Slash(0); }},
    {kEnemyDir, FrameStrike + 1, "strike_r_b.bmp", KeyBlack, [] { return Slash(1); }},
    {kEnemyDir, FrameStrikeLeft, "strike_l_a.bmp", KeyBlack, [] { return MirrorX(Slash(0)); }},
    {kEnemyDir, FrameStrikeLeft + 1, "strike_l_b.bmp", KeyBlack, [] { return MirrorX(Slash(1)); }},
};

}  // namespace

std::span<const Picture> EnemyPictures() { return kPictures; }
