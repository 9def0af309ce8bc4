// Fingerprints of the game state: a checksum of everything play changes,
// which a replay reports and a live recording notes, and one of a whole
// scene-loop pass (that state, every sprite in use on every layer and the
// pass's sounds), which replays write one per pass so a change to play
// shows the first pass it alters.
#pragma once

#include <cstdint>

#include "engine/system.h"

// FNV-1a over everything of the game state that play changes: the player,
// the grid, every object table, the counters and the camera.
uint64_t GameStateChecksum(const System* sys);
// One scene-loop pass: the checksum, every layer's flags, camera and sprites in use, the sounds.
uint32_t PassHash(const System* sys, const int* sounds, int soundCount);
