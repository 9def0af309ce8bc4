#include <gtest/gtest.h>

#include "enemies/enemy_behaviours.h"
#include "enemies/enemy_test_support.h"
#include "game/magic.h"
#include "sound/sound_bank.h"

namespace {

class EnemyTableTest : public testing::Test {
 protected:
  LevelHarness level;
};

TEST_F(EnemyTableTest, BoxesOverlapWithinThirtyTwoAndTheSentryBoxIsWider) {
  EXPECT_EQ(BoxesOverlap(132, 68, 100, 100), 1);
  EXPECT_EQ(BoxesOverlap(133, 100, 100, 100), 0);
  EXPECT_EQ(BoxesOverlap(100, 67, 100, 100), 0);
  EXPECT_EQ(SentryBoxOverlaps(137, 142, 100, 100), 1);
  EXPECT_EQ(SentryBoxOverlaps(63, 58, 100, 100), 1);
  EXPECT_EQ(SentryBoxOverlaps(100, 143, 100, 100), 0);
  EXPECT_EQ(SentryBoxOverlaps(138, 100, 100, 100), 0);
}

TEST_F(EnemyTableTest, ATurretFiresInItsFirstFrameThenEveryTwoHundred) {
  level.LoadEnemyRoom({"3 5 10 0 0"});
  std::vector<int> fired;
  for (int frame = 0; frame <= 450; frame++) {
    if (frame > 0) level.Frame();
    for (const Enemy& e : level.game()->enemies)
      if (e.type == EnemyShot && e.wait == 11) fired.push_back(frame);
  }
  EXPECT_EQ(fired, (std::vector<int>{0, 200, 400}));
  EXPECT_EQ(level.game()->enemies[0].sprite->frame, 30);
}

TEST_F(EnemyTableTest, AShotWaitsTwelveFramesThenFliesToTheFirstSolidCellAndBreaksIt) {
  std::vector<std::string> rows = EmptyRoom();
  rows[10][12] = 'B';
  level.LoadEnemyRoom({"3 5 10 0 0"}, rows);
  Enemy* shot = &level.game()->enemies[1];
  ASSERT_EQ(shot->type, EnemyShot);
  const Fixed12 start = shot->sprite->x;
  level.Frames(10);
  EXPECT_EQ(shot->sprite->x, start);
  EXPECT_EQ(level.CountSound(SndShot), 0);
  level.Frame();
  EXPECT_EQ(level.CountSound(SndShot), 1);
  EXPECT_EQ(shot->sprite->vx, 8192);
  level.RunUntil([&] { return shot->type == 0; }, 400);
  EXPECT_EQ(shot->type, 0);
  level.Frame();
  EXPECT_EQ(level.Code(12, 10), TileChange);
}

TEST_F(EnemyTableTest, ASpawnerMakesItsFirstEnemyAndPuffInFrame301) {
  level.LoadEnemyRoom({"2 5 10 64 0"});
  EXPECT_EQ(level.game()->spawnerCount, 1);
  EXPECT_EQ(CountEnemies(level, EnemyWalker), 0);
  level.Frames(299);
  EXPECT_EQ(CountEnemies(level, EnemyWalker), 0);
  level.Frame();  // the 301st update of the level
  ASSERT_EQ(CountEnemies(level, EnemyWalker), 1);
  EXPECT_EQ(CountWorldFrames(level, 102), 1);
  Enemy* walker = FirstEnemy(level, EnemyWalker);
  EXPECT_EQ(walker->airborne, 1);
  EXPECT_EQ(walker->sprite->x >> 12, 5 * 48);
  level.Frames(300);
  EXPECT_EQ(CountEnemies(level, EnemyWalker), 2);
}

TEST_F(EnemyTableTest, ASpawnedWalkerVanishesWithAPuffAtTheEndOfItsLifeEvenInMidAir) {
  level.LoadEnemyRoom({"2 5 2 64 0"});
  level.Frames(300);
  Enemy* walker = FirstEnemy(level, EnemyWalker);
  ASSERT_NE(walker, nullptr);
  EXPECT_EQ(walker->sprite->life, 499);
  level.Frames(100);
  // Lift it up into the open just before its end.
  walker->sprite->life = 6;
  walker->sprite->y = (3 * 48) << 12;
  walker->sprite->vy = 0;
  level.Frames(5);
  ASSERT_EQ(walker->type, EnemyWalker);
  EXPECT_EQ(walker->airborne, 1);
  const int before = level.CountSound(SndEnemyDown);
  level.Frame();
  EXPECT_EQ(walker->type, 0);
  EXPECT_EQ(level.CountSound(SndEnemyDown), before + 1);
  EXPECT_GE(CountWorldFrames(level, 102), 1);
}

TEST_F(EnemyTableTest, OneFireballHitsTwoEnemiesInTheSameFrameAndSentriesAbsorbIt) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 3;
  layout.playerRow = 18;
  layout.enemies = {"1 6 18 0 0", "1 6 18 0 0"};
  level.LoadSpec(layout);
  level.Frames(2);
  level.Frame(kX);
  level.RunUntil([&] { return CountEnemies(level, EnemyCrawler) == 0; }, 30);
  EXPECT_EQ(CountEnemies(level, EnemyCrawler), 0);
  EXPECT_EQ(level.CountSound(SndEnemyDown), 2);

  layout.enemies = {"8 6 18 0 0"};
  level.LoadSpec(layout);
  level.Frames(2);
  level.Frame(kX);
  Sprite* fireball = level.game()->fireballs[0];
  level.Frames(30);
  EXPECT_FALSE(fireball->inUse);
  EXPECT_EQ(CountEnemies(level, EnemySentry), 1);
}

