// The player: a hooded rune mage. Every frame is one pose in the table
// below, drawn facing right and mirrored for the left. Casting frames are 60
// pixels wide: the spell reaches 12 pixels past the cell on the side faced
// (the game shifts left-facing casts 12 pixels left to match).
#include <cmath>

#include "art.h"
#include "catalog.h"
#include "palette.h"

namespace {

constexpr int kCastWidth = 60;

struct Pose {
  Point head;                // centre of the hooded head
  float neckY, hipY, bodyX;  // torso from neck to hips around bodyX
  Point backHip, backKnee, backFoot;
  Point frontHip, frontKnee, frontFoot;
  Point backShoulder, backHand;
  Point frontShoulder, frontElbow, frontHand;
  float cape;     // how far the cape streams back
  float magic;    // radius of the spell light at the front hand, 0 for none
  Point magicAt;  // its centre
  bool wide;      // a casting frame, 60 pixels wide
};

constexpr Ramp kTrousers = pal::kCloth;
constexpr Ramp kBoots = pal::kLeather;
constexpr Ramp kCape{{70, 14, 34}, {116, 24, 44}, {150, 40, 54}, {180, 70, 70}};

void Limb(Image& img, int w, Point a, Point b, Point c, float r, const Ramp& ramp) {
  Mask m(w, kCell);
  m.Capsule(a.x, a.y, b.x, b.y, r).Capsule(b.x, b.y, c.x, c.y, r);
  Paint(img, m, ramp, {Shade::Round, true});
}

void Boot(Image& img, int w, Point foot) {
  Mask m(w, kCell);
  m.Ellipse(foot.x + 1.5f, foot.y + 0.5f, 4.2f, 2.6f).Rect(foot.x - 2.5f, foot.y - 3, 5, 3);
  Paint(img, m, kBoots, {Shade::Round, true});
}

void Spell(Image& img, const Pose& p) {
  if (p.magic <= 0) return;
  const int w = img.width();
  const float r = p.magic;
  Mask halo(w, kCell);
  halo.Circle(p.magicAt.x, p.magicAt.y, r);
  Fill(img, halo, pal::kRune.base);
  Mask ring(w, kCell);
  ring.Circle(p.magicAt.x, p.magicAt.y, r * 0.75f);
  Fill(img, ring, pal::kRune.light);
  Mask core(w, kCell);
  core.Circle(p.magicAt.x, p.magicAt.y, r * 0.45f);
  Fill(img, core, pal::kRuneGlow);
  if (r >= 7) {
    // A full cast throws out rays and loose sparks.
    for (int i = 0; i < 8; i++) {
      const float a = i * 3.14159f / 4 + 0.4f;
      const float len = i % 2 ? r + 3 : r + 1;
      Line(img, int(p.magicAt.x + r * 0.6f * std::cos(a)), int(p.magicAt.y + r * 0.6f * std::sin(a)),
           int(p.magicAt.x + len * std::cos(a)), int(p.magicAt.y + len * std::sin(a)), pal::kRuneGlow);
    }
  }
  img.Set(int(p.magicAt.x), int(p.magicAt.y), pal::kWhite);
}

Image DrawPose(const Pose& p, bool dizzy = false) {
  const int w = p.wide ? kCastWidth : kCell;
  Image img(w, kCell);
  // Back limbs first, then the body, the front leg, the head and the front arm.
  Limb(img, w, p.backShoulder, {(p.backShoulder.x + p.backHand.x) / 2 - 1, (p.backShoulder.y + p.backHand.y) / 2},
       p.backHand, 2.4f, kCape);
  Limb(img, w, p.backHip, p.backKnee, p.backFoot, 2.7f,
       {kTrousers.dark, kTrousers.dark, kTrousers.base, kTrousers.base});
  Boot(img, w, p.backFoot);
  Mask hand(w, kCell);
  hand.Circle(p.backHand.x, p.backHand.y, 2.3f);
  Paint(img, hand, pal::kSkin, {Shade::Flat, true});

  Mask cape(w, kCell);
  cape.Poly({{p.bodyX - 2, p.neckY},
             {p.bodyX - 9 - p.cape, p.hipY + 2},
             {p.bodyX - 4 - p.cape * 0.5f, p.hipY + 4},
             {p.bodyX, p.hipY}});
  Paint(img, cape, kCape, {Shade::Flat, true});

  Limb(img, w, p.frontHip, p.frontKnee, p.frontFoot, 2.7f, kTrousers);
  Boot(img, w, p.frontFoot);

  Mask torso(w, kCell);
  const float top = p.neckY, bottom = p.hipY + 2;
  torso.Poly({{p.bodyX - 5.5f, top}, {p.bodyX + 5.5f, top}, {p.bodyX + 8.5f, bottom}, {p.bodyX - 8.5f, bottom}});
  torso.Ellipse(p.bodyX, top + 2, 6.5f, 3.5f);
  Paint(img, torso, pal::kCloak, {Shade::Round, true});
  Mask belt(w, kCell);
  belt.Rect(p.bodyX - 8, p.hipY - 3, 16, 2.5f).Intersect(torso);
  Fill(img, belt, pal::kGold.base);
  img.Set(int(p.bodyX + 2), int(p.hipY - 2), pal::kGold.shine);
  Mask scarf(w, kCell);
  scarf.Ellipse(p.bodyX + 1, p.neckY + 1, 6.5f, 2.6f);
  Paint(img, scarf, pal::kBone, {Shade::Round, true});

  // Hood with its point hanging back, face to the right.
  Mask hood(w, kCell);
  hood.Circle(p.head.x, p.head.y, 8.6f)
      .Poly({{p.head.x - 3, p.head.y - 8}, {p.head.x - 14, p.head.y + 1}, {p.head.x - 6, p.head.y + 4}});
  Paint(img, hood, pal::kCloak, {Shade::Round, true});
  Mask face(w, kCell);
  face.Ellipse(p.head.x + 3.6f, p.head.y + 1.5f, 5.0f, 5.6f).Intersect(Mask(w, kCell).Circle(p.head.x, p.head.y, 7.6f));
  Paint(img, face, pal::kSkin, {Shade::Round, false});
  const int ex = int(p.head.x + 5), ey = int(p.head.y);
  if (dizzy) {
    for (int i = -1; i <= 1; i++) img.Set(ex + i, ey + i, pal::kInk), img.Set(ex + i, ey - i, pal::kInk);
    FillRect(img, ex - 1, ey + 4, 3, 2, pal::kInk);
  } else {
    FillRect(img, ex, ey - 1, 2, 3, pal::kWhite);
    FillRect(img, ex + 1, ey, 1, 2, pal::kInk);
    img.Set(ex - 3, ey + 3, pal::kSkin.dark);  // cheek
  }

  Limb(img, w, p.frontShoulder, p.frontElbow, p.frontHand, 2.4f, pal::kCloak);
  Mask frontHand(w, kCell);
  frontHand.Circle(p.frontHand.x, p.frontHand.y, 2.4f);
  Paint(img, frontHand, pal::kSkin, {Shade::Flat, true});

  Outline(img, pal::kInk);
  Spell(img, p);
  return img;
}

// The poses, facing right. Feet rest on row 45 so the boots end on the
// cell's bottom row, where the game's floor is.
const Pose kStand{{26, 12}, 20,          33,       25,       {23, 33}, {22.5f, 39}, {22, 44},
                  {28, 33}, {28.5f, 39}, {29, 44}, {22, 22}, {19, 32}, {28, 22},    {30, 27},
                  {31, 32}, 2,           0,        {0, 0},   false};
const Pose kStride{{27, 12}, 20,       33,       26,       {24, 33}, {19, 38}, {15, 44}, {29, 33}, {34, 37}, {35, 43},
                   {23, 22}, {16, 29}, {29, 22}, {33, 25}, {37, 28}, 6,        0,        {0, 0},   false};
const Pose kSquat{{27, 17}, 25,       37,       25,       {22, 37}, {26, 41}, {20, 44}, {28, 37}, {33, 40}, {30, 44},
                  {22, 27}, {14, 33}, {29, 27}, {33, 31}, {37, 35}, 4,        0,        {0, 0},   false};
const Pose kCharge{{26, 12}, 20,       33,       25,       {23, 33}, {21, 39}, {19, 44}, {28, 33}, {30, 39}, {32, 44},
                   {22, 22}, {17, 28}, {28, 22}, {30, 16}, {35, 12}, 3,        5,        {37, 10}, true};
const Pose kCast{{27, 12}, 20,       33,       26,       {23, 33}, {21, 39}, {18, 44}, {29, 33}, {32, 39}, {34, 44},
                 {23, 22}, {16, 27}, {29, 22}, {35, 23}, {41, 23}, 5,        8,        {48, 23}, true};
const Pose kCrouch{{27, 22}, 30,       40,       25,       {22, 40}, {28, 41}, {21, 44}, {28, 40}, {35, 41}, {30, 44},
                   {22, 32}, {19, 40}, {29, 32}, {32, 37}, {34, 41}, 3,        0,        {0, 0},   false};
const Pose kCrouchCharge{{27, 22}, 30,       40,       25,       {22, 40}, {28, 41}, {21, 44},
                         {28, 40}, {35, 41}, {30, 44}, {22, 32}, {18, 38}, {29, 32}, {33, 29},
                         {37, 27}, 3,        5,        {39, 26}, true};
const Pose kCrouchCast{{27, 22}, 30,       40,       25,       {22, 40}, {28, 41}, {21, 44},
                       {28, 40}, {35, 41}, {30, 44}, {22, 32}, {17, 37}, {29, 32}, {36, 33},
                       {42, 33}, 5,        8,        {48, 33}, true};
const Pose kHurt{{25, 13}, 21,       34,       24,       {21, 34}, {18, 39}, {16, 44}, {27, 34}, {31, 39}, {33, 44},
                 {20, 23}, {13, 14}, {28, 23}, {33, 18}, {35, 12}, 2,        0,        {0, 0},   false};

Image Right(const Pose& p) { return DrawPose(p); }
Image Left(const Pose& p) { return MirrorX(DrawPose(p)); }

// Death: the mage, stunned, spins a quarter turn a frame as it hops and falls.
Image Spin(int quarter) { return Rotate(DrawPose(kHurt, true), quarter); }

const Picture kPictures[] = {
    {kCharDir, FramePlayerStand, "mage_r_stand.bmp", KeyBlack, [] { return Right(kStand); }},
    {kCharDir, FramePlayerStride, "mage_r_stride.bmp", KeyBlack, [] { return Right(kStride); }},
    {kCharDir, FramePlayerSquat, "mage_r_squat.bmp", KeyBlack, [] { return Right(kSquat); }},
    {kCharDir, FramePlayerCharge, "mage_r_charge.bmp", KeyBlack, [] { return Right(kCharge); }},
    {kCharDir, FramePlayerCast, "mage_r_cast.bmp", KeyBlack, [] { return Right(kCast); }},
    {kCharDir, FramePlayerCrouch, "mage_r_crouch.bmp", KeyBlack, [] { return Right(kCrouch); }},
    {kCharDir, FramePlayerCrouchCharge, "mage_r_crouch_charge.bmp", KeyBlack, [] { return Right(kCrouchCharge); }},
    {kCharDir, FramePlayerCrouchCast, "mage_r_crouch_cast.bmp", KeyBlack, [] { return Right(kCrouchCast); }},
    {kCharDir, FramePlayerStand + kPlayerLeft, "mage_l_stand.bmp", KeyBlack, [] { return Left(kStand); }},
    {kCharDir, FramePlayerStride + kPlayerLeft, "mage_l_stride.bmp", KeyBlack, [] { return Left(kStride); }},
    {kCharDir, FramePlayerSquat + kPlayerLeft, "mage_l_squat.bmp", KeyBlack, [] { return Left(kSquat); }},
    {kCharDir, FramePlayerCharge + kPlayerLeft, "mage_l_charge.bmp", KeyBlack, [] { return Left(kCharge); }},
    {kCharDir, FramePlayerCast + kPlayerLeft, "mage_l_cast.bmp", KeyBlack, [] { return Left(kCast); }},
    {kCharDir, FramePlayerCrouch + kPlayerLeft, "mage_l_crouch.bmp", KeyBlack, [] { return Left(kCrouch); }},
    {kCharDir, FramePlayerCrouchCharge + kPlayerLeft, "mage_l_crouch_charge.bmp", KeyBlack,
     [] { return Left(kCrouchCharge); }},
    {kCharDir, FramePlayerCrouchCast + kPlayerLeft, "mage_l_crouch_cast.bmp", KeyBlack,
     [] { return Left(kCrouchCast); }},
    {kCharDir, FramePlayerDeath, "mage_death_0.bmp", KeyBlack, [] { return Spin(0); }},
    {kCharDir, FramePlayerDeath + 1, "mage_death_1.bmp", KeyBlack, [] { return Spin(1); }},
    {kCharDir, FramePlayerDeath + 2, "mage_death_2.bmp", KeyBlack, [] { return Spin(2); }},
    {kCharDir, FramePlayerDeath + 3, "mage_death_3.bmp", KeyBlack, [] { return Spin(3); }},
};

}  // namespace

std::span<const Picture> PlayerPictures() { return kPictures; }
