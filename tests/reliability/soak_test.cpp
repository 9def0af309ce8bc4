// Random play over the eight shipped levels as the game flow sets them up,
// drawn as the game draws them, checking the sprite layers and every
// object's sprite each frame, and the heap and resident memory across the
// run. RUNEBLOCK_SOAK_FRAMES sets the length (./soak.sh runs a million).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "base/media_paths.h"
#include "game/enemy_table.h"
#include "graphics/bitmap_set.h"
#include "graphics/sprite_draw.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace {

constexpr int kEdge = kCellSize;  // how far an object may stand past the level's border
// A layer this full is one burst away from refusing sprites. The level
// layer holds the grid, items, enemies and, on a clear, a 1200-square wipe.
constexpr int kLayerBound = kLayerCapacity - 256;

long ResidentKilobytes() {
  long pages = 0, resident = 0;
  FILE* statm = std::fopen("/proc/self/statm", "r");
  if (statm) {
    if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
    std::fclose(statm);
  }
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

class Soak {
 public:
  Soak() {
    level.LoadPictures();
    SetSoundObserver(nullptr, nullptr);
  }
  GameState* game() const { return level.game(); }

  // A new game at `index` (0-based), its first attempt set up.
  void NewGame(int index) {
    game()->level = index;
    game()->player.lives = 3;
    game()->player.magic = 5;
    game()->player.score = 0;
    game()->itemsTotal = game()->itemsTaken = 0;
    Attempt(false);
  }
  void Attempt(bool retry) {
    level.LoadFile(kMapDir + std::string("map") + std::to_string(game()->level + 1) + ".map", true, retry);
    attempts++;
  }
  // Directions held for a while, buttons now and then, idle stretches and
  // the pause button; never Escape.
  uint8_t NextInput() {
    if (idle > 0) {
      idle--;
      return 0;
    }
    if (Random() % 2000 == 0) idle = static_cast<int>(Random() % 300);
    if (Random() % 16 == 0) held = static_cast<uint8_t>(Random() & 0x0F);
    return held | (Random() % 40 == 0 ? kZ : 0) | (Random() % 60 == 0 ? kX : 0) | (Random() % 1500 == 0 ? kC : 0);
  }
  // One frame and every check; after a death the attempt is retried, after
  // the last life or a clear the game goes on as the game flow would.
  void Frame(long f) {
    level.Frame(NextInput());
    Check(f);
    if (f % 4 == 0)
      for (SpriteList* layer : level.sys()->layers) DrawSprites(layer, level.sys()->screen);
    if (!level.sceneEnded) return;
    if (game()->levelCleared) {
      clears++;
      game()->itemsPlaced = 0;
      game()->level = (game()->level + 1) % kLevelCount;
      Attempt(false);
    } else if (game()->player.lives > 0) {
      Attempt(true);
    } else {
      NewGame(game()->level);
    }
  }
  void Check(long f) {
    const System* sys = level.sys();
    for (int i = 0; i < kLayerCount; i++) {
      const int used = CountUsedSprites(sys->layers[i]);
      maxUsed[i] = std::max(maxUsed[i], used);
      ASSERT_LE(used, kLayerBound) << "layer " << i << " frame " << f << " level " << game()->level + 1;
    }
    // Every live object's sprite is in use, is its own and no one else's,
    // and stands inside the level, give or take a cell.
    owners.assign(kLayerCapacity, 0);
    const SpriteList* world = game()->world;
    auto own = [&](const Sprite* sprite, const char* what, bool falling) {
      ASSERT_TRUE(SpriteBelongsTo(world, sprite) && sprite->inUse) << what << " frame " << f;
      ASSERT_EQ(owners[sprite - world->sprites]++, 0) << what << " shares its sprite, frame " << f;
      const int x = FixedToPixels(sprite->x), y = FixedToPixels(sprite->y);
      ASSERT_TRUE(x > -kEdge && x < kLevelPixels + kEdge && y > -kEdge &&
                  (y < kLevelPixels + kEdge || (falling && sprite->vy > 0)))
          << what << " at " << x << "," << y << " frame " << f << " level " << game()->level + 1;
    };
    const Player& player = game()->player;
    ASSERT_NO_FATAL_FAILURE(own(player.sprite, "player", player.dying));
    // A record whose sprite ran out is cleared in the next update, and holds
    // no one else's meanwhile.
    for (const Enemy& enemy : game()->enemies)
      ASSERT_TRUE(enemy.type == 0 || EnemyOwnsSprite(&enemy) || !enemy.sprite->inUse) << "enemy, frame " << f;
    objects.assign(1, {game()->door.sprite, "door"});
    for (const Enemy& enemy : game()->enemies)
      if (enemy.type != 0 && EnemyOwnsSprite(&enemy)) objects.push_back({enemy.sprite, "enemy"});
    for (const Item& item : game()->items)
      if (item.type != 0) objects.push_back({ItemOwnsSprite(&item) ? item.sprite : nullptr, "item"});
    for (int i = 0; i < kFireballSlots; i++)
      if (LiveFireball(game(), i)) objects.push_back({game()->fireballs[i], "fireball"});
    if (ItemOwnsSprite(&game()->key)) objects.push_back({game()->key.sprite, "key"});
    ASSERT_TRUE(ItemOwnsSprite(&game()->door)) << "door, frame " << f;
    for (const auto& [sprite, what] : objects) ASSERT_NO_FATAL_FAILURE(own(sprite, what, false));
  }
  uint32_t Random() {
    seed = seed * 1664525u + 1013904223u;
    return seed >> 16;
  }

  GameHarness level;
  std::vector<uint8_t> owners;
  uint32_t seed = 20240601;
  uint8_t held = 0;
  int idle = 0;
  long attempts = 0, clears = 0;
  // Kept between frames: a freed buffer per frame would pass for a leak in
  // the resident memory measured under the sanitizer.
  std::vector<std::pair<const Sprite*, const char*>> objects;
  int maxUsed[kLayerCount] = {};
};

TEST(Soak, RandomPlayOverEveryLevelKeepsLayersObjectsAndMemoryInBounds) {
  const char* text = std::getenv("RUNEBLOCK_SOAK_FRAMES");
  const long frames = text && std::strtol(text, nullptr, 10) > 0 ? std::strtol(text, nullptr, 10) : 100000;
  Soak soak;
  long f = 0;
  size_t heapAtStart = 0;
  long residentAtStart = 0;
  for (int index = 0; index < kLevelCount; index++) {
    soak.NewGame(index);
    if (index == 0) {
      // Measured once play has set everything up that it keeps.
      for (int i = 0; i < 200; i++, f++) ASSERT_NO_FATAL_FAILURE(soak.Frame(f));
      heapAtStart = __sanitizer_get_current_allocated_bytes ? __sanitizer_get_current_allocated_bytes() : 0;
      residentAtStart = ResidentKilobytes();
    }
    for (long end = (index + 1) * (frames / kLevelCount); f < end; f++) ASSERT_NO_FATAL_FAILURE(soak.Frame(f));
    // Between attempts the loader opens files; in play the heap holds still.
    if (__sanitizer_get_current_allocated_bytes) {
      EXPECT_LE(__sanitizer_get_current_allocated_bytes(), heapAtStart + 64 * 1024)
          << "heap grew by level " << index + 1;
    }
  }
  const long residentGrowth = ResidentKilobytes() - residentAtStart;
  std::printf(
      "soak: %ld frames over %d levels, %ld attempts, %ld clears; most sprites in use per layer %d %d %d %d;"
      " resident memory %+ld KiB\n",
      f, kLevelCount, soak.attempts, soak.clears, soak.maxUsed[0], soak.maxUsed[1], soak.maxUsed[2], soak.maxUsed[3],
      residentGrowth);
  EXPECT_LT(residentGrowth, 32 * 1024);
}

}  // namespace
