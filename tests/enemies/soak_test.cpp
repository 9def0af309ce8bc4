// A long run of a level holding every enemy and item type under random
// input, checking the tables and the level layer every frame.
#include <gtest/gtest.h>

#include <cstdio>

#include "enemies/enemy_test_support.h"
#include "enemies/items.h"
#include "game/grid.h"

namespace {

MapSpec EverythingLevel() {
  MapSpec layout = RoomSpec();
  layout.rows = {
      "####################",  //
      "#..................#",  //
      "#..BBB.....CCC.....#",  //
      "#..................#",  //
      "#....NN......BB....#",  //
      "#..................#",  //
      "#BBBBBB....BBBBBBB.#",  //
      "#..................#",  //
      "#......1.2.3.......#",  //
      "#...BBBB....BBBBB..#",  //
      "#..................#",  //
      "#..................#",  //
      "#.BBBBBBBBB.....BB.#",  //
      "#..................#",  //
      "#..................#",  //
      "#....BB......CC....#",  //
      "#..................#",  //
      "#..................#",  //
      "#....B.....B.......#",  //
      "####################",
  };
  layout.playerCol = 2;
  layout.playerRow = 17;
  layout.doorCol = 17;
  layout.doorRow = 1;
  layout.keyCol = 16;
  layout.keyRow = 17;
  for (int type = 1; type <= 18; type++)
    layout.items.push_back(std::to_string(type) + " " + std::to_string(1 + type) + " " +
                           std::to_string(type % 2 ? 5 : 11) + " " + std::to_string(type % 4 == 0 ? 1 : 0));
  layout.enemies = {"1 9 1 64 0",   "2 4 1 64 0", "3 1 7 0 0",   "5 3 13 128 0",  "5 14 3 128 2", "6 12 1 64 1",
                    "7 10 17 96 1", "8 6 17 0 0", "9 12 8 64 0", "10 14 11 64 1", "3 18 16 0 3",  "7 4 5 64 0"};
  return layout;
}

TEST(Soak, AHundredThousandRandomFramesKeepEveryObjectInItsPlace) {
  LevelHarness level;
  const std::string map = MapText(EverythingLevel());
  level.Load(map);
  uint32_t seed = 12345;
  auto random = [&seed] {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 16;
  };
  uint8_t held = 0;
  int maxUsed = 0, attempts = 1;
  SpriteList* world = level.game()->world;
  for (int frame = 0; frame < 100000; frame++) {
    if (random() % 16 == 0) held = static_cast<uint8_t>(random() & 0x0F);  // directions held for a while
    uint8_t buttons = 0;
    if (random() % 40 == 0) buttons |= kZ;
    if (random() % 60 == 0) buttons |= kX;
    if (random() % 900 == 0) buttons |= kC;
    level.Frame(held | buttons);
    const int used = CountUsedSprites(world);
    maxUsed = std::max(maxUsed, used);
    ASSERT_LT(used, world->capacity) << "frame " << frame;
    for (const Enemy& enemy : level.game()->enemies) {
      if (enemy.type == 0) continue;
      // A record whose sprite ran out is cleared in the next update; it must
      // never point at a sprite that belongs to something else.
      ASSERT_TRUE(EnemyOwnsSprite(&enemy) || !enemy.sprite->inUse) << "frame " << frame;
      const int px = enemy.sprite->x >> 12, py = enemy.sprite->y >> 12;
      ASSERT_TRUE(px > -48 && px < 960 + 48 && py > -48 && py < 960 + 48)
          << "frame " << frame << " type " << enemy.type << " at " << px << "," << py << " v " << enemy.sprite->vx
          << "," << enemy.sprite->vy << " dir " << enemy.dir << " wait " << enemy.wait << " frame "
          << enemy.sprite->frame;
    }
    for (const Item& item : level.game()->items) {
      if (item.type) {
        ASSERT_TRUE(ItemOwnsSprite(&item)) << "frame " << frame;
      }
    }
    if (level.sceneEnded) {
      const bool retry = !level.game()->levelCleared && level.player().lives > 0;
      if (level.player().lives <= 0) level.player().lives = 3;
      level.Load(map, false, retry);
      attempts++;
    }
  }
  std::printf("soak: 100000 frames, %d attempts, at most %d sprites in use in the level layer\n", attempts, maxUsed);
  EXPECT_LT(maxUsed, 2500);
}

}  // namespace
