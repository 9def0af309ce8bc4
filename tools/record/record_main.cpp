// record: turns an input script into a recording of a new game's first
// attempt at a level, plays it and prints the outcome.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/system.h"
#include "flow/headless.h"
#include "game/game_state.h"
#include "game/recording.h"
#include "game/replay.h"
#include "graphics/bitmap_set.h"

namespace {

bool ReadText(const std::string& path, std::string* text) {
  FILE* file = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!file) return false;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) text->append(chunk, n);
  if (file != stdin) std::fclose(file);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  int level = 0;
  std::string maps = kMapDir;
  std::vector<std::string> files;
  for (int i = 1; i < argc; i++) {
    const std::string arg = argv[i];
    if (arg == "--level" && i + 1 < argc) {
      level = std::atoi(argv[++i]) - 1;
    } else if (arg == "--maps" && i + 1 < argc) {
      maps = argv[++i];
      if (maps.back() != '/') maps += '/';
    } else {
      files.push_back(arg);
    }
  }
  if (files.size() != 2 || level < 0 || level >= kLevelCount) {
    std::fprintf(stderr,
                 "usage: record --level N [--maps DIR/] SCRIPT OUT.rbr\n"
                 "SCRIPT holds tokens of input letters U D L R Z X C V ('.' for none) with a count of passes,\n"
                 "e.g. \"R30 RU Z .20\"; '#' comments to the end of the line; '-' reads standard input.\n");
    return 2;
  }
  std::string script;
  if (!ReadText(files[0], &script)) {
    std::fprintf(stderr, "record: cannot read %s\n", files[0].c_str());
    return 1;
  }
  std::vector<uint8_t> inputs(1 << 20);
  const long count = ParseInputScript(script.c_str(), inputs.data(), inputs.size());
  if (count < 0) {
    std::fprintf(stderr, "record: %s is not an input script\n", files[0].c_str());
    return 1;
  }
  Recording recording{};
  recording.version = kRecordingVersion;
  NewGameAttemptStart(&recording.start, level);
  recording.inputs = inputs.data();
  recording.inputCount = static_cast<size_t>(count);
  size_t size = 0;
  uint8_t* image = SerializeRecording(&recording, &size);
  FILE* out = image ? std::fopen(files[1].c_str(), "wb") : nullptr;
  if (!out || std::fwrite(image, 1, size, out) != size) {
    std::fprintf(stderr, "record: cannot write %s\n", files[1].c_str());
    return 1;
  }
  std::fclose(out);
  std::free(image);

  System* sys = StartHeadlessGame(HeadlessConsole);
  if (!sys) return 1;
  std::snprintf(sys->game->mapDir, sizeof sys->game->mapDir, "%s", maps.c_str());
  ReplayOutcome outcome{};
  RunReplay(sys, &recording, nullptr, &outcome);
  PrintReplayOutcome(stdout, level, &outcome);
  StopHeadlessGame(sys);
  return 0;
}
