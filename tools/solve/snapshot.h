// Copies of a running level attempt, each one block of bytes that can go
// down a pipe: the system record, the input's edges, the sprite layers'
// headers, and what differs from a base copy taken once (the game record's
// 64-byte chunks, and the chunks of each sprite in use), so that thousands
// fit in memory. Free sprite slots are never compared or kept: a slot is
// zeroed whenever it is taken, so what lies in a free one is never read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/system.h"
#include "game/game_state.h"
#include "graphics/sprite.h"

using LevelSnapshot = std::vector<uint8_t>;

class SnapshotKeeper {
 public:
  // The current state of `sys` becomes the base.
  explicit SnapshotKeeper(System* sys);
  void Capture(LevelSnapshot* snapshot) const;
  // 0, or -1 (nothing changed) for bytes that are not a capture of this keeper's kind.
  int Restore(const LevelSnapshot& snapshot);

 private:
  System* sys_;
  std::vector<uint8_t> game_;                 // the base's game record
  std::vector<Sprite> sprites_[kLayerCount];  // the base's slots below its high-water marks
};
