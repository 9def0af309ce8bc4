// Play must not touch the heap: a level runs through the real scene loop
// (updates, drawing, flips, pacing, sound) for 10 000 frames.
#include <gtest/gtest.h>

#include "engine/game_resources.h"
#include "engine/scene.h"
#include "graphics/bitmap_set.h"
#include "input/input.h"
#include "sound/sound_bank.h"
#include "support/alloc_counter.h"
#include "support/level_harness.h"

namespace {

constexpr long kPlayFrames = 10000;

struct Play {
  long frames = 0;
  long limit = 0;
  uint32_t seed = 77;
  uint8_t held = 0;
};

void EndAtLimit(System* sys, void* context) {
  auto* play = static_cast<Play*>(context);
  if (++play->frames >= play->limit) sys->sceneEnd = 1;
}

uint8_t RandomInput(InputState*, void* context) {
  auto* play = static_cast<Play*>(context);
  play->seed = play->seed * 1664525u + 1013904223u;
  const uint32_t r = play->seed >> 16;
  if (r % 16 == 0) play->held = static_cast<uint8_t>(r >> 4 & 0x0F);
  return play->held | (r % 40 == 1 ? kZ : 0) | (r % 60 == 2 ? kX : 0);
}

TEST(NoAllocationInPlay, TenThousandFramesOfALevelAllocateNothing) {
  if (!AllocationCounter::Available()) GTEST_SKIP() << "needs the sanitizer runtime's allocation hooks";
  LevelHarness level;
  System* sys = level.sys();
  GameState* game = level.game();
  LoadBitmapDir(game->sysBitmaps, "./Media/bmp/sys/");
  LoadBitmapDir(game->charBitmaps, "./Media/bmp/char/");
  LoadBitmapDir(game->enemyBitmaps, "./Media/bmp/en/");
  LoadBitmapDir(game->sysBitmaps, "./Media/map/");
  sys->sound = CreateSoundBank(256);
  LoadSoundDir(sys->sound, "./Media/wav/");
  SetSoundObserver(nullptr, nullptr);  // the harness's observer keeps a list
  PrimeBlits(sys);
  // SDL makes its window surface at the first flip; in the game the title
  // and lives screens have flipped long before a level starts.
  FlipAndClear(sys);

  Play play;
  long allocations = 0;
  int attempts = 0;
  // A death or a clear ends the scene: the next attempt's set-up (which reads
  // the map file) is not play and is not counted.
  while (play.frames < kPlayFrames) {
    level.LoadFile("./Media/map/map1.map", true, attempts > 0 && game->player.lives > 0);
    if (game->player.lives <= 0) game->player.lives = 3;
    SetInputSource(sys->input, RandomInput, &play);
    PlayLoop(sys->sound, LoopLevel);
    play.limit = kPlayFrames;
    SetScenePassHook(EndAtLimit, &play);
    AllocationCounter counter;
    RunScene(sys);
    allocations += counter.Count();
    SetScenePassHook(nullptr, nullptr);
    attempts++;
  }
  StopLoop(sys->sound);
  DestroySoundBank(sys->sound);
  sys->sound = nullptr;
  EXPECT_EQ(allocations, 0) << "over " << play.frames << " frames in " << attempts << " attempts";
}

}  // namespace
