// The live recorder: every level attempt of the real game written to the
// folder RUNEBLOCK_RECORD names, numbered on, never replacing a file.
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/text_lines.h"
#include "engine/scene.h"
#include "game/recording.h"
#include "game/state_hash.h"
#include "input/input.h"

namespace {

// The live recorder: a fixed buffer, so recording allocates nothing in play.
// BeginAttemptRecording starts `recording` over each attempt; the numbering
// and the last file's path and outcome last the run, until ResetAttemptRecorder.
struct Recorder {
  bool active;    // an attempt is being recorded (its pass hook is in)
  bool numbered;  // the folder's highest number has been read this run
  int attempt;    // the number of the last file this run took
  Recording recording;
  uint8_t buffer[1 << 20];
  char lastPath[kPathBufferSize];  // the last file written, empty when none
  ReplayOutcome lastOutcome;       // the live game's result for it
};
Recorder recorder;

void NoteLiveOutcome(const System* sys) {
  const GameState* game = sys->game;
  recorder.lastOutcome.frames = static_cast<int>(recorder.recording.inputCount);
  recorder.lastOutcome.result = sys->quit ? ReplayQuit : game->levelCleared ? ReplayCleared : ReplayDied;
  recorder.lastOutcome.life = game->player.life;
  recorder.lastOutcome.lives = game->player.lives;
  recorder.lastOutcome.score = game->player.score;
  recorder.lastOutcome.itemsTaken = game->itemsTaken;
  recorder.lastOutcome.itemsTotal = game->itemsTotal;
  recorder.lastOutcome.checksum = GameStateChecksum(sys);
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
  ReportDiagnostic(msg::MsgCannotCreate, path);
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

void BeginAttemptRecording(System* sys) {
  recorder.active = std::getenv("RUNEBLOCK_RECORD") != nullptr;
  if (!recorder.active) return;
  std::memset(&recorder.recording, 0, sizeof(Recording));
  recorder.recording.version = kRecordingVersion;
  recorder.recording.inputs = recorder.buffer;
  CaptureAttemptStart(sys, &recorder.recording.start);
  AddScenePassHook(RecordPass, nullptr);
}

const char* LastRecordingPath() { return recorder.lastPath; }
const ReplayOutcome* LastRecordedOutcome() { return &recorder.lastOutcome; }

void EndAttemptRecording(System* sys) {
  if (!recorder.active) return;
  NoteLiveOutcome(sys);
  RemoveScenePassHook(RecordPass, nullptr);
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
      std::snprintf(recorder.lastPath, sizeof recorder.lastPath, "%s", path);
    } else {
      unlink(path);  // the file this call made, cut short
      ReportDiagnostic(msg::MsgCannotCreate, path);
    }
  } else if (!image) {
    ReportDiagnostic(msg::MsgCannotCreate, folder);
  }
  std::free(image);
}

void ResetAttemptRecorder() {
  if (recorder.active) RemoveScenePassHook(RecordPass, nullptr);
  recorder.active = recorder.numbered = false;
  recorder.attempt = 0;
  recorder.lastPath[0] = '\0';
  recorder.lastOutcome = ReplayOutcome{};
}
