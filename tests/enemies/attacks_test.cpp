#include <gtest/gtest.h>

#include "enemies/enemy_behaviours.h"
#include "enemies/enemy_test_support.h"
#include "sound/sound_bank.h"

namespace {

class AttacksTest : public testing::Test {
 protected:
  LevelHarness level;
};

TEST_F(AttacksTest, AShotBetweenTwoBlocksBreaksBothAndIsRemovedOnce) {
  std::vector<std::string> rows = EmptyRoom();
  rows[10][6] = 'B';
  rows[10][7] = 'C';
  level.LoadEnemyRoom({}, rows);
  Enemy* shot = PlaceEnemy(level, EnemyShot, 6, 10, 0, DirRight);
  shot->sprite->x = (6 * 48 + 24) << 12;
  shot->sprite->frame = 40;
  shot->sprite->vx = 8192;
  level.Frame();
  EXPECT_EQ(shot->type, 0);
  EXPECT_EQ(level.Code(6, 10), TileChange);
  EXPECT_EQ(level.Code(7, 10), TileChange);
  EXPECT_EQ(level.CountSound(SndBlockHit), 2);
}

TEST_F(AttacksTest, AStrikeIsHarmlessForTwelveFramesThenDeadlyAndGoneAfterTwenty) {
  level.LoadEnemyRoom();
  Enemy* brawler = PlaceEnemy(level, EnemyBrawler, 5, 18, 0, DirRight);
  brawler->cooldown = 1000;
  SpawnStrike(level.sys(), brawler);
  Enemy* strike = FirstEnemy(level, EnemyStrike);
  ASSERT_NE(strike, nullptr);
  EXPECT_EQ(strike->sprite->x >> 12, 6 * 48);
  EXPECT_EQ(strike->sprite->life, 20);
  level.player().actionTimer = 1000;
  level.PlacePlayer(6 * 48, 18 * 48);
  int diedAt = -1;
  for (int frame = 1; frame <= 20 && diedAt < 0; frame++) {
    level.Frame();
    if (level.player().dying) diedAt = frame;
  }
  // Made between frames, it shows frame 0 through twelve sprite updates and
  // touches in the first enemy update after its frame changes.
  EXPECT_EQ(diedAt, 14);
  level.Frames(8);
  EXPECT_EQ(strike->type, 0);
}

TEST_F(AttacksTest, AStrikeAtABlockBreaksItOnceItIsActive) {
  std::vector<std::string> rows = EmptyRoom();
  rows[18][8] = 'B';
  level.LoadEnemyRoom({}, rows);
  Enemy* guard = PlaceEnemy(level, EnemyGuard, 5, 18, 256, DirRight);
  level.RunUntil([&] { return CountEnemies(level, EnemyStrike) == 1; }, 200);
  ASSERT_EQ(CountEnemies(level, EnemyStrike), 1);
  EXPECT_EQ(guard->dir, DirRight);
  EXPECT_EQ(guard->wait, 32);
  level.Frames(11);
  EXPECT_EQ(level.Code(8, 18), TileBlock);
  level.Frames(3);
  EXPECT_NE(level.Code(8, 18), TileBlock);
  level.Frames(80);
  EXPECT_GT(guard->sprite->x >> 12, 8 * 48) << "walks on through the opening";
}

TEST_F(AttacksTest, AHorizontalFlyerBreaksABlockPausesAndFliesBack) {
  std::vector<std::string> rows = EmptyRoom();
  rows[10][8] = 'B';
  level.LoadEnemyRoom({"5 4 10 256 0"}, rows);
  Enemy* flyer = FirstEnemy(level, EnemyFlyer);
  EXPECT_EQ(flyer->sprite->vx, 4096);
  level.RunUntil([&] { return flyer->wait > 0; }, 200);
  EXPECT_EQ(flyer->dir, DirLeft);
  EXPECT_EQ(flyer->sprite->vx, 0);
  EXPECT_EQ(flyer->sprite->x >> 12, 7 * 48 + 6) << "never snapped: it overlaps the block by 6 pixels";
  level.Frame();
  EXPECT_EQ(flyer->sprite->frame, 53) << "the pause frame";
  EXPECT_EQ(level.Code(8, 10), TileChange);
  level.Frames(11);
  EXPECT_EQ(flyer->sprite->vx, -4096);
}

TEST_F(AttacksTest, AVerticalFlyerGoesOnThroughTheBlockItBroke) {
  std::vector<std::string> rows = EmptyRoom();
  rows[8][5] = 'B';
  level.LoadEnemyRoom({"5 5 3 256 2"}, rows);
  Enemy* flyer = FirstEnemy(level, EnemyFlyer);
  level.RunUntil([&] { return flyer->wait > 0; }, 200);
  EXPECT_EQ(flyer->dir, DirDown);
  level.Frames(12);
  EXPECT_EQ(flyer->sprite->vy, 4096);
  level.Frames(60);
  EXPECT_GT(flyer->sprite->y >> 12, 8 * 48);
  // Against the floor, which does not break, it stops again and again,
  // creeping a step further after each pause, but never out of the level.
  level.RunUntil([&] { return flyer->wait > 0; }, 1000);
  EXPECT_EQ(flyer->sprite->y >> 12, 18 * 48 + 6);
  level.Frames(13);
  EXPECT_EQ(flyer->sprite->y >> 12, 18 * 48 + 7);
  EXPECT_EQ(flyer->dir, DirDown);
  level.Frames(20000);
  EXPECT_LT(flyer->sprite->y >> 12, 20 * 48);
}

TEST_F(AttacksTest, CrawlersFollowTheWalls) {
  level.LoadEnemyRoom({"1 10 18 256 0"});
  Enemy* crawler = FirstEnemy(level, EnemyCrawler);
  bool climbed = false;
  for (int i = 0; i < 400; i++) {
    level.Frame();
    if (crawler->sprite->vy < 0) climbed = true;
    const int px = crawler->sprite->x >> 12, py = crawler->sprite->y >> 12;
    ASSERT_TRUE(px >= 43 && px <= 18 * 48 + 5 && py >= 43 && py <= 18 * 48 + 5) << px << "," << py;
  }
  EXPECT_TRUE(climbed);
}

}  // namespace
