#include "enemies/items.h"

#include <gtest/gtest.h>

#include "enemies/enemy_test_support.h"
#include "engine/scene.h"
#include "sound/sound_bank.h"

namespace {

class ItemsTest : public testing::Test {
 protected:
  MapSpec WithItems(std::vector<std::string> items) {
    MapSpec layout = RoomSpec();
    layout.playerCol = 2;
    layout.playerRow = 18;
    layout.items = std::move(items);
    return layout;
  }
  LevelHarness level;
};

TEST_F(ItemsTest, PickUpWithinThirtyTwoPixelsButNotThirtyThree) {
  level.LoadSpec(WithItems({"5 10 10 0"}));
  level.player().actionTimer = 1000;
  level.PlacePlayer(10 * 48 + 33, 10 * 48 - 32);
  level.Frame();
  EXPECT_EQ(level.game()->items[0].type, 5);
  level.PlacePlayer(10 * 48 + 32, 10 * 48 - 32);
  level.Frame();
  EXPECT_EQ(level.game()->items[0].type, 0);
  EXPECT_EQ(level.player().score, 100);
  EXPECT_EQ(level.game()->itemsTaken, 1);
  EXPECT_EQ(level.CountSound(SndItem), 1);
}

TEST_F(ItemsTest, EveryTypeHasItsScoreAndEffect) {
  struct Case {
    int type, score, life, lives, magic, fireBonus;
  };
  const Case cases[] = {{1, 5, 0, 0, 0, 0},   {2, 10, 0, 0, 0, 0},  {3, 20, 0, 0, 0, 0},    {4, 40, 0, 0, 0, 0},
                        {5, 100, 0, 0, 0, 0}, {6, 200, 0, 0, 0, 0}, {7, 500, 0, 0, 0, 0},   {8, 1000, 0, 0, 0, 0},
                        {9, 5, 0, 0, 0, 0},   {10, 10, 0, 0, 0, 0}, {11, 0, 7000, 0, 0, 0}, {12, 0, 5000, 0, 0, 0},
                        {13, 0, 0, 0, 1, 0},  {14, 0, 0, 1, 0, 0},  {15, 0, 0, 0, 0, 1},    {16, 0, 0, 0, 0, 2},
                        {17, 0, 0, 0, 5, 0},  {18, 0, 0, 0, 5, 0}};
  for (const Case& c : cases) {
    level.LoadSpec(WithItems({std::to_string(c.type) + " 12 12 0"}));
    Player& p = level.player();
    p.life = 3500;
    p.score = p.lives = p.magic = p.fireBonus = 0;
    Item* item = &level.game()->items[0];
    ASSERT_EQ(item->sprite->frame, 39 + c.type);
    level.PlacePlayer(12 * 48, 12 * 48);
    ASSERT_EQ(TryPickUpItem(level.sys(), item), 1) << "type " << c.type;
    EXPECT_EQ(p.score, c.score) << "type " << c.type;
    EXPECT_EQ(p.life, c.life ? c.life : 3500) << "type " << c.type;
    EXPECT_EQ(p.lives, c.lives) << "type " << c.type;
    EXPECT_EQ(p.magic, c.magic) << "type " << c.type;
    EXPECT_EQ(p.fireBonus, c.fireBonus) << "type " << c.type;
  }
  // Type 12 lowers a higher life to 5000.
  level.LoadSpec(WithItems({"12 12 12 0"}));
  level.player().life = 9000;
  level.PlacePlayer(12 * 48, 12 * 48);
  TryPickUpItem(level.sys(), &level.game()->items[0]);
  EXPECT_EQ(level.player().life, 5000);
}

TEST_F(ItemsTest, NothingIsTakenWhileDyingClearingOrHidden) {
  level.LoadSpec(WithItems({"5 12 12 0", "6 13 13 1"}));
  Item* item = &level.game()->items[0];
  level.PlacePlayer(12 * 48, 12 * 48);
  level.player().dying = 1;
  EXPECT_EQ(TryPickUpItem(level.sys(), item), 0);
  level.player().dying = 0;
  level.player().clearTimer = 5;
  EXPECT_EQ(TryPickUpItem(level.sys(), item), 0);
  level.player().clearTimer = 0;
  level.PlacePlayer(13 * 48, 13 * 48);
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[1]), 0);
  RevealItemAt(level.sys(), 13, 13);
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[1]), 1);
}

TEST_F(ItemsTest, ARetryKeepsUntakenItemsAndHidesOneWhoseBlockIsBack) {
  std::vector<std::string> rows = EmptyRoom();
  rows[18][6] = 'B';
  MapSpec layout = WithItems({"3 4 18 0", "7 6 18 1", "5 10 10 0"});
  layout.rows = rows;
  const std::string map = MapText(layout);
  level.Load(map);
  EXPECT_EQ(level.game()->itemsTotal, 3);
  // Take the first by walking over it, and reveal the hidden one with magic.
  level.Frames(2);
  level.RunUntil([&] { return level.game()->items[0].type == 0; }, 200, kRight);
  level.Frames(10);
  level.PlacePlayer(5 * 48, 18 * 48);
  level.Frame(kZ);
  level.Frames(30);
  ASSERT_EQ(level.Code(6, 18), TileEmpty);
  ASSERT_EQ(level.game()->items[1].hidden, 0);

  level.Load(map, false, true);  // the same level again after a death
  EXPECT_EQ(level.game()->itemsTotal, 3) << "not counted again";
  EXPECT_EQ(level.game()->items[0].type, 0) << "a taken item stays taken";
  EXPECT_EQ(level.game()->items[1].hidden, 1) << "its block is back";
  EXPECT_EQ(level.game()->items[1].sprite->visible, 0);
  EXPECT_EQ(level.game()->items[2].sprite->visible, 1);
  EXPECT_EQ(level.game()->items[2].sprite->frame, 44);
}

TEST_F(ItemsTest, TypesOutsideTheTableAreNeitherCreatedNorCounted) {
  level.LoadSpec(WithItems({"0 3 3 0", "19 4 4 0", "-5 5 5 0", "2 6 6 0"}));
  EXPECT_EQ(level.game()->itemsTotal, 1);
  EXPECT_EQ(level.game()->items[0].type, 2);
  EXPECT_EQ(level.game()->items[1].type, 0);
  EXPECT_EQ(ChangedItemType(0), 0);
}

}  // namespace
