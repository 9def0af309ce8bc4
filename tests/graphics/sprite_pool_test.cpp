#include <gtest/gtest.h>

#include "graphics/sprite.h"

namespace {

class SpritePoolTest : public testing::Test {
 protected:
  void SetUp() override { list = CreateSpriteList(4); }
  void TearDown() override { DestroySpriteList(list); }
  int SlotOf(const Sprite* sprite) { return static_cast<int>(sprite - list->sprites); }
  SpriteList* list = nullptr;
};

TEST_F(SpritePoolTest, SearchStartsAfterTheStartSlotAndWraps) {
  list->sprites[1].inUse = 1;
  list->sprites[3].inUse = 1;
  Sprite* fromOne = AllocSprite(list, nullptr, 1);
  ASSERT_NE(fromOne, nullptr);
  EXPECT_EQ(SlotOf(fromOne), 2);
  FreeSprite(list, fromOne);
  Sprite* fromTwo = AllocSprite(list, nullptr, 2);
  ASSERT_NE(fromTwo, nullptr);
  EXPECT_EQ(SlotOf(fromTwo), 0);
}

TEST_F(SpritePoolTest, AFullListIsSearchedOnceWithTheStartSlotLast) {
  for (int i = 0; i < 4; i++) list->sprites[i].inUse = 1;
  EXPECT_EQ(AllocSprite(list, nullptr, 2), nullptr);
  list->sprites[2].inUse = 0;  // only the start slot is free: found last
  Sprite* sprite = AllocSprite(list, nullptr, 2);
  ASSERT_NE(sprite, nullptr);
  EXPECT_EQ(SlotOf(sprite), 2);
}

TEST_F(SpritePoolTest, ANewSpriteIsHiddenOpaqueUnanimatedAndFullyReset) {
  Sprite* dirty = &list->sprites[1];
  dirty->x = 77;
  dirty->visible = 1;
  dirty->life = 5;
  dirty->text[0] = 'A';
  Sprite* sprite = AllocTextSprite(list, nullptr, 0);
  ASSERT_EQ(sprite, dirty);
  EXPECT_EQ(sprite->inUse, 1);
  EXPECT_EQ(sprite->kind, KindText);
  EXPECT_EQ(sprite->visible, 0);
  EXPECT_EQ(sprite->alpha, 255);
  EXPECT_EQ(sprite->animStep, -1);
  EXPECT_EQ(sprite->anim[0].frame, AnimStop);
  EXPECT_EQ(sprite->x, 0);
  EXPECT_EQ(sprite->life, 0);
  EXPECT_EQ(sprite->text[0], '\0');
}

TEST_F(SpritePoolTest, StartIndicesOutsideThePoolAreTreatedAsZero) {
  Sprite* negative = AllocSprite(list, nullptr, -5);
  ASSERT_NE(negative, nullptr);
  EXPECT_EQ(SlotOf(negative), 1);
  Sprite* beyond = AllocSprite(list, nullptr, 4000);
  ASSERT_NE(beyond, nullptr);
  EXPECT_EQ(SlotOf(beyond), 2);
}

TEST_F(SpritePoolTest, FreeingASpriteOfAnotherListChangesNothing) {
  SpriteList* other = CreateSpriteList(4);
  Sprite* foreign = AllocSprite(other, nullptr, 0);
  Sprite* mine = AllocSprite(list, nullptr, 0);
  FreeSprite(list, foreign);
  EXPECT_EQ(foreign->inUse, 1);
  FreeSprite(list, mine);
  EXPECT_EQ(mine->inUse, 0);
  // A pointer into the middle of a slot is not a sprite of the list either.
  Sprite* inside = reinterpret_cast<Sprite*>(reinterpret_cast<char*>(&list->sprites[2]) + 4);
  FreeSprite(list, inside);
  DestroySpriteList(other);
}

TEST_F(SpritePoolTest, ResetSpriteFreesAndSetSpritePosStops) {
  Sprite* sprite = AllocSprite(list, nullptr, 0);
  sprite->vx = 100;
  sprite->vy = -3;
  SetSpritePos(sprite, 250, -1);
  EXPECT_EQ(sprite->x, 250 * 4096);
  EXPECT_EQ(sprite->y, -4096);
  EXPECT_EQ(sprite->vx, 0);
  EXPECT_EQ(sprite->vy, 0);
  ResetSprite(sprite);
  EXPECT_EQ(sprite->inUse, 0);
  EXPECT_EQ(sprite->animStep, -1);
  EXPECT_EQ(sprite->anim[0].frame, AnimStop);
  EXPECT_EQ(CountUsedSprites(list), 0);
}

TEST(SpritePoolCreate, NegativeCapacityGivesNoListAndNullIsIgnored) {
  EXPECT_EQ(CreateSpriteList(-1), nullptr);
  DestroySpriteList(nullptr);
  ClearSpriteList(nullptr);
  EXPECT_EQ(AllocSprite(nullptr, nullptr, 0), nullptr);
}

}  // namespace
