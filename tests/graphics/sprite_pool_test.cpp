#include <gtest/gtest.h>

#include "graphics/sprite.h"

namespace {

class SpritePoolTest : public testing::Test {
 protected:
  void SetUp() override { list = CreateSpriteList(4); }
  void TearDown() override { DestroySpriteList(list); }
  int SlotOf(const Sprite* sprite) { return sprite ? static_cast<int>(sprite - list->sprites) : -1; }
  SpriteList* list = nullptr;
};

TEST_F(SpritePoolTest, TheSearchStartsAfterTheStartSlotWrapsAndTriesTheStartSlotLast) {
  list->sprites[1].inUse = list->sprites[3].inUse = 1;
  EXPECT_EQ(SlotOf(AllocSprite(list, nullptr, 1)), 2);
  EXPECT_EQ(SlotOf(AllocSprite(list, nullptr, 2)), 0);
  EXPECT_EQ(AllocSprite(list, nullptr, 2), nullptr) << "full";
  list->sprites[2].inUse = 0;
  EXPECT_EQ(SlotOf(AllocSprite(list, nullptr, 2)), 2);
  ClearSpriteList(list);
  EXPECT_EQ(SlotOf(AllocSprite(list, nullptr, -5)), 1) << "a start outside the pool counts as 0";
  EXPECT_EQ(SlotOf(AllocSprite(list, nullptr, 4000)), 2);
  EXPECT_EQ(CountUsedSprites(list), 2);
}

TEST_F(SpritePoolTest, ANewSpriteIsFullyResetAndOnlyTheListsOwnSpritesAreFreed) {
  Sprite* dirty = &list->sprites[1];
  dirty->x = 77;
  dirty->visible = dirty->life = 5;
  dirty->text[0] = 'A';
  Sprite* sprite = AllocTextSprite(list, nullptr, 0);
  ASSERT_EQ(sprite, dirty);
  EXPECT_EQ(sprite->kind, KindText);
  EXPECT_EQ(sprite->alpha, 255);
  EXPECT_EQ(sprite->animStep, -1);
  EXPECT_EQ(sprite->anim[0].frame, AnimStop);
  EXPECT_EQ(sprite->x | sprite->visible | sprite->life | sprite->text[0], 0);
  SetSpritePos(sprite, 250, -1);
  EXPECT_EQ(sprite->x, 250 * 4096);
  EXPECT_EQ(sprite->y, -4096);

  SpriteList* other = CreateSpriteList(4);
  Sprite* foreign = AllocSprite(other, nullptr, 0);
  FreeSprite(list, foreign);
  FreeSprite(list, reinterpret_cast<Sprite*>(reinterpret_cast<char*>(&list->sprites[1]) + 4));  // inside a slot
  EXPECT_EQ(foreign->inUse + sprite->inUse, 2);
  FreeSprite(list, sprite);
  EXPECT_EQ(sprite->inUse, 0);
  DestroySpriteList(other);
  EXPECT_EQ(CreateSpriteList(-1), nullptr);
  EXPECT_EQ(AllocSprite(nullptr, nullptr, 0), nullptr);
  DestroySpriteList(nullptr);
  ClearSpriteList(nullptr);
}

}  // namespace
