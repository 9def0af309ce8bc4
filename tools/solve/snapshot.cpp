#include "solve/snapshot.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "input/input.h"

namespace {

constexpr size_t kChunk = 64;
constexpr size_t kSpriteChunks = (sizeof(Sprite) + kChunk - 1) / kChunk;
static_assert(kSpriteChunks <= 32, "a sprite's chunks fit a 32-bit mask");

struct Header {
  System system;  // every field; the layers and game it points to are restored below
  InputState input;
  SpriteList lists[kLayerCount];  // headers (camera, serial counter, high-water mark)
  uint32_t gameChunks;
  uint32_t slots[kLayerCount];  // sprites listed per layer
};

// A listed sprite: the chunks that differ from the base's slot; no chunk
// marks a slot that is free here and taken in the base.
struct SlotEntry {
  uint32_t slot;
  uint32_t mask;
};

size_t ChunkLength(size_t size, size_t at) { return std::min(kChunk, size - at); }

void Append(LevelSnapshot* out, const void* data, size_t size) {
  if (size == 0) return;
  const uint8_t* bytes = static_cast<const uint8_t*>(data);
  out->insert(out->end(), bytes, bytes + size);
}

// A chunk padded to kChunk bytes.
void AppendChunk(LevelSnapshot* out, const uint8_t* data, size_t size) {
  Append(out, data, size);
  out->resize(out->size() + (kChunk - size));
}

// Copies the chunk when it differs.
void Put(uint8_t* live, const uint8_t* from, size_t size) {
  if (std::memcmp(live, from, size) != 0) std::memcpy(live, from, size);
}

}  // namespace

SnapshotKeeper::SnapshotKeeper(System* sys) : sys_(sys) {
  const uint8_t* game = reinterpret_cast<const uint8_t*>(sys->game);
  game_.assign(game, game + sizeof(GameState));
  for (int i = 0; i < kLayerCount; i++) {
    const SpriteList* list = sys->layers[i];
    sprites_[i].assign(list->sprites, list->sprites + list->highWater);
  }
}

void SnapshotKeeper::Capture(LevelSnapshot* snapshot) const {
  snapshot->clear();
  snapshot->resize(sizeof(Header));
  Header header{};
  header.system = *sys_;
  header.input = *sys_->input;
  const uint8_t* game = reinterpret_cast<const uint8_t*>(sys_->game);
  std::vector<uint32_t> chunks;
  for (size_t at = 0; at < sizeof(GameState); at += kChunk)
    if (std::memcmp(game + at, game_.data() + at, ChunkLength(sizeof(GameState), at)) != 0)
      chunks.push_back(static_cast<uint32_t>(at / kChunk));
  header.gameChunks = static_cast<uint32_t>(chunks.size());
  Append(snapshot, chunks.data(), chunks.size() * sizeof(uint32_t));
  for (uint32_t chunk : chunks) {
    const size_t at = chunk * kChunk;
    AppendChunk(snapshot, game + at, ChunkLength(sizeof(GameState), at));
  }
  for (int i = 0; i < kLayerCount; i++) {
    const SpriteList* list = sys_->layers[i];
    header.lists[i] = *list;
    const std::vector<Sprite>& base = sprites_[i];
    const int slots = std::max(list->highWater, static_cast<int>(base.size()));
    std::vector<SlotEntry> entries;
    for (int s = 0; s < slots; s++) {
      const Sprite& live = list->sprites[s];
      const bool baseUsed = s < static_cast<int>(base.size()) && base[s].inUse;
      if (!live.inUse) {
        if (baseUsed) entries.push_back({static_cast<uint32_t>(s), 0});
        continue;
      }
      uint32_t mask = 0;
      for (size_t c = 0; c < kSpriteChunks; c++) {
        const size_t at = c * kChunk;
        if (!baseUsed ||
            std::memcmp(reinterpret_cast<const uint8_t*>(&live) + at, reinterpret_cast<const uint8_t*>(&base[s]) + at,
                        ChunkLength(sizeof(Sprite), at)) != 0)
          mask |= 1u << c;
      }
      if (mask) entries.push_back({static_cast<uint32_t>(s), mask});
    }
    header.slots[i] = static_cast<uint32_t>(entries.size());
    Append(snapshot, entries.data(), entries.size() * sizeof(SlotEntry));
    for (const SlotEntry& entry : entries)
      for (size_t c = 0; c < kSpriteChunks; c++)
        if (entry.mask & (1u << c))
          AppendChunk(snapshot, reinterpret_cast<const uint8_t*>(&list->sprites[entry.slot]) + c * kChunk,
                      ChunkLength(sizeof(Sprite), c * kChunk));
  }
  std::memcpy(snapshot->data(), &header, sizeof header);
}

