#include "game/recording.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>

#include "base/byte_order.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/text_lines.h"
#include "engine/scene.h"
#include "game/items.h"
#include "game/state_hash.h"
#include "input/input.h"

namespace {

constexpr char kMagic[4] = {'R', 'B', 'R', 'P'};
constexpr int kStartFields = 13;  // integers of AttemptStart before the items
// Script letters by input bit: 0 Up ... 7 ButtonV.
constexpr char kScriptLetters[] = "UDLRZXCV";

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

uint8_t HeldMask(const InputState* input) {
  uint8_t mask = 0;
  for (int i = 0; i < kInputCount; i++)
    if (input->held[i]) mask |= 1u << i;
  return mask;
}

// The live recorder: a fixed buffer, so recording allocates nothing in play.
struct LiveRecorder {
  bool active;
  bool numbered;  // the folder's highest number has been read this run
  int attempt;    // the number of the last file this run took
  Recording recording;
  uint8_t buffer[1 << 20];
};
LiveRecorder recorder;
char lastPath[kPathBufferSize];
ReplayOutcome lastOutcome;

void NoteLiveOutcome(const System* sys) {
  const GameState* game = sys->game;
  lastOutcome.frames = static_cast<int>(recorder.recording.inputCount);
  lastOutcome.result = sys->quit ? ReplayQuit : game->levelCleared ? ReplayCleared : ReplayDied;
  lastOutcome.life = game->player.life;
  lastOutcome.lives = game->player.lives;
  lastOutcome.score = game->player.score;
  lastOutcome.itemsTaken = game->itemsTaken;
  lastOutcome.itemsTotal = game->itemsTotal;
  lastOutcome.checksum = GameStateChecksum(sys);
}

constexpr char kAttemptPrefix[] = "attempt-";
// Numbers past this are not taken for the game's own: the name stays short
// and the count cannot overflow.
constexpr int kMaxAttemptNumber = 99999999;
// Names taken one after another before the recorder gives up.
constexpr int kCreateTries = 1000;

// The highest number of an "attempt-N-..." file in the folder, 0 when none.
int HighestAttemptNumber(const char* folder) {
  DIR* dir = opendir(folder);
  if (!dir) return 0;
  int highest = 0;
  while (const dirent* entry = readdir(dir)) {
    if (std::strncmp(entry->d_name, kAttemptPrefix, sizeof kAttemptPrefix - 1) != 0) continue;
    const char* digits = entry->d_name + sizeof kAttemptPrefix - 1;
    const char* p = digits;
    int number = 0;
    while (*p >= '0' && *p <= '9' && number <= kMaxAttemptNumber) number = number * 10 + (*p++ - '0');
    if (p != digits && *p == '-' && number <= kMaxAttemptNumber && number > highest) highest = number;
  }
  closedir(dir);
  return highest;
}

// A new file for the attempt under the next free number, created so that it
// never replaces a file nor writes through a link; -1 when none could be
// made (after a message), with the last name tried in `path`.
int CreateAttemptFile(const char* folder, int level, char* path) {
  if (!recorder.numbered) {
    const int highest = HighestAttemptNumber(folder);
    if (highest > recorder.attempt) recorder.attempt = highest;
    recorder.numbered = true;
  }
  for (int tries = 0; tries < kCreateTries; tries++) {
    recorder.attempt += 1;
    char name[64];
    std::snprintf(name, sizeof name, "/%s%04d-level%d.rbr", kAttemptPrefix, recorder.attempt, level + 1);
    if (JoinPath(path, folder, name) != 0) return -1;
    const int fd = open(path, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) break;
  }
  std::fprintf(stderr, msg::MsgCannotCreate, path);
  return -1;
}

bool WriteWhole(int fd, const uint8_t* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

void RecordPass(System* sys, void*) {
  if (recorder.recording.inputCount < sizeof recorder.buffer)
    recorder.buffer[recorder.recording.inputCount++] = ReadRawInput(sys->input);
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

void NewGameAttemptStart(AttemptStart* start, int level) {
  std::memset(start, 0, sizeof(AttemptStart));
  start->level = level;
  start->lives = 3;
  start->magic = 5;
}

long ParseInputScript(const char* text, uint8_t* out, size_t capacity) {
  size_t count = 0;
  const char* p = text;
  while (*p) {
    if (*p == '#') {
      while (*p && *p != '\n') p++;
      continue;
    }
    if (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r' || *p == ',') {
      p++;
      continue;
    }
    uint8_t mask = 0;
    bool letters = false;
    for (;; p++) {
      if (*p == '.') {
        letters = true;
        continue;
      }
      const char* letter = *p ? std::strchr(kScriptLetters, *p) : nullptr;
      if (!letter) break;
      mask |= static_cast<uint8_t>(1u << (letter - kScriptLetters));
      letters = true;
    }
    if (!letters) return -1;
    long repeat = 1;
    if (*p >= '0' && *p <= '9') {
      char* end = nullptr;
      repeat = std::strtol(p, &end, 10);
      p = end;
      if (repeat < 1 || repeat > 1000000) return -1;
    }
    for (long i = 0; i < repeat && count < capacity; i++) out[count++] = mask;
  }
  return static_cast<long>(count);
}

size_t FormatInputScript(const uint8_t* inputs, size_t count, char* out, size_t capacity) {
  size_t length = 0;
  auto put = [&](char c) {
    if (length + 1 < capacity) out[length] = c;
    length++;
  };
  for (size_t i = 0; i < count;) {
    size_t j = i;
    while (j < count && inputs[j] == inputs[i]) j++;
    if (i > 0) put(' ');
    for (int bit = 0; bit < 8; bit++)
      if (inputs[i] & (1u << bit)) put(kScriptLetters[bit]);
    if (inputs[i] == 0) put('.');
    if (j - i > 1) {
      char digits[24];
      std::snprintf(digits, sizeof digits, "%zu", j - i);
      for (const char* d = digits; *d; d++) put(*d);
    }
    i = j;
  }
  if (capacity > 0) out[length < capacity ? length : capacity - 1] = '\0';
  return length;
}

void CaptureAttemptStart(const System* sys, AttemptStart* start) {
  const GameState* game = sys->game;
  const Player& p = game->player;
  std::memset(start, 0, sizeof(AttemptStart));
  start->level = game->level;
  start->lives = p.lives;
  start->magic = p.magic;
  start->score = p.score;
  start->fireBonus = p.fireBonus;
  start->itemsPlaced = game->itemsPlaced;
  start->itemsTotal = game->itemsTotal;
  start->itemsTaken = game->itemsTaken;
  start->state = p.state;
  start->onGround = p.onGround;
  start->facing = p.facing;
  start->crouching = p.crouching;
  start->deathTimer = p.deathTimer;
  if (game->itemsPlaced) {
    for (const Item& item : game->items) {
      if (item.type == 0) continue;
      // A hidden flag holds its map record's number until a set-up makes it 1.
      start->items[start->itemCount++] = {item.type, item.tileX, item.tileY, item.hidden != 0, item.changes};
    }
  }
  start->heldAtStart = HeldMask(sys->input);
  start->setupInput = ReadRawInput(sys->input);
}

void ApplyAttemptStart(System* sys, const AttemptStart* start) {
  GameState* game = sys->game;
  Player& p = game->player;
  game->level = start->level;
  p.lives = start->lives;
  p.magic = start->magic;
  p.score = start->score;
  p.fireBonus = start->fireBonus;
  game->itemsPlaced = start->itemsPlaced;
  game->itemsTotal = start->itemsTotal;
  game->itemsTaken = start->itemsTaken;
  p.state = start->state;
  p.onGround = start->onGround;
  p.facing = start->facing;
  p.crouching = start->crouching;
  p.deathTimer = start->deathTimer;
  std::memset(game->items, 0, sizeof(game->items));
  for (int i = 0; i < start->itemCount && i < kItemSlots; i++) {
    const RecordedItem& r = start->items[i];
    Item& item = game->items[i];
    item.type = r.type;
    item.tileX = r.tileX;
    item.tileY = r.tileY;
    item.hidden = r.hidden;
    item.changes = r.changes;
  }
  for (int i = 0; i < kInputCount; i++) sys->input->held[i] = (start->heldAtStart >> i) & 1;
}

void BeginAttemptRecording(System* sys) {
  recorder.active = std::getenv("RUNEBLOCK_RECORD") != nullptr;
  if (!recorder.active) return;
  std::memset(&recorder.recording, 0, sizeof(Recording));
  recorder.recording.version = kRecordingVersion;
  recorder.recording.inputs = recorder.buffer;
  CaptureAttemptStart(sys, &recorder.recording.start);
  SetScenePassHook(RecordPass, nullptr);
}

const char* LastRecordingPath() { return lastPath; }
const ReplayOutcome* LastRecordedOutcome() { return &lastOutcome; }

void EndAttemptRecording(System* sys) {
  if (!recorder.active) return;
  NoteLiveOutcome(sys);
  SetScenePassHook(nullptr, nullptr);
  recorder.active = false;
  const char* folder = std::getenv("RUNEBLOCK_RECORD");
  if (!folder) return;
  size_t size = 0;
  uint8_t* image = SerializeRecording(&recorder.recording, &size);
  char path[kPathBufferSize] = "";
  const int fd = image ? CreateAttemptFile(folder, recorder.recording.start.level, path) : -1;
  if (fd >= 0) {
    const bool written = WriteWhole(fd, image, size);
    if (close(fd) == 0 && written) {
      std::snprintf(lastPath, sizeof lastPath, "%s", path);
    } else {
      unlink(path);  // the file this call made, cut short
      std::fprintf(stderr, msg::MsgCannotCreate, path);
    }
  } else if (!image) {
    std::fprintf(stderr, msg::MsgCannotCreate, folder);
  }
  std::free(image);
}

void ResetAttemptRecorder() {
  if (recorder.active) SetScenePassHook(nullptr, nullptr);
  recorder.active = recorder.numbered = false;
  recorder.attempt = 0;
  lastPath[0] = '\0';
  lastOutcome = ReplayOutcome{};
}
