#include "game/recording.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "base/byte_order.h"
#include "base/regular_file.h"
#include "game/items.h"

namespace {

constexpr char kMagic[4] = {'R', 'B', 'R', 'P'};
constexpr int kStartFields = 13;  // integers of AttemptStart before the items

void PutInt(uint8_t* out, size_t* pos, int value) {
  WriteLittleEndian(out + *pos, static_cast<uint32_t>(value), 4);
  *pos += 4;
}

int* StartFields(AttemptStart* s, int index) {
  int* fields[kStartFields] = {&s->level,       &s->lives,      &s->magic,      &s->score, &s->fireBonus,
                               &s->itemsPlaced, &s->itemsTotal, &s->itemsTaken, &s->state, &s->onGround,
                               &s->facing,      &s->crouching,  &s->deathTimer};
  return fields[index];
}

int Fail(char* error, size_t errorSize, const char* reason) {
  std::snprintf(error, errorSize, "%s", reason);
  return -1;
}

// What a game can hold in each start field but the level (checked on its
// own); a replay from outside these would run into states, and sums, that
// no play can make.
struct FieldRange {
  int low, high;
  const char* name;
};
constexpr FieldRange kFieldRanges[kStartFields] = {
    {0, kLevelCount - 1, "level"},
    {1, kMaxLives, "number of lives"},  // an attempt is only started with a life left
    {0, kMaxMagic, "magic"},
    {0, kMaxScore, "score"},
    {0, kMaxFireBonus, "fire bonus"},
    {0, 1, "items-placed flag"},
    {0, INT_MAX, "item total"},
    {0, (kLevelCount * kItemSlots), "count of items taken"},  // never more than a game's item slots
    {0, Cast, "player state"},
    {0, 1, "ground flag"},
    {0, 1, "facing"},
    {0, 1, "crouch flag"},
    {0, kDeathFrames, "death timer"},
};

// The first start field no game can reach, or -1.
int ImpossibleField(AttemptStart* start) {
  for (int i = 1; i < kStartFields; i++) {
    const int value = *StartFields(start, i);
    if (value < kFieldRanges[i].low || value > kFieldRanges[i].high) return i;
  }
  if (start->state == 7) return 8;  // there is no state 7
  return start->itemsTaken > start->itemsTotal ? 7 : -1;
}

}  // namespace

int ParseRecording(const uint8_t* data, size_t size, Recording* recording, char* error, size_t errorSize) {
  std::memset(recording, 0, sizeof(Recording));
  if (size < 5 || std::memcmp(data, kMagic, 4) != 0) return Fail(error, errorSize, "not a Runeblock recording");
  ByteReader in = {data, size, 4};
  uint8_t version = 0;
  ReadByte(&in, &version);
  AttemptStart start;
  size_t inputCount = 0;
  if (version == 1) {
    uint8_t level;
    if (!ReadByte(&in, &level)) return Fail(error, errorSize, "recording header is truncated");
    NewGameAttemptStart(&start, level);
    inputCount = BytesLeft(&in);
  } else if (version == 2) {
    std::memset(&start, 0, sizeof start);
    for (int i = 0; i < kStartFields; i++)
      if (!ReadInt32(&in, StartFields(&start, i))) return Fail(error, errorSize, "recording header is truncated");
    const int field = ImpossibleField(&start);
    if (field >= 0) {
      char reason[96];
      std::snprintf(reason, sizeof reason, "recording holds an impossible %s (%d)", kFieldRanges[field].name,
                    *StartFields(&start, field));
      return Fail(error, errorSize, reason);
    }
    if (!ReadInt32(&in, &start.itemCount)) return Fail(error, errorSize, "recording header is truncated");
    if (start.itemCount < 0 || start.itemCount > kItemSlots)
      return Fail(error, errorSize, "recording holds an impossible number of items");
    for (int i = 0; i < start.itemCount; i++) {
      RecordedItem& item = start.items[i];
      if (!ReadInt32(&in, &item.type) || !ReadInt32(&in, &item.tileX) || !ReadInt32(&in, &item.tileY) ||
          !ReadInt32(&in, &item.hidden) || !ReadInt32(&in, &item.changes))
        return Fail(error, errorSize, "recording header is truncated");
      // The game only ever holds items of its own types inside the grid, with flags of 0 or 1.
      if (item.type < 1 || item.type > kItemTypeCount || item.tileX < 0 || item.tileX >= kGridSize || item.tileY < 0 ||
          item.tileY >= kGridSize || (item.hidden != 0 && item.hidden != 1) || (item.changes != 0 && item.changes != 1))
        return Fail(error, errorSize, "recording holds an impossible item");
    }
    int count = 0;
    if (!ReadByte(&in, &start.heldAtStart) || !ReadByte(&in, &start.setupInput) || !ReadInt32(&in, &count))
      return Fail(error, errorSize, "recording header is truncated");
    if (count < 0 || static_cast<size_t>(count) > BytesLeft(&in))
      return Fail(error, errorSize, "recording input is truncated");
    if (static_cast<size_t>(count) < BytesLeft(&in)) return Fail(error, errorSize, "recording has trailing bytes");
    inputCount = static_cast<size_t>(count);
  } else {
    char reason[64];
    std::snprintf(reason, sizeof reason, "unknown recording version %d", version);
    return Fail(error, errorSize, reason);
  }
  if (start.level < 0 || start.level >= kLevelCount) return Fail(error, errorSize, "recording names no level 1-8");
  recording->inputs = static_cast<uint8_t*>(std::malloc(inputCount > 0 ? inputCount : 1));
  if (!recording->inputs) return Fail(error, errorSize, "out of memory");
  std::memcpy(recording->inputs, in.data + in.pos, inputCount);
  recording->inputCount = inputCount;
  recording->version = version;
  recording->start = start;
  return 0;
}

