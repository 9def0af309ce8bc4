// Copies of a running level attempt: the game record, the system's scene
// state, the input's edges and the sprite layers, kept as the 64-byte chunks
// that differ from a base copy taken once, so that thousands fit in memory.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/system.h"
#include "game/game_state.h"
#include "graphics/sprite.h"
#include "input/input.h"

// Chunks of one block of memory that differ from the base's.
struct ChunkDelta {
  std::vector<uint32_t> chunks;  // chunk numbers, ascending
  std::vector<uint8_t> bytes;    // 64 per chunk
};

struct LevelSnapshot {
  System system;  // every field; the layers and game it points to are restored below
  InputState input;
  SpriteList lists[kLayerCount];  // headers (camera, serial counter)
  ChunkDelta game;
  ChunkDelta sprites[kLayerCount];
  size_t Bytes() const;
};

class SnapshotKeeper {
 public:
  // The current state of `sys` becomes the base.
  explicit SnapshotKeeper(System* sys);
  void Capture(LevelSnapshot* snapshot) const;
  void Restore(const LevelSnapshot& snapshot);

 private:
  struct Block {
    uint8_t* live;
    std::vector<uint8_t> base;
  };
  // Both look at the first `size` bytes only: past every layer's high-water
  // mark all slots are zero, live and in the base alike.
  static void Diff(const Block& block, size_t size, ChunkDelta* delta);
  static void Put(Block* block, size_t size, const ChunkDelta& delta);
  size_t SpriteBytes(int layer, int otherHighWater) const;

  System* sys_;
  Block game_;
  Block sprites_[kLayerCount];
  int baseHighWater_[kLayerCount];
};
