// The sprite update's rules that play shows only in passing, or never:
// effects sized or started oddly, a trail copy behind its source, glides of
// no length and a full step table.
#include "graphics/sprite_update.h"

#include <gtest/gtest.h>

#include <vector>

#include "graphics/bitmap_set.h"

namespace {

TEST(SpriteUpdate, EffectsOfOddLengthsEffectsStartedLateAndFullStepTables) {
  SpriteList* list = CreateSpriteList(3072);
  BitmapSet* set = CreateBitmapSet(1);  // empty: trail copies are made of a sprite's pictures
  Sprite* sprite = AllocSprite(list, set, 0);
  SetSpriteBlink(sprite, 0);  // a zero period must not divide by zero
  UpdateSprites(list);
  EXPECT_EQ(sprite->effectLength, 1);
  SetSpriteBlink(sprite, 100);
  for (int i = 0; i < 80; i++) UpdateSprites(list);
  FadeOutSprite(sprite, 60);  // started past its length, the count restarts
  for (int i = 0; i < 59; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 1);
  UpdateSprites(list);
  EXPECT_EQ(sprite->inUse, 0);

  sprite = AllocSprite(list, set, 0);
  sprite->effect = 9;  // unknown: the sprite still moves and animates
  sprite->vy = -4096;
  for (int i = 0; i < 32; i++) AddSpriteAnimStep(sprite, i, 0, AnimStop);
  AddSpriteAnimStep(sprite, 99, 0, AnimLoop);  // a 33rd step has no room
  EXPECT_EQ(sprite->anim[32].frame, AnimStop);
  for (int i = 0; i < 40; i++) UpdateSprites(list);
  EXPECT_EQ(sprite->y, -40 * 4096);
  EXPECT_EQ(sprite->frame, 31);
  MoveSpriteTo(sprite, 5, 5, 5, 5, 0);
  EXPECT_EQ(sprite->moveFrames, 2) << "a zero-frame glide is one frame";
  ClearSpriteList(list);

  // A trail copy in an earlier slot than its source is drawn once more, opaque.
  for (int i = 1; i <= 1900; i++) list->sprites[i].inUse = 1;
  sprite = AllocSprite(list, set, 2500);
  sprite->vx = 4096;
  SetSpriteTrail(sprite);
  for (int i = 0; i < 3; i++) UpdateSprites(list);
  Sprite* copy = &list->sprites[1901];
  ASSERT_EQ(copy->inUse, 1);
  EXPECT_EQ(copy->x, 2 * 4096) << "the source's place before this frame's motion";
  std::vector<int> drawn;
  sprite->vx = 0;
  for (; copy->inUse; UpdateSprites(list)) drawn.push_back(copy->alpha);
  EXPECT_EQ(drawn, (std::vector<int>{255, 242, 229, 216, 204, 191, 178, 165, 153, 140}));
  FadeInSprites(list, 60);
  EXPECT_EQ(list->sprites[2000].effect, EffectNone) << "free slots stay as they are";
  EXPECT_EQ(sprite->effect, EffectFadeIn);
  DestroySpriteList(list);
  DestroyBitmapSet(set);
}

}  // namespace
