#include <gtest/gtest.h>

#include "enemies/enemy_behaviours.h"
#include "enemies/enemy_test_support.h"
#include "sound/sound_bank.h"

namespace {

class GroundEnemyTest : public testing::Test {
 protected:
  // Puts the player's body (and its sprite, which enemies look at) somewhere.
  void PutPlayer(int px, int py) {
    level.PlacePlayer(px, py);
    level.player().sprite->x = px << 12;
    level.player().sprite->y = py << 12;
  }
  LevelHarness level;
};

TEST_F(GroundEnemyTest, ABrawlerStrikesAtFortyEightPixelsButNotFortyNine) {
  level.LoadEnemyRoom();
  Enemy* brawler = PlaceEnemy(level, EnemyBrawler, 5, 18, 64, DirRight);
  // The player floats still above the floor (no gravity while casting).
  level.player().actionTimer = 1000;
  PutPlayer(5 * 48 + 49, 18 * 48);
  level.Frame();
  EXPECT_EQ(CountEnemies(level, EnemyStrike), 0);
  PutPlayer((brawler->sprite->x >> 12) + 48, 18 * 48);
  level.Frame();
  EXPECT_EQ(CountEnemies(level, EnemyStrike), 1);
  EXPECT_EQ(brawler->wait, 32);
  EXPECT_EQ(brawler->cooldown, 140);
  EXPECT_EQ(brawler->sprite->vx, 0);
  EXPECT_EQ(level.CountSound(SndShot), 1);
}

TEST_F(GroundEnemyTest, ABrawlerDoesNotStrikeStandingOrCoolingDown) {
  level.LoadEnemyRoom();
  level.player().actionTimer = 1000;
  Enemy* standing = PlaceEnemy(level, EnemyBrawler, 5, 18, 0, DirRight);
  PutPlayer(5 * 48 + 30, 18 * 48);
  level.Frames(3);
  EXPECT_EQ(CountEnemies(level, EnemyStrike), 0);
  standing->speed = 64;
  standing->sprite->vx = 1024;
  standing->cooldown = 10;
  level.Frame();
  EXPECT_EQ(CountEnemies(level, EnemyStrike), 0);
}

TEST_F(GroundEnemyTest, AGunnerFiresOnlyAheadThenStandsAndCoolsDown) {
  level.LoadEnemyRoom();
  level.player().actionTimer = 1000;
  Enemy* gunner = PlaceEnemy(level, EnemyGunner, 10, 18, 64, DirRight);
  PutPlayer(4 * 48, 18 * 48);  // behind it
  level.Frames(5);
  EXPECT_EQ(CountEnemies(level, EnemyShot), 0);
  PutPlayer(17 * 48, 18 * 48 + 40);  // far ahead, about level
  level.Frame();
  ASSERT_EQ(CountEnemies(level, EnemyShot), 1);
  EXPECT_EQ(gunner->wait, 32);
  EXPECT_EQ(gunner->cooldown, 140);
  level.Frames(32);
  EXPECT_NE(gunner->sprite->vx, 0) << "walks again after 32 frames";
  level.Frames(100);
  EXPECT_LE(CountEnemies(level, EnemyShot), 1) << "no second shot inside 140 frames";
}

TEST_F(GroundEnemyTest, AChargerRunsAtDoublePaceOnceItSeesThePlayer) {
  level.LoadEnemyRoom();
  level.player().actionTimer = 10000;
  Enemy* charger = PlaceEnemy(level, EnemyCharger, 3, 18, 64, DirRight);
  level.Frame();
  EXPECT_EQ(charger->sprite->vx, 1024);
  PutPlayer(15 * 48, 18 * 48);
  level.Frame();
  EXPECT_EQ(charger->alert, 1);
  EXPECT_EQ(charger->sprite->vx, 2048);
  EXPECT_EQ(charger->sprite->anim[0].frame, 72);
  // At the wall it turns, pauses 24 frames and goes on at its normal pace.
  PutPlayer(1 * 48, 1 * 48);
  level.RunUntil([&] { return charger->wait > 0; }, 2000);
  EXPECT_EQ(charger->dir, DirLeft);
  EXPECT_EQ(charger->alert, 0);
  level.Frames(24);
  EXPECT_EQ(charger->sprite->vx, -1024);
}

TEST_F(GroundEnemyTest, WalkersBreakBlocksAndTurnWhileChargersBreakThrough) {
  std::vector<std::string> rows = EmptyRoom();
  rows[18][8] = 'B';
  rows[18][14] = 'B';
  level.LoadEnemyRoom({}, rows);
  Enemy* walker = PlaceEnemy(level, EnemyWalker, 5, 18, 256, DirRight);
  level.RunUntil([&] { return walker->dir == DirLeft; }, 200);
  EXPECT_EQ(walker->wait, 12);
  EXPECT_EQ(walker->sprite->x >> 12, 7 * 48 + 5);
  level.Frame();
  EXPECT_EQ(level.Code(8, 18), TileChange);
  level.Frames(12);
  EXPECT_LT(walker->sprite->vx, 0);

  Enemy* charger = PlaceEnemy(level, EnemyCharger, 11, 18, 256, DirRight);
  level.RunUntil([&] { return charger->wait > 0; }, 200);
  EXPECT_EQ(charger->dir, DirRight);
  EXPECT_EQ(charger->wait, 24);
  level.Frames(25);
  EXPECT_GT(charger->sprite->vx, 0);
  level.Frames(60);
  EXPECT_GT(charger->sprite->x >> 12, 14 * 48) << "went on through the broken block";
}

TEST_F(GroundEnemyTest, GuardsTurnAtPlatformEdgesWhileWalkersWalkOff) {
  std::vector<std::string> rows = EmptyRoom();
  rows[12] = "#..BBBBBB..........#";
  level.LoadEnemyRoom({}, rows);
  Enemy* guard = PlaceEnemy(level, EnemyGuard, 4, 11, 256, DirRight);
  level.RunUntil([&] { return guard->wait > 0; }, 300);
  EXPECT_EQ(guard->dir, DirLeft);
  EXPECT_EQ(guard->wait, 24);
  EXPECT_EQ(guard->sprite->x >> 12, 8 * 48 + 5);
  EXPECT_EQ(guard->airborne, 0);

  Enemy* walker = PlaceEnemy(level, EnemyWalker, 5, 11, 256, DirRight);
  level.RunUntil([&] { return walker->airborne == 1; }, 300);
  EXPECT_EQ(walker->airborne, 1);
  EXPECT_GT(walker->sprite->x >> 12, 8 * 48);
  level.RunUntil([&] { return walker->airborne == 0; }, 300);
  EXPECT_EQ(walker->sprite->y >> 12, 18 * 48) << "landed on the floor below";
  EXPECT_EQ(walker->airborne, 0);
}

TEST_F(GroundEnemyTest, ACoolingGuardStopsAtAnEdgeWithoutTurning) {
  std::vector<std::string> rows = EmptyRoom();
  rows[12] = "#..BBBBBB..........#";
  level.LoadEnemyRoom({}, rows);
  Enemy* guard = PlaceEnemy(level, EnemyGuard, 4, 11, 256, DirRight);
  guard->cooldown = 1000;
  level.RunUntil([&] { return guard->wait > 0; }, 300);
  EXPECT_EQ(guard->dir, DirRight);
  level.Frames(25);
  level.RunUntil([&] { return guard->wait > 0; }, 300);
  EXPECT_EQ(guard->dir, DirRight);
  EXPECT_EQ(guard->airborne, 0);
  EXPECT_EQ(guard->sprite->x >> 12, 8 * 48 + 5);
}

TEST_F(GroundEnemyTest, ChargersGuardsAndGunnersFallingFromTheMapArePuffedOnLanding) {
  level.LoadEnemyRoom();
  AddMapEnemy(level.sys(), EnemyGuard, 6, 5, 64, DirRight);
  AddMapEnemy(level.sys(), EnemySentry, 9, 5, 64, DirRight);
  Enemy* guard = FirstEnemy(level, EnemyGuard);
  Enemy* sentry = FirstEnemy(level, EnemySentry);
  level.RunUntil([&] { return guard->type == 0; }, 400);
  EXPECT_EQ(guard->type, 0);
  EXPECT_EQ(sentry->type, EnemySentry);
  EXPECT_EQ(sentry->sprite->y >> 12, 18 * 48);
}

TEST_F(GroundEnemyTest, MagicStunsASentryForTwoHundredFramesAndItStaysDeadly) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 4;
  layout.playerRow = 18;
  layout.enemies = {"8 6 18 0 0"};
  level.LoadSpec(layout);
  level.Frames(2);
  Enemy* sentry = FirstEnemy(level, EnemySentry);
  level.PlacePlayer(5 * 48 - 20, 18 * 48);  // target cell 6 holds the sentry
  level.Frame(kZ);
  EXPECT_EQ(sentry->type, EnemySentryStunned);
  EXPECT_EQ(sentry->cooldown, 199);
  EXPECT_EQ(level.Code(6, 18), TileEmpty) << "an enemy in the cell blocks the magic";
  // Magic again on the stunned sentry finds it but does not restart the stun.
  level.Frames(30);
  level.Frame(kZ);
  EXPECT_EQ(sentry->cooldown, 168);
  level.RunUntil([&] { return sentry->type == EnemySentry; }, 400);
  EXPECT_EQ(sentry->type, EnemySentry);
  EXPECT_EQ(sentry->sprite->anim[0].frame, 80);
  // Touching it kills, with the wider sentry box.
  level.PlacePlayer(6 * 48 - 37, 18 * 48);
  level.Frame();
  EXPECT_EQ(level.player().dying, 1);
}

TEST_F(GroundEnemyTest, AnEnemyAboutToEnterTheCellBlocksMagicThere) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 4;
  layout.playerRow = 18;
  level.LoadSpec(layout);
  level.Frames(2);
  Enemy* walker = PlaceEnemy(level, EnemyWalker, 8, 18, 64, DirLeft);
  walker->sprite->x = (5 * 48 + 43) << 12;
  walker->sprite->vx = -4096;  // next frame it is 42 pixels from the cell
  EXPECT_EQ(MagicHitsEnemy(level.sys(), 5, 18), 1);
  walker->sprite->vx = 0;
  EXPECT_EQ(MagicHitsEnemy(level.sys(), 5, 18), 0);
}

}  // namespace
