// The sprite update's rules that play shows only in passing, or never:
// glides, effects started or sized oddly, trail copies and full step tables.
#include "graphics/sprite_update.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/bitmap_set.h"

namespace {

class SpriteUpdateTest : public testing::Test {
 protected:
  void SetUp() override {
    list = CreateSpriteList(3072);
    set = CreateBitmapSet(256);
  }
  void TearDown() override {
    DestroySpriteList(list);
    DestroyBitmapSet(set);
  }
  Sprite* NewSprite(int start = 0) {
    Sprite* sprite = AllocSprite(list, set, start);
    sprite->visible = 1;
    return sprite;
  }
  std::vector<int> Alphas(Sprite* sprite, int frames) {
    std::vector<int> alphas;
    for (int i = 0; i < frames; i++) {
      UpdateSprites(list);
      alphas.push_back(sprite->inUse ? sprite->alpha : -1);
    }
    return alphas;
  }
  SpriteList* list = nullptr;
  BitmapSet* set = nullptr;  // empty: trail copies are made of a sprite's pictures
};

TEST_F(SpriteUpdateTest, DelayLifeAndAGlideThatOnlyStops) {
  Sprite* sprite = NewSprite();
  sprite->delay = 2;
  sprite->life = 3;
  sprite->vx = 4096;
  for (int i = 0; i < 4; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->x, 2 * 4096) << "still while waiting, then moving";
  UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 0) << "freed in its third live update";

  Sprite* glider = NewSprite();
  MoveSpriteTo(glider, 0, 0, 100, -30, 300);
  EXPECT_EQ(glider->vx, 1365);
  EXPECT_EQ(glider->vy, -409);
  for (int i = 0; i < 301; i++) UpdateSprites(list);
  EXPECT_EQ(glider->x, 409500) << "the last pass stops without moving";
  EXPECT_EQ(IsSpriteMoving(glider), 0);
  MoveSpriteTo(glider, 5, 5, 5, 5, 0);
  EXPECT_EQ(glider->moveFrames, 2) << "a zero-frame glide is one frame";
}

TEST_F(SpriteUpdateTest, EffectsOfOddLengthsAndEffectsStartedLate) {
  Sprite* blinking = NewSprite();
  SetSpriteBlink(blinking, 100);
  for (int frame = 0; frame < 300; frame++) {
    UpdateSprites(list);
    ASSERT_EQ(blinking->visible, blinking->effectCounter < 50 ? 1 : 0) << frame;
  }
  SetSpriteBlink(blinking, 0);  // a zero period must not divide by zero
  UpdateSprites(list);
  EXPECT_EQ(blinking->effectLength, 1);

  // A fade started past its length restarts its count.
  SetSpriteBlink(blinking, 100);
  for (int i = 0; i < 80; i++) UpdateSprites(list);
  FadeOutSprite(blinking, 60);
  const std::vector<int> fading = Alphas(blinking, 60);
  EXPECT_GT(fading[58], 0);
  EXPECT_EQ(fading[59], -1);

  Sprite* fadingIn = NewSprite();
  FadeInSprite(fadingIn, 20);
  EXPECT_EQ(Alphas(fadingIn, 25), (std::vector<int>{12,  25,  38,  51,  63,  76,  89,  102, 114, 127, 140, 153, 165,
                                                    178, 191, 204, 216, 229, 242, 242, 242, 242, 242, 242, 242}));
  EXPECT_EQ(fadingIn->effect, EffectNone) << "stops short of opaque";

  Sprite* strange = NewSprite();
  strange->effect = 9;
  strange->vy = -4096;
  AddSpriteAnimStep(strange, 5, 1, AnimStop);
  UpdateSprites(list);
  EXPECT_EQ(strange->y, -4096) << "an unknown effect still moves and animates";
  EXPECT_EQ(strange->frame, 5);

  FadeOutSprites(list, 60);
  EXPECT_EQ(strange->effect, EffectFadeOut);
  EXPECT_EQ(list->sprites[100].effect, EffectNone) << "free slots stay as they are";
  FadeInSprites(list, 60);
  EXPECT_EQ(fadingIn->alpha, 0);
}

TEST_F(SpriteUpdateTest, TrailCopiesFadeAndOnesInAnEarlierSlotDrawOnceMoreOpaque) {
  for (int i = 1; i <= 1900; i++) list->sprites[i].inUse = 1;  // fill the trail region
  Sprite* sprite = NewSprite(2500);
  sprite->frame = 22;
  sprite->vx = 4096;
  SetSpriteTrail(sprite);
  for (int i = 0; i < 3; i++) UpdateSprites(list);
  Sprite* copy = &list->sprites[1901];
  ASSERT_EQ(copy->inUse, 1);
  EXPECT_EQ(copy->frame, 22);
  EXPECT_EQ(copy->x, 2 * 4096) << "the source's place before this frame's motion";
  std::vector<int> drawn;
  sprite->vx = 0;
  while (copy->inUse) {
    drawn.push_back(copy->alpha);
    UpdateSprites(list);
  }
  EXPECT_EQ(drawn, (std::vector<int>{255, 242, 229, 216, 204, 191, 178, 165, 153, 140}));

  // Restarted every frame, as a menu does while its cursor moves, a trail
  // still drops a copy every third moving frame.
  sprite->vx = 4096;
  const int before = CountUsedSprites(list);
  for (int i = 0; i < 9; i++) {
    SetSpriteTrail(sprite);
    UpdateSprites(list);
  }
  EXPECT_EQ(CountUsedSprites(list) - before, 3);
}

TEST_F(SpriteUpdateTest, AnimationStepsLoopOrStopAndAThirtyThirdIsIgnored) {
  Sprite* sprite = NewSprite();
  sprite->frame = 7;
  AddSpriteAnimStep(sprite, 100, 3, AnimLoop);
  AddSpriteAnimStep(sprite, 102, 3, AnimLoop);
  EXPECT_EQ(sprite->frame, 7) << "the first frame shows after the first update";
  std::vector<int> frames;
  for (int i = 0; i < 12; i++) {
    UpdateSprites(list);
    frames.push_back(sprite->frame);
  }
  // First step 3 frames, later steps 4, and after the loop the first step 4.
  EXPECT_EQ(frames, (std::vector<int>{100, 100, 100, 102, 102, 102, 102, 100, 100, 100, 100, 102}));

  ResetSpriteAnim(sprite);
  for (int i = 0; i < 32; i++) AddSpriteAnimStep(sprite, i, 0, AnimStop);
  AddSpriteAnimStep(sprite, 99, 0, AnimLoop);
  EXPECT_EQ(sprite->anim[31].frame, 31);
  EXPECT_EQ(sprite->anim[32].frame, AnimStop);
  for (int i = 0; i < 40; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->frame, 31);
  EXPECT_EQ(sprite->animStep, -1);
}

}  // namespace
