// Recordings of level attempts: the game-wide values an attempt starts from
// and the raw input of every scene-loop pass, in a small binary file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/system.h"
#include "game/game_state.h"

// File layout (little-endian): "RBRP", version byte, then
//  version 1: level byte, input bytes to the end of the file;
//  version 2: the AttemptStart fields below as 32-bit integers (items as
//             five integers each after their count), the two input masks as
//             bytes, a 32-bit input count and that many input bytes.
// Input byte bit i set = logical input i held (0 Up ... 7 ButtonV).
inline constexpr uint8_t kRecordingVersion = 2;

struct RecordedItem {
  int type, tileX, tileY, hidden, changes;  // tileX, tileY: cells
};

struct AttemptStart {
  int level;
  int lives, magic, score, fireBonus;  // fireBonus: frames
  int itemsPlaced, itemsTotal, itemsTaken;
  // Player fields an attempt's set-up does not reset (deathTimer in frames).
  int state, onGround, facing, crouching, deathTimer;
  int itemCount;  // the surviving items of a retry
  RecordedItem items[kItemSlots];
  uint8_t heldAtStart;  // inputs the last poll before the attempt saw down
  uint8_t setupInput;   // what the set-up's direct level update reads
};

// How an attempt ended, as the live game noted it or a replay reproduced it.
enum ReplayResult { ReplayCleared, ReplayDied, ReplayRanOut, ReplayQuit };

struct ReplayOutcome {
  int result;  // ReplayResult
  int frames;  // scene-loop passes run
  int life;    // frames of the level's clock left
  int lives, score, itemsTaken, itemsTotal;
  uint64_t checksum;  // GameStateChecksum at the end
};

struct Recording {
  int version;
  AttemptStart start;
  uint8_t* inputs;  // one byte per scene-loop pass
  size_t inputCount;
};

// Parses a recording; 0, or -1 with a reason in `error` (the recording is
// then empty and needs no freeing).
int ParseRecording(const uint8_t* data, size_t size, Recording* recording, char* error, size_t errorSize);
void FreeRecording(Recording* recording);
// Reads and parses a recording file; 0, or -1 with a reason in `error`.
int LoadRecordingFile(const char* path, Recording* recording, char* error, size_t errorSize);
// The whole file image of a recording; the caller frees it. Null when it
// cannot be allocated or the start holds more items than the table.
uint8_t* SerializeRecording(const Recording* recording, size_t* size);

// Input written as text, for tests and level design: tokens of input
// letters (U D L R Z X C V, or '.' for none) with an optional count of
// passes, e.g. "R30 RU Z .20". '#' starts a comment to the end of the line.
// Returns the number of passes written (at most `capacity`), or -1 for text
// that is not a script.
long ParseInputScript(const char* text, uint8_t* out, size_t capacity);
// The inverse: the inputs as script tokens ("R30 RU Z .20") with one blank
// between tokens, cut to fit `capacity` bytes with its terminating zero.
// Returns the length of the whole text, as snprintf does.
size_t FormatInputScript(const uint8_t* inputs, size_t count, char* out, size_t capacity);
// A new game's first attempt at `level` (0-based).
void NewGameAttemptStart(AttemptStart* start, int level);

// Notes the game-wide values, the surviving items and the input as they stand before a set-up.
void CaptureAttemptStart(const System* sys, AttemptStart* start);
// Puts those values back, replacing the item table and the input's held state.
void ApplyAttemptStart(System* sys, const AttemptStart* start);

// Recording of the real game: when the environment names a folder in
// RUNEBLOCK_RECORD, every level attempt is written there, numbered on from
// the highest number the folder held when the run wrote its first; a file
// already there is never replaced.
void BeginAttemptRecording(System* sys);
void EndAttemptRecording(System* sys);
// Forgets the numbering and the last recording, as a new start of the game does.
void ResetAttemptRecorder();
// The path of the last recording written (empty when none) and the live
// game's result for it, as a replay of it must reproduce.
const char* LastRecordingPath();
const ReplayOutcome* LastRecordedOutcome();
