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
  SpriteList* list = nullptr;
  BitmapSet* set = nullptr;
};

TEST_F(SpriteUpdateTest, DelayThenLife) {
  Sprite* sprite = NewSprite();
  sprite->delay = 5;
  sprite->life = 3;
  sprite->vx = 4096;
  for (int i = 0; i < 5; i++) {
    UpdateSprites(list);
    EXPECT_EQ(sprite->x, 0) << "waiting frame " << i;
  }
  EXPECT_EQ(sprite->delay, 0);
  UpdateSprites(list);
  UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 1);
  EXPECT_EQ(sprite->x, 2 * 4096);
  UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 0) << "freed in its third live update";
}

TEST_F(SpriteUpdateTest, TimedMotionGlidesThenOnlyStops) {
  Sprite* sprite = NewSprite();
  MoveSpriteTo(sprite, 0, 0, 100, 0, 300);
  EXPECT_EQ(sprite->vx, 1365);
  EXPECT_EQ(sprite->moveFrames, 301);
  for (int i = 0; i < 300; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->x, 409500);
  EXPECT_EQ(FixedToPixels(sprite->x), 99);
  EXPECT_EQ(sprite->vx, 1365);
  UpdateSprites(list);
  EXPECT_EQ(sprite->x, 409500);
  EXPECT_EQ(sprite->vx, 0);
  EXPECT_EQ(IsSpriteMoving(sprite), 0);
  MoveSpriteTo(sprite, 5, 5, 5, 5, 0);  // a zero-frame glide is one frame
  EXPECT_EQ(sprite->moveFrames, 2);
}

TEST_F(SpriteUpdateTest, BlinkShowsTheFirstHalfOfEachPeriod) {
  Sprite* sprite = NewSprite();
  SetSpriteBlink(sprite, 100);
  for (int frame = 0; frame < 300; frame++) {
    UpdateSprites(list);
    const int counter = sprite->effectCounter;
    EXPECT_EQ(sprite->visible, counter < 50 ? 1 : 0) << "counter " << counter;
  }
  SetSpriteBlink(sprite, 0);  // a zero period must not divide by zero
  UpdateSprites(list);
  EXPECT_EQ(sprite->effectLength, 1);
}

TEST_F(SpriteUpdateTest, FadeInRisesAndStopsShortOfOpaque) {
  Sprite* sprite = NewSprite();
  FadeInSprite(sprite, 20);
  EXPECT_EQ(sprite->alpha, 0);
  std::vector<int> alphas;
  for (int i = 0; i < 25; i++) {
    UpdateSprites(list);
    alphas.push_back(sprite->alpha);
  }
  EXPECT_EQ(alphas[0], 12);
  EXPECT_EQ(alphas[1], 25);
  EXPECT_EQ(alphas[2], 38);
  EXPECT_EQ(alphas[18], 242);
  EXPECT_EQ(alphas[19], 242);
  EXPECT_EQ(alphas[24], 242);
  EXPECT_EQ(sprite->effect, EffectNone);
}

TEST_F(SpriteUpdateTest, FadeOutFallsAndFreesAtItsEnd) {
  Sprite* sprite = NewSprite();
  FadeOutSprite(sprite, 4);
  UpdateSprites(list);
  EXPECT_EQ(sprite->alpha, 191);
  UpdateSprites(list);
  UpdateSprites(list);
  EXPECT_EQ(sprite->alpha, 63);
  UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 0);
}

TEST_F(SpriteUpdateTest, AFadeStartedPastItsLengthStillRunsItsCourse) {
  Sprite* sprite = NewSprite();
  SetSpriteBlink(sprite, 100);
  for (int i = 0; i < 80; i++) UpdateSprites(list);
  ASSERT_GE(sprite->effectCounter, 60);
  FadeOutSprite(sprite, 60);
  for (int i = 0; i < 59; i++) {
    UpdateSprites(list);
    ASSERT_EQ(sprite->inUse, 1);
  }
  UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 0);
}

