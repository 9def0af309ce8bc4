#include "game/level_loader.h"

#include <gtest/gtest.h>

#include "engine/messages.h"
#include "engine/scene.h"
#include "game/grid.h"
#include "support/level_harness.h"

namespace {

class LevelLoaderTest : public testing::Test {
 protected:
  LevelHarness level;
};

std::string Codes(int count, int code) {
  std::string text;
  for (int i = 0; i < count; i++) text += std::to_string(code) + " ";
  return text;
}

TEST_F(LevelLoaderTest, TilesAreReadRowByRowAndTheRingCanBeOpened) {
  std::string map = "0 " + Codes(18, 11) + "0\n" + Codes(380, 0) + "\n3 4 5 6 7 8\n-1\n";
  level.Load(map);
  EXPECT_EQ(level.Code(0, 0), TileEmpty) << "the map overwrites the ring";
  EXPECT_EQ(level.Code(1, 0), TileBlock);
  EXPECT_EQ(level.Code(18, 0), TileBlock);
  EXPECT_EQ(level.Code(19, 0), TileEmpty);
  EXPECT_EQ(level.Code(0, 19), TileEmpty);
  // Outside the grid every cell counts as a wall.
  EXPECT_TRUE(IsSolidCell(level.game(), -1, 5));
  EXPECT_TRUE(IsSolidCell(level.game(), 20, 5));
  EXPECT_TRUE(IsSolidCell(level.game(), 5, 20));
  EXPECT_FALSE(IsBreakableCell(level.game(), 20, 5));
  EXPECT_EQ(level.PixelX(), 3 * 48);
  EXPECT_EQ(level.game()->door.sprite->x >> 12, 5 * 48);
  EXPECT_EQ(level.game()->key.sprite->y >> 12, 8 * 48);
}

TEST_F(LevelLoaderTest, ASectionEndingEarlyRepeatsItsLastCodeAndAMissingHeaderDefaultsToOne) {
  level.Load(Codes(25, 10) + "12 x");
  EXPECT_EQ(level.Code(5, 1), TileCracked);
  EXPECT_EQ(level.Code(19, 19), TileCracked);
  EXPECT_EQ(level.PixelX(), 48);
  EXPECT_EQ(level.PixelY(), 48);
  EXPECT_EQ(level.game()->itemsTotal, 0);
}

TEST_F(LevelLoaderTest, GarbageBeforeAnyCodeKeepsTheWalledEmptyGrid) {
  level.Load("garbage\n");
  EXPECT_EQ(level.Code(0, 0), TileWall);
  EXPECT_EQ(level.Code(5, 5), TileEmpty);
}

TEST_F(LevelLoaderTest, ItemsEndAtTheEndOfTheFileWithoutTheirTerminator) {
  MapSpec layout = RoomSpec();
  std::string map = MapText(layout);
  map = map.substr(0, map.find("-1 0 0 0")) + "3 5 5 0\n4 6 6 1\n";
  level.Load(map);
  EXPECT_EQ(level.game()->itemsTotal, 2);
  EXPECT_EQ(level.game()->items[1].hidden, 1);
  EXPECT_EQ(level.game()->items[1].sprite->visible, 0);
}

TEST_F(LevelLoaderTest, ALoneTerminatorBeforeACommentAndEnemyLinesWithMissingNumbers) {
  MapSpec layout = RoomSpec();
  std::string map = MapText(layout);
  map = map.substr(0, map.find("-1 0 0 0")) +
        "5 3 3 0\n-1\n# the idea of this level\n\n1 4 4 16 0\n1 6\n   \n30 2 2 1 1\n";
  level.Load(map);
  EXPECT_EQ(level.game()->itemsTotal, 1);
  const Enemy* enemies = level.game()->enemies;
  ASSERT_EQ(enemies[0].type, 1);
  EXPECT_EQ(enemies[0].sprite->x >> 12, 4 * 48);
  ASSERT_EQ(enemies[1].type, 1);
  EXPECT_EQ(enemies[1].sprite->x >> 12, 6 * 48);
  EXPECT_EQ(enemies[1].sprite->y >> 12, 4 * 48) << "the row carries over from the line before";
  EXPECT_EQ(enemies[1].speed, 16);
  EXPECT_EQ(enemies[2].type, 1) << "a line of blanks repeats the line before";
  EXPECT_EQ(enemies[3].type, 0) << "type 30 has no enemy";
}

TEST_F(LevelLoaderTest, AMissingMapLeavesAnEmptyRoomThatClearsAtOnce) {
  std::string err;
  {
    CapturedStream captured(stderr);
    level.Load("");
    std::snprintf(level.game()->mapPath, sizeof level.game()->mapPath, "/nonexistent/map9.map");
    level.player().sprite = nullptr;
    ClearScene(level.sys(), 1);
    CreateTileSprites(level.sys());
    LoadLevel(level.sys());
    err = captured.Text();
  }
  char expected[256];
  std::snprintf(expected, sizeof expected, msg::MsgOpenFailed, "/nonexistent/map9.map");
  EXPECT_EQ(err, expected);
  EXPECT_EQ(level.Code(0, 5), TileWall);
  EXPECT_EQ(level.Code(5, 5), TileEmpty);
  EXPECT_EQ(level.PixelX(), 48);
  EXPECT_EQ(level.game()->key.sprite->x >> 12, 48);
  EXPECT_EQ(level.game()->door.sprite->y >> 12, 48);
  EXPECT_EQ(level.game()->items[0].type, 0);
}

TEST_F(LevelLoaderTest, HugeNumbersAndOutsideCellsArePulledIntoTheGrid) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 99999;
  layout.items = {"1 -50 3 0", "2 3 4000000000 0"};
  layout.enemies = {"1 7 7 2000000000 0", "3 -3 99 1 9"};
  level.LoadSpec(layout);
  EXPECT_EQ(level.PixelX(), 19 * 48);
  EXPECT_EQ(level.game()->items[0].tileX, 0);
  EXPECT_EQ(level.game()->enemies[0].speed, 1000000);
  EXPECT_EQ(level.game()->enemies[1].sprite->x >> 12, 0);
  level.Frames(50);  // nothing of this may overflow or read outside the grid
}

TEST_F(LevelLoaderTest, MagicIsToppedUpToFiveButNotLowered) {
  level.player().magic = 7;
  level.LoadSpec(RoomSpec());
  EXPECT_EQ(level.player().magic, 7);
  level.player().magic = 2;
  level.LoadSpec(RoomSpec());
  EXPECT_EQ(level.player().magic, 5);
}

}  // namespace
