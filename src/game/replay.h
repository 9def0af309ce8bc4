// Playing a recorded level attempt back through the real set-up and scene
// loop, headless, with a checksum of the game state and an optional trace.
#pragma once

#include <cstdint>
#include <cstdio>

#include "engine/system.h"
#include "game/recording.h"

// Watches the replay: called with f = 0 after the set-up, then after every
// pass; `sounds` are the one-shot sounds of that pass in call order.
struct ReplayObserver {
  void (*afterPass)(System* sys, int f, const int* sounds, int soundCount, void* context);
  void* context;
  int realTime;  // 1 = pace the scene with the frame clock as it is, not at full speed
};

// The set-up of a replayed attempt: scenes cleared, the start applied, the
// map loaded (`mapPath`, or the level's map in sys->game->mapDir when null)
// and the intro begun. The input source in place is read once, by the
// set-up's direct level update.
void SetUpReplayAttempt(System* sys, const AttemptStart* start, const char* mapPath);

// Plays the recording against its level map, found through the game's map
// folder (sys->game->mapDir). The system must have its layers, input and a
// game state with the bitmap sets (possibly empty).
void RunReplay(System* sys, const Recording* recording, const ReplayObserver* observer, ReplayOutcome* outcome);

// The outcome as the replay tools print it, one "name value" line each.
void PrintReplayOutcome(FILE* out, int level, const ReplayOutcome* outcome);

// One JSON Lines record of the game state, as `replay --trace` writes it.
void WriteTraceRecord(FILE* out, const System* sys, int f, const int* sounds, int soundCount);