TEST_F(SpriteUpdateTest, TrailCopiesInALaterSlotAreDrawnNineTimesFading) {
  Sprite* sprite = NewSprite(0);  // slot 1; copies land from 1801 on
  sprite->frame = 22;
  sprite->cameraRelative = 1;
  sprite->vx = 4096;
  SetSpriteTrail(sprite);
  UpdateSprites(list);
  UpdateSprites(list);
  EXPECT_EQ(CountUsedSprites(list), 1);
  UpdateSprites(list);  // third moving frame drops a copy
  Sprite* copy = &list->sprites[1801];
  ASSERT_EQ(copy->inUse, 1);
  EXPECT_EQ(copy->frame, 22);
  EXPECT_EQ(copy->cameraRelative, 1);
  EXPECT_EQ(copy->vx, 0);
  EXPECT_EQ(copy->x, 2 * 4096) << "the source's position before this frame's motion";
  std::vector<int> drawn;
  // The copy has already been updated once in the frame it was made.
  while (copy->inUse && copy->frame == 22) {
    drawn.push_back(copy->alpha);
    sprite->vx = 0;  // no more copies
    UpdateSprites(list);
  }
  EXPECT_EQ(drawn, (std::vector<int>{242, 229, 216, 204, 191, 178, 165, 153, 140}));
}

TEST_F(SpriteUpdateTest, TrailCopiesInAnEarlierSlotAreDrawnOnceMoreOpaque) {
  for (int i = 1; i <= 1900; i++) list->sprites[i].inUse = 1;  // fill the trail region
  Sprite* sprite = NewSprite(2500);
  sprite->vx = 4096;
  SetSpriteTrail(sprite);
  for (int i = 0; i < 3; i++) UpdateSprites(list);
  Sprite* copy = &list->sprites[1901];
  ASSERT_EQ(copy->inUse, 1);
  ASSERT_LT(copy, sprite);
  std::vector<int> drawn;
  sprite->vx = 0;
  while (copy->inUse) {
    drawn.push_back(copy->alpha);
    UpdateSprites(list);
  }
  EXPECT_EQ(drawn, (std::vector<int>{255, 242, 229, 216, 204, 191, 178, 165, 153, 140}));
}

TEST_F(SpriteUpdateTest, TrailCounterSurvivesRepeatedStarts) {
  Sprite* sprite = NewSprite(0);
  sprite->vx = 4096;
  int copies = 0;
  for (int i = 0; i < 9; i++) {
    SetSpriteTrail(sprite);  // as a menu does every frame while its cursor moves
    UpdateSprites(list);
    copies = CountUsedSprites(list) - 1;
  }
  EXPECT_EQ(copies, 3);
}

TEST_F(SpriteUpdateTest, AnimationTimingLoopAndStop) {
  Sprite* sprite = NewSprite();
  sprite->frame = 7;
  ResetSpriteAnim(sprite);
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
  AddSpriteAnimStep(sprite, 100, 3, AnimLoop);
  AddSpriteAnimStep(sprite, 102, 3, AnimLoop);
  AddSpriteAnimStep(sprite, 100, 20, AnimStop);
  for (int i = 0; i < 40; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->frame, 100);
  EXPECT_EQ(sprite->animStep, -1);
}

TEST_F(SpriteUpdateTest, AThirtyThirdStepIsIgnored) {
  Sprite* sprite = NewSprite();
  ResetSpriteAnim(sprite);
  for (int i = 0; i < 32; i++) AddSpriteAnimStep(sprite, i, 0, AnimStop);
  EXPECT_EQ(sprite->anim[32].frame, AnimStop);
  AddSpriteAnimStep(sprite, 99, 0, AnimLoop);
  EXPECT_EQ(sprite->anim[31].frame, 31);
  EXPECT_EQ(sprite->anim[32].frame, AnimStop);
  for (int i = 0; i < 40; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->frame, 31);
}

TEST_F(SpriteUpdateTest, UnknownEffectsStillMoveAndAnimate) {
  Sprite* sprite = NewSprite();
  sprite->effect = 9;
  sprite->vy = -4096;
  ResetSpriteAnim(sprite);
  AddSpriteAnimStep(sprite, 5, 1, AnimStop);
  UpdateSprites(list);
  EXPECT_EQ(sprite->y, -4096);
  EXPECT_EQ(sprite->frame, 5);
}

TEST_F(SpriteUpdateTest, ListFadesTouchOnlyLiveSprites) {
  Sprite* a = NewSprite();
  Sprite* b = NewSprite();
  FadeInSprites(list, 60);
  EXPECT_EQ(a->effect, EffectFadeIn);
  EXPECT_EQ(b->alpha, 0);
  EXPECT_EQ(list->sprites[5].effect, EffectNone);
  FadeOutSprites(list, 60);
  EXPECT_EQ(b->effect, EffectFadeOut);
  EXPECT_EQ(list->sprites[5].inUse, 0);
}

}  // namespace