TEST_F(EnemyTableTest, ContactKillsThePlayerButNotWhileTheDoorCountdownRuns) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 6;
  layout.playerRow = 18;
  layout.enemies = {"1 7 18 0 0"};
  level.LoadSpec(layout);
  level.player().clearTimer = 50;
  level.PlacePlayer(7 * 48 - 20, 18 * 48);
  level.Frame();
  EXPECT_EQ(level.player().dying, 0);
  level.player().clearTimer = 0;
  level.Frame();
  EXPECT_EQ(level.player().dying, 1);
  EXPECT_EQ(level.player().deathTimer, 200) << "the death sequence starts in the next frame";
}

TEST_F(EnemyTableTest, UnknownTypesA65thSpawnerAndAFullTableCreateNothing) {
  std::vector<std::string> lines = {"0 5 5 0 0", "13 5 5 0 0", "-2 5 5 0 0"};
  for (int i = 0; i < 65; i++) lines.push_back("6 5 5 16 0");
  level.LoadEnemyRoom(lines);
  EXPECT_EQ(CountEnemies(level, 0), kEnemySlots);
  EXPECT_EQ(level.game()->spawnerCount, 64);

  // A full table: a spawner line and a turret's shot are both refused.
  level.LoadEnemyRoom({"3 5 10 0 0"});
  RemoveEnemy(level.sys(), FirstEnemy(level, EnemyShot));
  for (int i = 0; i < kEnemySlots; i++) {
    if (level.game()->enemies[i].type == 0) PlaceEnemy(level, EnemySentry, 10, 18, 0, 0);
  }
  level.Frames(250);
  EXPECT_EQ(CountEnemies(level, EnemyShot), 0);
  MapSpec layout = RoomSpec();
  for (int i = 0; i < 256; i++) layout.enemies.push_back("8 10 18 0 0");
  layout.enemies.push_back("2 5 5 16 0");
  level.LoadSpec(layout);
  EXPECT_EQ(level.game()->spawnerCount, 0);
}

TEST_F(EnemyTableTest, NoFreeSpriteMeansNoObjectAndNoStaleSprite) {
  level.LoadEnemyRoom({"3 5 10 0 0"});
  RemoveEnemy(level.sys(), FirstEnemy(level, EnemyShot));
  SpriteList* world = level.game()->world;
  for (int i = 0; i < world->capacity; i++) world->sprites[i].inUse = 1;  // every slot taken
  AddMapEnemy(level.sys(), EnemyCrawler, 3, 3, 16, 0);
  EXPECT_EQ(CountEnemies(level, EnemyCrawler), 0);
  level.Frames(210);
  EXPECT_EQ(CountEnemies(level, EnemyShot), 0);
  SpawnPuff(level.sys(), 10, 10);
  Enemy* turret = &level.game()->enemies[0];
  turret->dir = 0;
  SpawnStrike(level.sys(), turret);
  EXPECT_EQ(CountEnemies(level, EnemyStrike), 0);
  for (const Enemy& e : level.game()->enemies) {
    if (e.type != 0) {
      EXPECT_NE(e.sprite, nullptr);
    }
  }
}

TEST_F(EnemyTableTest, DirectionsOutsideTheTablesAreHarmless) {
  level.LoadEnemyRoom({"3 5 10 0 7"});
  Enemy* turret = &level.game()->enemies[0];
  EXPECT_EQ(turret->sprite->frame, 30);
  level.Frames(13);
  EXPECT_EQ(CountEnemies(level, EnemyShot), 0) << "a shot with no direction is dropped at launch";
  turret->dir = 2;
  SpawnStrike(level.sys(), turret);
  EXPECT_EQ(CountEnemies(level, EnemyStrike), 0);
  AddMapEnemy(level.sys(), EnemyFlyer, 8, 8, 64, 9);
  Enemy* flyer = FirstEnemy(level, EnemyFlyer);
  ASSERT_NE(flyer, nullptr);
  EXPECT_EQ(flyer->sprite->vx, 0);
  EXPECT_EQ(flyer->sprite->vy, 0);
  level.Frames(5);
}

TEST_F(EnemyTableTest, AStaleStrikeRecordNeverTouchesTheSpriteThatTookItsSlot) {
  level.LoadEnemyRoom({});
  Enemy* brawler = PlaceEnemy(level, EnemyBrawler, 5, 18, 64, 0);
  SpawnStrike(level.sys(), brawler);
  Enemy* strike = FirstEnemy(level, EnemyStrike);
  ASSERT_NE(strike, nullptr);
  Sprite* strikeSprite = strike->sprite;
  brawler->type = EnemySentry;  // keep it from striking again
  level.RunUntil([&] { return !strikeSprite->inUse; }, 40);
  ASSERT_EQ(strike->type, EnemyStrike) << "the record outlives its sprite until the next update";
  // Another object takes the freed slot before the enemies are updated.
  Sprite* newcomer = AllocSprite(level.game()->world, level.game()->enemyBitmaps,
                                 static_cast<int>(strikeSprite - level.game()->world->sprites) - 1);
  ASSERT_EQ(newcomer, strikeSprite);
  newcomer->x = 123 << 12;
  newcomer->visible = 1;
  newcomer->frame = 7;
  level.Frame();
  EXPECT_EQ(strike->type, 0);
  EXPECT_TRUE(newcomer->inUse);
  EXPECT_EQ(newcomer->x, 123 << 12);
  EXPECT_EQ(newcomer->frame, 7);
  EXPECT_EQ(MagicHitsEnemy(level.sys(), 2, 2), 0);
}

}  // namespace
