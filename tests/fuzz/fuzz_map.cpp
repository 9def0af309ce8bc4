// Level maps: loaded as a level attempt sets them up, then played for ten
// seconds of random input (as long as the recording target plays beyond the
// intro), then loaded again as a retry after a death and played a while.
#include "fuzz_support.h"
#include "game/enemy_table.h"
#include "game/level_attempt.h"

namespace {

constexpr int kRetryFrames = kPlayPasses / 3;

HeadlessGame* headless;

void Check(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "broken: %s\n", what);
  std::abort();
}

// The same ownership rules the soak checks, every frame.
void CheckObjects(const GameState* game) {
  for (const Enemy& enemy : game->enemies)
    if (enemy.type) Check(enemy.sprite && (EnemyOwnsSprite(&enemy) || !enemy.sprite->inUse), "enemy sprite");
  for (const Item& item : game->items)
    if (item.type && item.sprite) Check(ItemOwnsSprite(&item), "item sprite");
  Check(game->player.sprite && game->player.sprite->inUse, "player sprite");
}

// Plays until the scene ends or the level is cleared (its wipe is the same
// for every map, and slow under the sanitizers); true when cleared.
bool Play(const uint8_t* data, size_t size, bool retry, int frames) {
  System* sys = headless->sys();
  ClearScene(sys, 1);
  ClearScene(sys, 2);
  sys->timer.frameCount = 0;
  if (!retry) headless->game()->itemsPlaced = 0;
  headless->game()->levelCleared = 0;
  {
    ByteStream map(data, size);
    SetUpLevelAttemptFrom(sys, map.get());
  }
  // The intro only freezes the level; skip it as the test harness does.
  ResetLayerFlags(sys, 1);
  ClearScene(sys, 2);
  for (int f = 0; f < frames; f++) {
    const bool ended = headless->Frame();
    CheckObjects(headless->game());
    if (ended || headless->game()->levelCleared) break;
  }
  return headless->game()->levelCleared != 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  headless = new HeadlessGame;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  headless->Reset(Fnv32(data, size));
  // A cleared level is never retried.
  if (!Play(data, size, false, kPlayPasses)) Play(data, size, true, kRetryFrames);
  return 0;
}
