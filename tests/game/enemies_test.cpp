// Enemy rules the recorded plays never reach, and the tables' robustness:
// reach and contact boundaries, meeting walls and blocks, landing, the
// stunned sentry, flyers at blocks and at the edge of the level, and records
// whose sprite or direction is gone or strange.
#include <gtest/gtest.h>

#include <climits>

#include "game/enemy_anim.h"
#include "game/enemy_behaviours.h"
#include "game/enemy_table.h"
#include "game/grid.h"
#include "game/items.h"
#include "game/magic.h"
#include "graphics/sprite_update.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

namespace {

TEST(Enemies, ContactBoxesAndABrawlersReachEndWhereTheyShould) {
  EXPECT_EQ(BoxesOverlap(132, 68, 100, 100), 1);
  EXPECT_EQ(BoxesOverlap(133, 100, 100, 100), 0);
  EXPECT_EQ(BoxesOverlap(100, 67, 100, 100), 0);
  EXPECT_EQ(SentryBoxOverlaps(137, 142, 100, 100), 1);
  EXPECT_EQ(SentryBoxOverlaps(63, 58, 100, 100), 1);
  EXPECT_EQ(SentryBoxOverlaps(100, 143, 100, 100), 0);
  EXPECT_EQ(SentryBoxOverlaps(138, 100, 100, 100), 0);
  // Both boxes reach as far to the left and above as to the right and below.
  for (auto* touches : {BoxesOverlap, SentryBoxOverlaps})
    for (int d = 0; d <= 50; d++) {
      EXPECT_EQ(touches(100 - d, 100, 100, 100), touches(100 + d, 100, 100, 100)) << d;
      EXPECT_EQ(touches(100, 100 - d, 100, 100), touches(100, 100 + d, 100, 100)) << d;
    }

  // A walking, cool brawler strikes a player 1 to 48 pixels ahead and at
  // most 48 above or below; one standing or cooling down does not.
  struct Case {
    int dx, dy, speed, cooldown, strikes;
  };
  const Case cases[] = {{48, 0, 64, 0, 1},   {49, 0, 64, 0, 0},  {0, 0, 64, 0, 0},
                        {30, -48, 64, 0, 1}, {30, 48, 64, 0, 1}, {30, -49, 64, 0, 0},
                        {30, 49, 64, 0, 0},  {30, 0, 0, 0, 0},   {30, 0, 64, 10, 0}};
  for (const Case& c : cases) {
    GameHarness level;
    level.LoadEnemyRoom();
    level.player().actionTimer = 1000;  // floats where it is put
    Enemy* brawler = level.PlaceEnemy(EnemyBrawler, 5, 10, c.speed, DirRight);
    brawler->cooldown = c.cooldown;
    level.PlacePlayer(5 * 48 + c.dx, 10 * 48 + c.dy);
    level.Frame();
    EXPECT_EQ(level.CountEnemies(EnemyStrike), c.strikes) << c.dx << "," << c.dy << " speed " << c.speed;
  }
}

// Every kind as play meets it: a map line makes the enemy, or a spawner of
// walkers and brawlers; a sentry starts still, is the only kind block magic
// stuns and, stunned or not, the only one fireballs leave whole; only spawned kinds end their
// life with a puff.
TEST(Enemies, EachKindTakesItsMapLineMagicFireAndOldAgeItsOwnWay) {
  for (int type = EnemyCrawler; type <= EnemySentryStunned; type++) {
    SCOPED_TRACE("type " + std::to_string(type));
    const bool sentry = type == EnemySentry || type == EnemySentryStunned;
    const bool spawned = type == EnemyWalker || type == EnemyBrawler;
    GameHarness level;
    level.LoadEnemyRoom();
    AddMapEnemy(level.sys(), type, 10, 10, 64, DirRight);
    EXPECT_EQ(level.game()->spawnerCount, spawned ? 1 : 0);
    ASSERT_EQ(level.CountEnemies(type), spawned ? 0 : 1);
    if (Enemy* mapped = level.FirstEnemy(type)) {
      EXPECT_EQ(mapped->sprite->vx, type == EnemySentry ? 0 : 64 * 16);
      RemoveEnemy(level.sys(), mapped);
    }
    Enemy* enemy = level.PlaceEnemy(type, 10, 10, 0, DirRight);
    EXPECT_EQ(MagicHitsEnemy(level.sys(), 10, 10), 1);
    EXPECT_EQ(enemy->type, type == EnemySentry ? EnemySentryStunned : type);
    enemy->type = type;
    enemy->cooldown = 0;  // a stunned sentry's stun is over
    level.player().magic = 1;
    level.PlacePlayer(10 * 48 - 24, 10 * 48);  // the fireball starts on the enemy
    ShootFireball(level.sys());
    level.sounds.clear();
    UpdateEnemies(level.sys());
    EXPECT_EQ(enemy->type, !sentry ? 0 : EnemySentry);
    EXPECT_EQ(level.sounds, std::vector<int>(sentry ? 0 : 1, SndEnemyDown));

    enemy = level.PlaceEnemy(type, 5, 5, 0, DirLeft);
    enemy->sprite->life = 1;  // its last frame
    level.sounds.clear();
    UpdateEnemies(level.sys());
    EXPECT_EQ(enemy->type, spawned ? 0 : type == EnemySentryStunned ? EnemySentry : type);
    EXPECT_EQ(level.sounds, std::vector<int>(spawned ? 1 : 0, SndEnemyDown));
  }
}

TEST(Enemies, EachKindMeetsABlockOrAWallItsOwnWay) {
  struct Case {
    int type, dir;
    char cell;
    int wait, turnsTo;
    bool breaks;
  };
  const Case cases[] = {
      {EnemyWalker, DirRight, 'B', 12, DirLeft, true},   {EnemyWalker, DirLeft, 'B', 12, DirRight, true},
      {EnemyBrawler, DirRight, 'B', 32, DirRight, true}, {EnemyBrawler, DirLeft, 'B', 32, DirLeft, true},
      {EnemyBrawler, DirRight, '#', 12, DirLeft, false}, {EnemyBrawler, DirLeft, '#', 12, DirRight, false},
      {EnemyCharger, DirRight, 'B', 24, DirRight, true}, {EnemyCharger, DirLeft, 'B', 24, DirLeft, true},
      {EnemyCharger, DirRight, '#', 24, DirLeft, false}, {EnemyCharger, DirLeft, '#', 24, DirRight, false},
      {EnemyGunner, DirRight, 'B', 12, DirLeft, false},  {EnemyGunner, DirLeft, 'B', 12, DirRight, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "type " << c.type << " dir " << c.dir << " cell " << c.cell);
    std::vector<std::string> rows = EmptyRoom();
    const int column = c.dir == DirRight ? 8 : 2;
    rows[18][column] = c.cell;
    GameHarness level;
    level.LoadEnemyRoom({}, rows);
    Enemy* enemy = level.PlaceEnemy(c.type, 5, 18, 256, c.dir);
    level.RunUntil([&] { return enemy->wait > 0; }, 200);
    EXPECT_EQ(enemy->wait, c.wait);
    EXPECT_EQ(enemy->dir, c.turnsTo);
    EXPECT_EQ(enemy->sprite->x >> 12, c.dir == DirRight ? 7 * 48 + 5 : 2 * 48 + 43) << "snapped to the cell";
    level.Frames(20);
    EXPECT_EQ(level.Code(column, 18) != TileBlock && c.cell == 'B', c.breaks);
  }
}

TEST(Enemies, CrawlersClimbOverABlockOnTheFloorEitherWayAndCrawlOnBeyondIt) {
  for (const auto& [line, beyond, ahead] : {std::tuple{"1 9 18 256 0", 13 * 48, 1}, {"1 15 18 256 1", 11 * 48, -1}}) {
    SCOPED_TRACE(line);
    std::vector<std::string> rows = EmptyRoom();
    rows[18][12] = '#';
    GameHarness level;
    level.LoadEnemyRoom({line}, rows);
    const Sprite* crawler = level.game()->enemies[0].sprite;
    int highest = kGridSize * kCellSize;
    for (int f = 0; f < 400; f++, level.Frame()) highest = std::min(highest, FixedToPixels(crawler->y));
    EXPECT_GT(highest, 17 * 48 - 48) << "over the block, not up into the air";
    EXPECT_GE(FixedToPixels(crawler->y), 18 * 48) << "down on the floor again";
    EXPECT_GT((FixedToPixels(crawler->x) - beyond) * ahead, 0) << "and on beyond the block";
  }
}

// Frames shown, each with the number of updates it stays: a step of n ticks
// shows n + 1 updates, the very first only n.
using Runs = std::vector<std::pair<int, int>>;
Runs FramesShown(Sprite* sprite, int updates, SpriteList* list) {
  Runs runs;
  for (int i = 0; i < updates; i++) {
    UpdateSprites(list);
    if (runs.empty() || runs.back().first != sprite->frame) runs.push_back({sprite->frame, 0});
    runs.back().second++;
  }
  return runs;
}

TEST(Enemies, WalkersAndGunnersAnimateTheirWalksAndShotsFrameByFrame) {
  GameHarness level;
  level.LoadEnemyRoom();
  SpriteList* world = level.game()->world;
  Enemy* right = level.PlaceEnemy(EnemyWalker, 5, 10, 0, DirRight);
  EXPECT_EQ(FramesShown(right->sprite, 70, world),
            (Runs{{20, 8}, {21, 9}, {22, 9}, {23, 11}, {20, 9}, {21, 9}, {22, 9}, {23, 6}}));
  Enemy* left = level.PlaceEnemy(EnemyWalker, 7, 10, 0, DirLeft);
  EXPECT_EQ(FramesShown(left->sprite, 50, world), (Runs{{23, 8}, {22, 9}, {21, 9}, {20, 9}, {23, 11}, {22, 4}}));
  for (auto [dir, a, b] : {std::tuple{DirRight, 100, 102}, {DirLeft, 103, 105}}) {
    Enemy* gunner = level.PlaceEnemy(EnemyGunner, 9, 10, 0, dir);
    SetEnemyAttackAnim(level.sys(), gunner);
    EXPECT_EQ(FramesShown(gunner->sprite, 40, world), (Runs{{a, 3}, {b, 4}, {a, 4}, {b, 4}, {a, 25}}));
  }
}

TEST(Enemies, ThoseThatTurnAtEdgesArePuffedWhenTheyFallAndSentriesAreStunnedByMagic) {
  GameHarness level;
  MapSpec layout = RoomSpec();
  layout.playerCol = 4;
  layout.playerRow = 18;
  layout.enemies = {"8 6 18 0 0", "9 9 5 64 0", "7 11 5 64 0", "10 13 5 64 0", "8 15 5 64 0"};
  level.LoadSpec(layout);
  Enemy* stunned = &level.game()->enemies[0];
  Enemy* falling = &level.game()->enemies[4];
  level.RunUntil([&] { return falling->airborne == 0 && falling->sprite->y >> 12 == 18 * 48; }, 400);
  EXPECT_EQ(level.CountEnemies(EnemyGuard) + level.CountEnemies(EnemyCharger) + level.CountEnemies(EnemyGunner), 0);
  EXPECT_EQ(falling->type, EnemySentry) << "a sentry lands and stays";

  level.PlacePlayer(5 * 48 - 20, 18 * 48);  // the cell in front holds the sentry
  level.Frame(kZ);
  EXPECT_EQ(stunned->type, EnemySentryStunned);
  EXPECT_EQ(stunned->cooldown, 199);
  EXPECT_EQ(stunned->sprite->anim[0].frame, 82);
  EXPECT_EQ(level.Code(6, 18), TileEmpty) << "an enemy in the cell blocks the magic";
  level.Frames(30);
  level.Frame(kZ);
  EXPECT_EQ(stunned->cooldown, 168) << "found again, but the stun does not restart";
  EXPECT_EQ(level.RunUntil([&] { return stunned->type == EnemySentry; }, 400), 168);
  EXPECT_EQ(stunned->sprite->anim[0].frame, 80);
  level.PlacePlayer(6 * 48 - 37, 18 * 48);  // inside the wider sentry box only
  level.Frame();
  EXPECT_EQ(level.player().dying, 1);
}

TEST(Enemies, FlyersPauseAtWhatTheyBreakAndNeverLeaveTheLevel) {
  GameHarness level;
  std::vector<std::string> rows = EmptyRoom();
  rows[10][8] = 'B';
  level.LoadEnemyRoom({"5 4 10 256 0", "5 12 16 256 2"}, rows);
  Enemy* across = &level.game()->enemies[0];
  Enemy* down = &level.game()->enemies[1];
  level.RunUntil([&] { return across->wait > 0; }, 200);
  EXPECT_EQ(across->dir, DirLeft);
  EXPECT_EQ(across->sprite->x >> 12, 7 * 48 + 6) << "never snapped: it overlaps the block by 6 pixels";
  level.Frame();
  EXPECT_EQ(across->sprite->frame, 53) << "the pause frame";
  EXPECT_EQ(level.Code(8, 10), TileChange);
  level.Frames(11);
  EXPECT_EQ(across->sprite->vx, -4096);
  // Pressing on the floor, which does not break, it creeps a step after
  // each pause until the outer ring, where it stays.
  level.Frames(1500);
  EXPECT_EQ(FixedToPixels(down->sprite->y) / kCellSize, kGridSize - 1);
  EXPECT_EQ(down->sprite->vy, 0);
}

TEST(Enemies, RecordsWithNoSpriteAStrangeDirectionOrAStaleSpriteAreHarmless) {
  GameHarness level;
  level.LoadEnemyRoom({"3 5 10 0 4"});  // the first direction past the four
  Enemy* turret = &level.game()->enemies[0];
  EXPECT_EQ(turret->sprite->frame, 30);
  level.Frames(13);
  EXPECT_EQ(level.CountEnemies(EnemyShot), 0) << "a shot with no direction is dropped at launch";
  turret->dir = DirDown;
  SpawnStrike(level.sys(), turret);
  EXPECT_EQ(level.CountEnemies(EnemyStrike), 0) << "strikes go right or left only";
  AddMapEnemy(level.sys(), EnemyFlyer, 8, 8, 64, 9);
  Enemy* flyer = level.FirstEnemy(EnemyFlyer);
  ASSERT_NE(flyer, nullptr);
  EXPECT_EQ(flyer->sprite->vx | flyer->sprite->vy, 0);
  level.Frames(5);

  // A strike record outlives its sprite until the next enemy update; the
  // object that took the freed slot meanwhile keeps it.
  Enemy* brawler = level.PlaceEnemy(EnemyBrawler, 5, 18, 64, DirRight);
  SpawnStrike(level.sys(), brawler);
  Enemy* strike = level.FirstEnemy(EnemyStrike);
  ASSERT_NE(strike, nullptr);
  Sprite* strikeSprite = strike->sprite;
  brawler->type = EnemySentry;  // keeps it from striking again
  level.RunUntil([&] { return !strikeSprite->inUse; }, 40);
  ASSERT_EQ(strike->type, EnemyStrike);
  SpriteList* world = level.game()->world;
  Sprite* newcomer = AllocSprite(world, nullptr, static_cast<int>(strikeSprite - world->sprites) - 1);
  ASSERT_EQ(newcomer, strikeSprite);
  newcomer->x = 123 << 12;
  newcomer->frame = 7;
  level.Frame();
  EXPECT_EQ(strike->type, 0);
  EXPECT_TRUE(newcomer->inUse && newcomer->x == 123 << 12 && newcomer->frame == 7);
  EXPECT_EQ(MagicHitsEnemy(level.sys(), 2, 2), 0);

  // With every sprite taken no object is made, and none holds a sprite.
  for (int i = 0; i < world->capacity; i++) world->sprites[i].inUse = 1;
  AddMapEnemy(level.sys(), EnemyCrawler, 3, 3, 16, 0);
  EXPECT_EQ(level.CountEnemies(EnemyCrawler), 0);
  turret->dir = DirRight;
  level.Frames(210);
  EXPECT_EQ(level.CountEnemies(EnemyShot), 0);
  SpawnStrike(level.sys(), brawler);
  EXPECT_EQ(level.CountEnemies(EnemyStrike), 0);
}

TEST(Items, EveryTypeHasItsScoreEffectAndChange) {
  struct Case {
    int type, score, life, lives, magic, fireBonus, changesTo;
  };
  const Case cases[] = {{1, 5, 0, 0, 0, 0, 1},    {2, 10, 0, 0, 0, 0, 2},     {3, 20, 0, 0, 0, 0, 3},
                        {4, 40, 0, 0, 0, 0, 4},   {5, 100, 0, 0, 0, 0, 5},    {6, 200, 0, 0, 0, 0, 16},
                        {7, 500, 0, 0, 0, 0, 7},  {8, 1000, 0, 0, 0, 0, 8},   {9, 5, 0, 0, 0, 0, 13},
                        {10, 10, 0, 0, 0, 0, 17}, {11, 0, 7000, 0, 0, 0, 11}, {12, 0, 5000, 0, 0, 0, 12},
                        {13, 0, 0, 0, 1, 0, 6},   {14, 0, 0, 1, 0, 0, 14},    {15, 0, 0, 0, 0, 1, 15},
                        {16, 0, 0, 0, 0, 2, 9},   {17, 0, 0, 0, 5, 0, 18},    {18, 0, 0, 0, 5, 0, 10}};
  GameHarness level;
  for (const bool full : {false, true})  // counters at their caps stay there
    for (const Case& c : cases) {
      SCOPED_TRACE("type " + std::to_string(c.type) + (full ? " at the caps" : ""));
      EXPECT_EQ(ChangedItemType(c.type), c.changesTo);
      MapSpec layout = RoomSpec();
      layout.items = {std::to_string(c.type) + " 12 12 0"};
      level.LoadSpec(layout);
      Player& p = level.player();
      p.life = full ? INT_MAX : 3500;
      p.score = full ? kMaxScore : 0;
      p.lives = full ? kMaxLives : 0;
      p.magic = full ? kMaxMagic : 0;
      p.fireBonus = full ? kMaxFireBonus : 0;
      Item* item = &level.game()->items[0];
      ASSERT_EQ(item->sprite->frame, FrameItemBase + c.type);
      level.PlacePlayer(12 * 48 + 32, 12 * 48 - 32);
      ASSERT_EQ(TryPickUpItem(level.sys(), item), 1);
      const int life = c.type == 12 ? 5000 : full ? INT_MAX : c.life ? c.life : 3500;
      const std::vector<int> expected = full ? std::vector<int>{kMaxScore, life, kMaxLives, kMaxMagic, kMaxFireBonus}
                                             : std::vector<int>{c.score, life, c.lives, c.magic, c.fireBonus};
      EXPECT_EQ((std::vector<int>{p.score, p.life, p.lives, p.magic, p.fireBonus}), expected);
    }
  EXPECT_EQ(ChangedItemType(0), 0);
  MapSpec layout = RoomSpec();
  layout.items = {"12 12 12 0", "5 5 5 0", "6 7 7 1"};
  level.LoadSpec(layout);
  level.player().life = 9000;
  level.PlacePlayer(12 * 48 + 33, 12 * 48);
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[0]), 0) << "33 pixels away";
  level.PlacePlayer(12 * 48, 12 * 48);
  TryPickUpItem(level.sys(), &level.game()->items[0]);
  EXPECT_EQ(level.player().life, 5000) << "a higher life is lowered too";
  // Nothing is taken while dying, while the door counts down, or hidden.
  level.PlacePlayer(5 * 48, 5 * 48);
  level.player().dying = 1;
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[1]), 0);
  level.player().dying = 0;
  level.player().clearTimer = 5;
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[1]), 0);
  level.player().clearTimer = 0;
  level.PlacePlayer(7 * 48, 7 * 48);
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[2]), 0);
  RevealItemAt(level.sys(), 7, 7);
  EXPECT_EQ(TryPickUpItem(level.sys(), &level.game()->items[2]), 1);
}

