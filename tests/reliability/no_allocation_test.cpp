// Play must not touch the heap: a level runs through the real scene loop
// (updates, drawing of every picture kind, flips, pacing, sound) for 10 000
// frames of random input. Only the sanitizer runtime can count allocations.
#include <gtest/gtest.h>

#include "engine/scene.h"
#include "flow/game_resources.h"
#include "graphics/bitmap_set.h"
#include "sound/sound_bank.h"
#include "support/alloc_counter.h"
#include "support/game_harness.h"

namespace {

constexpr long kPlayFrames = 10000;

TEST(NoAllocationInPlay, TenThousandFramesOfALevelAllocateNothing) {
  if (!AllocationCounter::Available()) GTEST_SKIP() << "needs the sanitizer runtime's allocation hooks";
  GameHarness level;
  System* sys = level.sys();
  GameState* game = level.game();
  level.LoadPictures();
  sys->sound = CreateSoundBank(256);
  LoadSoundDir(sys->sound, kSoundDir);
  SetSoundObserver(nullptr, nullptr);  // the harness's observer keeps a list
  PrimeBlits(sys);
  // SDL makes its window surface at the first flip, and grows its own
  // buffers for showing frames part by part over the first frames it shows;
  // in the game the title and lives screens have done both long before a
  // level starts. One attempt's first seconds stand in for them.
  FlipAndClear(sys);
  int warmUp = 0;
  level.LoadFile(std::string(kMapDir) + "map1.map", true);
  level.script = [] { return kRight; };
  level.watch = [&] {
    if (++warmUp >= 300) sys->sceneEnd = 1;
  };
  RunScene(sys);
  ResetHeadlessGame(sys);

  long frames = 0, allocations = 0;
  int attempts = 0;
  uint32_t seed = 77;
  uint8_t held = 0;
  // A death or a clear ends the scene: the next attempt's set-up (which reads
  // the map file) is not play and is not counted.
  while (frames < kPlayFrames) {
    level.LoadFile(std::string(kMapDir) + "map1.map", true, attempts > 0 && game->player.lives > 0);
    if (game->player.lives <= 0) game->player.lives = 3;
    level.script = [&]() -> uint8_t {
      seed = seed * 1664525u + 1013904223u;
      const uint32_t r = seed >> 16;
      if (r % 16 == 0) held = static_cast<uint8_t>(r >> 4 & 0x0F);
      return held | (r % 40 == 1 ? kZ : 0) | (r % 60 == 2 ? kX : 0);
    };
    level.watch = [&] {
      if (++frames >= kPlayFrames) sys->sceneEnd = 1;
    };
    PlayLoop(sys->sound, LoopLevel);
    AllocationCounter counter;
    RunScene(sys);
    allocations += counter.Count();
    attempts++;
  }
  StopLoop(sys->sound);
  DestroySoundBank(sys->sound);
  sys->sound = nullptr;
  EXPECT_EQ(allocations, 0) << "over " << frames << " frames in " << attempts << " attempts";
}

}  // namespace