int LoadRecordingFile(const char* path, Recording* recording, char* error, size_t errorSize) {
  std::memset(recording, 0, sizeof(Recording));
  FILE* file = OpenRegularFile(path);
  if (!file) return Fail(error, errorSize, "cannot be read");
  // Recordings are small: a 10 000-frame attempt is about 10 KiB.
  constexpr size_t kLimit = 64u << 20;
  uint8_t* data = nullptr;
  size_t size = 0, capacity = 0;
  bool ok = true;
  for (;;) {
    if (size == capacity) {
      capacity = capacity ? capacity * 2 : 65536;
      auto* bigger = capacity <= kLimit ? static_cast<uint8_t*>(std::realloc(data, capacity)) : nullptr;
      if (!bigger) {
        ok = false;
        break;
      }
      data = bigger;
    }
    const size_t n = std::fread(data + size, 1, capacity - size, file);
    size += n;
    if (n == 0) break;
  }
  ok = ok && !std::ferror(file);
  std::fclose(file);
  int result = ok ? ParseRecording(data, size, recording, error, errorSize)
                  : Fail(error, errorSize, "cannot be read (too large or unreadable)");
  std::free(data);
  return result;
}

void FreeRecording(Recording* recording) {
  std::free(recording->inputs);
  recording->inputs = nullptr;
  recording->inputCount = 0;
}

uint8_t* SerializeRecording(const Recording* recording, size_t* size) {
  AttemptStart start = recording->start;
  // A count the table cannot hold would read past it; such a start is never
  // written (and would never read back).
  if (start.itemCount < 0 || start.itemCount > kItemSlots) return nullptr;
  const size_t total = 5 + 4 * (kStartFields + 1) + 20 * start.itemCount + 2 + 4 + recording->inputCount;
  auto* out = static_cast<uint8_t*>(std::malloc(total));
  if (!out) return nullptr;
  size_t pos = 0;
  std::memcpy(out, kMagic, 4);
  pos = 4;
  out[pos++] = kRecordingVersion;
  for (int i = 0; i < kStartFields; i++) PutInt(out, &pos, *StartFields(&start, i));
  PutInt(out, &pos, start.itemCount);
  for (int i = 0; i < start.itemCount; i++) {
    const RecordedItem& item = start.items[i];
    for (int value : {item.type, item.tileX, item.tileY, item.hidden, item.changes}) PutInt(out, &pos, value);
  }
  out[pos++] = start.heldAtStart;
  out[pos++] = start.setupInput;
  PutInt(out, &pos, static_cast<int>(recording->inputCount));
  std::memcpy(out + pos, recording->inputs, recording->inputCount);
  *size = total;
  return out;
}