TEST(Items, ARetryKeepsUntakenItemsAndHidesOneWhoseBlockIsBack) {
  GameHarness level;
  MapSpec layout = RoomSpec();
  layout.playerRow = 18;
  layout.rows[18][6] = 'B';
  layout.items = {"3 4 18 0", "7 6 18 1", "5 10 10 0"};
  const std::string map = MapText(layout);
  level.Load(map);
  level.Frames(2);
  level.RunUntil([&] { return level.game()->items[0].type == 0; }, 200, kRight);
  level.Frames(10);
  level.PlacePlayer(5 * 48, 18 * 48);
  level.Frame(kZ);  // breaks the block and reveals the item in it
  level.Frames(30);
  ASSERT_EQ(level.game()->items[1].hidden, 0);

  level.Load(map, false, true);
  EXPECT_EQ(level.game()->itemsTotal, 3) << "not counted again";
  EXPECT_EQ(level.game()->items[0].type, 0) << "a taken item stays taken";
  EXPECT_EQ(level.game()->items[1].hidden, 1) << "its block is back";
  EXPECT_EQ(level.game()->items[1].sprite->visible, 0);
  EXPECT_EQ(level.game()->items[2].sprite->visible, 1);
  EXPECT_EQ(level.game()->items[2].sprite->frame, FrameItemBase + 5);
}

}  // namespace
