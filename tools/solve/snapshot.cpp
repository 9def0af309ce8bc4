#include "solve/snapshot.h"

#include <cstring>

namespace {

constexpr size_t kChunk = 64;

}  // namespace

size_t LevelSnapshot::Bytes() const {
  size_t total = sizeof(LevelSnapshot) + game.bytes.size() + game.chunks.size() * 4;
  for (const ChunkDelta& delta : sprites) total += delta.bytes.size() + delta.chunks.size() * 4;
  return total;
}

SnapshotKeeper::SnapshotKeeper(System* sys) : sys_(sys) {
  game_.live = reinterpret_cast<uint8_t*>(sys->game);
  game_.base.assign(game_.live, game_.live + sizeof(GameState));
  for (int i = 0; i < kLayerCount; i++) {
    SpriteList* list = sys->layers[i];
    sprites_[i].live = reinterpret_cast<uint8_t*>(list->sprites);
    sprites_[i].base.assign(sprites_[i].live, sprites_[i].live + sizeof(Sprite) * list->capacity);
    baseHighWater_[i] = list->highWater;
  }
}

size_t SnapshotKeeper::SpriteBytes(int layer, int otherHighWater) const {
  int slots = baseHighWater_[layer];
  if (sys_->layers[layer]->highWater > slots) slots = sys_->layers[layer]->highWater;
  if (otherHighWater > slots) slots = otherHighWater;
  return sizeof(Sprite) * static_cast<size_t>(slots);
}

void SnapshotKeeper::Diff(const Block& block, size_t size, ChunkDelta* delta) {
  delta->chunks.clear();
  delta->bytes.clear();
  for (size_t at = 0; at < size; at += kChunk) {
    const size_t n = size - at < kChunk ? size - at : kChunk;
    if (std::memcmp(block.live + at, block.base.data() + at, n) == 0) continue;
    delta->chunks.push_back(static_cast<uint32_t>(at / kChunk));
    delta->bytes.insert(delta->bytes.end(), block.live + at, block.live + at + n);
    delta->bytes.resize(delta->chunks.size() * kChunk);
  }
}

// Makes the live block the base with the delta's chunks on top: chunks that
// differ from the base and are not in the delta go back to the base.
void SnapshotKeeper::Put(Block* block, size_t size, const ChunkDelta& delta) {
  size_t next = 0;
  for (size_t at = 0, chunk = 0; at < size; at += kChunk, chunk++) {
    const size_t n = size - at < kChunk ? size - at : kChunk;
    if (next < delta.chunks.size() && delta.chunks[next] == chunk) {
      std::memcpy(block->live + at, delta.bytes.data() + next * kChunk, n);
      next++;
    } else if (std::memcmp(block->live + at, block->base.data() + at, n) != 0) {
      std::memcpy(block->live + at, block->base.data() + at, n);
    }
  }
}

void SnapshotKeeper::Capture(LevelSnapshot* snapshot) const {
  snapshot->system = *sys_;
  snapshot->input = *sys_->input;
  Diff(game_, game_.base.size(), &snapshot->game);
  for (int i = 0; i < kLayerCount; i++) {
    snapshot->lists[i] = *sys_->layers[i];
    Diff(sprites_[i], SpriteBytes(i, 0), &snapshot->sprites[i]);
  }
}

void SnapshotKeeper::Restore(const LevelSnapshot& snapshot) {
  *sys_ = snapshot.system;
  *sys_->input = snapshot.input;
  Put(&game_, game_.base.size(), snapshot.game);
  for (int i = 0; i < kLayerCount; i++) {
    Put(&sprites_[i], SpriteBytes(i, snapshot.lists[i].highWater), snapshot.sprites[i]);
    *sys_->layers[i] = snapshot.lists[i];
  }
}