int SnapshotKeeper::Restore(const LevelSnapshot& snapshot) {
  // Checked whole first, so that bytes of another kind change nothing.
  Header header;
  if (snapshot.size() < sizeof header) return -1;
  std::memcpy(&header, snapshot.data(), sizeof header);
  const uint8_t* at = snapshot.data() + sizeof header;
  const size_t gameBytes = static_cast<size_t>(header.gameChunks) * (sizeof(uint32_t) + kChunk);
  if (header.gameChunks > sizeof(GameState) / kChunk + 1 || gameBytes > snapshot.size() - sizeof header) return -1;
  std::vector<uint32_t> chunks(header.gameChunks);
  if (!chunks.empty()) std::memcpy(chunks.data(), at, chunks.size() * sizeof(uint32_t));
  for (size_t i = 0; i < chunks.size(); i++)
    if (chunks[i] * kChunk >= sizeof(GameState) || (i > 0 && chunks[i] <= chunks[i - 1])) return -1;
  const uint8_t* gameAt = at + chunks.size() * sizeof(uint32_t);
  at += gameBytes;
  std::vector<SlotEntry> entries[kLayerCount];
  const uint8_t* spritesAt[kLayerCount];
  for (int i = 0; i < kLayerCount; i++) {
    const SpriteList* list = sys_->layers[i];
    const size_t left = static_cast<size_t>(snapshot.data() + snapshot.size() - at);
    if (header.lists[i].highWater < 0 || header.lists[i].highWater > list->capacity ||
        header.slots[i] > left / sizeof(SlotEntry))
      return -1;
    entries[i].resize(header.slots[i]);
    if (!entries[i].empty()) std::memcpy(entries[i].data(), at, entries[i].size() * sizeof(SlotEntry));
    at += entries[i].size() * sizeof(SlotEntry);
    spritesAt[i] = at;
    size_t bytes = 0;
    for (size_t e = 0; e < entries[i].size(); e++) {
      const SlotEntry& entry = entries[i][e];
      const bool baseUsed = entry.slot < sprites_[i].size() && sprites_[i][entry.slot].inUse;
      if (entry.slot >= static_cast<uint32_t>(list->capacity) || (e > 0 && entry.slot <= entries[i][e - 1].slot) ||
          entry.mask >= (1u << kSpriteChunks) || (!baseUsed && entry.mask != (1u << kSpriteChunks) - 1))
        return -1;
      bytes += std::popcount(entry.mask) * kChunk;
    }
    if (bytes > static_cast<size_t>(snapshot.data() + snapshot.size() - at)) return -1;
    at += bytes;
  }

  *sys_ = header.system;
  *sys_->input = header.input;
  uint8_t* game = reinterpret_cast<uint8_t*>(sys_->game);
  size_t next = 0;
  for (size_t offset = 0, chunk = 0; offset < sizeof(GameState); offset += kChunk, chunk++) {
    const size_t length = ChunkLength(sizeof(GameState), offset);
    if (next < chunks.size() && chunks[next] == chunk) {
      Put(game + offset, gameAt + next * kChunk, length);
      next++;
    } else {
      Put(game + offset, game_.data() + offset, length);
    }
  }
  for (int i = 0; i < kLayerCount; i++) {
    SpriteList* list = sys_->layers[i];
    const std::vector<Sprite>& base = sprites_[i];
    const uint8_t* bytes = spritesAt[i];
    const int slots = std::max({list->highWater, header.lists[i].highWater, static_cast<int>(base.size())});
    size_t e = 0;
    for (int s = 0; s < slots; s++) {
      uint8_t* live = reinterpret_cast<uint8_t*>(&list->sprites[s]);
      const uint8_t* from =
          s < static_cast<int>(base.size()) && base[s].inUse ? reinterpret_cast<const uint8_t*>(&base[s]) : nullptr;
      uint32_t mask = 0;
      if (e < entries[i].size() && entries[i][e].slot == static_cast<uint32_t>(s)) {
        mask = entries[i][e++].mask;
        if (mask == 0) from = nullptr;
      }
      if (!from && mask == 0) {
        if (list->sprites[s].inUse) std::memset(live, 0, sizeof(Sprite));
        continue;
      }
      for (size_t c = 0; c < kSpriteChunks; c++) {
        const size_t offset = c * kChunk;
        const size_t length = ChunkLength(sizeof(Sprite), offset);
        if (mask & (1u << c)) {
          Put(live + offset, bytes, length);
          bytes += kChunk;
        } else {
          Put(live + offset, from + offset, length);
        }
      }
    }
    *list = header.lists[i];
  }
  return 0;
}
