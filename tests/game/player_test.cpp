#include <gtest/gtest.h>

#include "game/grid.h"
#include "sound/sound_bank.h"
#include "support/level_harness.h"

namespace {

class PlayerTest : public testing::Test {
 protected:
  LevelHarness level;
};

TEST_F(PlayerTest, WalkingReachesFullSpeedInThreeFramesAndStopsInSix) {
  level.LoadRoom();
  ASSERT_TRUE(level.player().onGround);
  std::vector<int> speeds;
  for (int i = 0; i < 4; i++) {
    level.Frame(kRight);
    speeds.push_back(level.player().vx);
  }
  EXPECT_EQ(speeds, (std::vector<int>{128, 256, 384, 384}));
  EXPECT_EQ(level.player().state, Walk);
  for (int i = 0; i < 6; i++) level.Frame();
  EXPECT_EQ(level.player().vx, 0);
  EXPECT_EQ(level.player().state, Walk) << "the walk ends the frame after the speed reaches 0";
  level.Frame();
  EXPECT_EQ(level.player().state, Stand);
  const int x = level.PixelX();
  level.Frames(5);
  EXPECT_EQ(level.PixelX(), x);
  // Both directions held: Left wins.
  level.Frame(kLeft | kRight);
  EXPECT_EQ(level.player().vx, -128);
  EXPECT_EQ(level.player().facing, 1);
}

TEST_F(PlayerTest, AJumpWindsUpTwelveFramesRisesFortyFivePixelsAndLandsHard) {
  level.LoadRoom();
  const Fixed12 ground = level.player().y;
  level.Frame(kUp);
  EXPECT_EQ(level.player().state, JumpStart);
  EXPECT_EQ(level.player().actionTimer, 12);
  level.Frames(12);
  EXPECT_EQ(level.player().y, ground) << "no movement during the wind-up";
  EXPECT_EQ(level.player().state, Air);
  EXPECT_EQ(level.player().vy, -1248);
  Fixed12 top = ground;
  int frames = 0;
  while (level.player().state != Land && frames < 200) {
    level.Frame();
    top = std::min(top, level.player().y);
    frames++;
  }
  EXPECT_EQ((ground - top) / 4096, 45);
  ASSERT_EQ(level.player().state, Land);
  EXPECT_EQ(level.player().actionTimer, 10);
  EXPECT_EQ(level.player().y, ground);
  level.Frames(10, kRight);
  EXPECT_EQ(level.player().vx, 0) << "the landing pose ignores input";
  EXPECT_EQ(level.player().state, Stand);
}

TEST_F(PlayerTest, AOneCellStepCanBeClimbedButNotATwoCellOne) {
  std::vector<std::string> rows = EmptyRoom();
  rows[18][5] = 'B';
  level.LoadRoom(rows);
  level.RunUntil([&] { return level.PixelX() > 5 * 48 + 10; }, 400, kRight | kUp);
  EXPECT_GT(level.PixelX(), 5 * 48 + 10);
  level.RunUntil([&] { return level.player().onGround != 0 && level.player().state != JumpStart; }, 100, kRight);
  EXPECT_LE(level.PixelY(), 17 * 48) << "on the step or beyond it";

  rows[17][5] = 'B';
  level.LoadRoom(rows);
  level.Frames(600, kRight | kUp);
  EXPECT_LE(level.PixelX(), 4 * 48 + 5);
}

TEST_F(PlayerTest, HeadBumpsCrackThenBreakABlockAndRevealItsItem) {
  std::vector<std::string> rows = EmptyRoom();
  rows[17][2] = 'B';
  rows[17][8] = '#';
  level.LoadRoom(rows, {"3 2 17 1"});
  Item* item = &level.game()->items[0];
  ASSERT_EQ(item->type, 3);
  EXPECT_EQ(item->sprite->visible, 0);
  level.Frame(kUp);
  level.RunUntil([&] { return level.Code(2, 17) != TileBlock; }, 40);
  EXPECT_EQ(level.Code(2, 17), TileCracked);
  EXPECT_EQ(level.CountSound(SndBlockHit), 1);
  level.RunUntil([&] { return level.player().state == Stand && level.player().actionTimer == 0; }, 100);
  level.Frame(kUp);
  level.RunUntil([&] { return level.Code(2, 17) != TileCracked; }, 40);
  EXPECT_EQ(level.Code(2, 17), TileEmpty);
  EXPECT_EQ(item->hidden, 0);
  EXPECT_EQ(item->sprite->visible, 1);

  level.LoadRoom(rows);
  level.PlacePlayer(8 * 48, 18 * 48);
  level.Frame();
  level.Frame(kUp);
  level.Frames(20);
  EXPECT_EQ(level.Code(8, 17), TileWall);
  EXPECT_EQ(level.CountSound(SndBlockHit), 1);
}

TEST_F(PlayerTest, ClearingTimerFreezesAndHidesThePlayer) {
  level.LoadRoom();
  level.player().clearTimer = 50;
  level.player().sprite->visible = 0;
  const Fixed12 x = level.player().x;
  level.Frames(10, kRight);
  EXPECT_EQ(level.player().x, x);
  EXPECT_EQ(level.player().sprite->visible, 0);
}

TEST_F(PlayerTest, DyingPlayerHopsUpThenDrops) {
  level.LoadRoom();
  level.player().dying = 1;
  level.player().deathTimer = 200;
  level.Frame(kRight);
  EXPECT_EQ(level.player().sprite->vy, -12288);
  level.Frames(25);
  EXPECT_EQ(level.player().sprite->vy, 6144);
  level.Frames(60);
  EXPECT_EQ(level.player().sprite->vy, 24576);
  EXPECT_EQ(level.player().vx, 0) << "input is ignored";
}

}  // namespace
