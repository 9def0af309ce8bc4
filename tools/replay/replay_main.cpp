// replay: plays a recorded level attempt headless at full speed and prints
// its outcome; can write a JSON Lines trace and screenshots of chosen frames.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/scene.h"
#include "engine/system.h"
#include "flow/game_resources.h"
#include "flow/headless.h"
#include "game/game_state.h"
#include "game/magic_marker.h"
#include "game/replay.h"
#include "game/state_hash.h"
#include "graphics/bitmap_set.h"
#include "graphics/sprite_draw.h"

namespace {

struct Options {
  std::string recording;
  std::string trace;
  std::string hashes;
  std::string maps = kMapDir;
  std::string shotPrefix = "frame";
  std::set<int> shots;
  bool marker = false;
};

void Usage() {
  std::fprintf(
      stderr,
      "usage: replay [--trace FILE] [--hashes FILE] [--maps DIR/] [--shot N[,N...]] [--shot-prefix PATH] [--marker]\n"
      "              RECORDING\n"
      "Plays a recorded level attempt from the folder that holds Media/ and prints its outcome.\n"
      "  --trace FILE   write one JSON line of the game state per scene-loop pass\n"
      "  --hashes FILE  write a fingerprint of every pass, one per line (the tests' golden lists)\n"
      "  --maps DIR/    read the level maps from DIR/ (default ./Media/map/)\n"
      "  --shot N,...   save the screen after those passes as PREFIX-N.bmp\n"
      "  --marker       show the magic marker in the screenshots\n");
}

bool ParseArgs(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; i++) {
    const std::string arg = argv[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= argc) return false;
      *out = argv[++i];
      return true;
    };
    std::string text;
    if (arg == "--trace") {
      if (!value(&options->trace)) return false;
    } else if (arg == "--hashes") {
      if (!value(&options->hashes)) return false;
    } else if (arg == "--maps") {
      if (!value(&options->maps)) return false;
      if (options->maps.empty() || options->maps.back() != '/') options->maps += '/';
    } else if (arg == "--marker") {
      options->marker = true;
    } else if (arg == "--shot-prefix") {
      if (!value(&options->shotPrefix)) return false;
    } else if (arg == "--shot") {
      if (!value(&text)) return false;
      for (char* p = text.data(); *p;) {
        char* end = nullptr;
        const long frame = std::strtol(p, &end, 10);
        if (end == p || frame < 0) return false;
        options->shots.insert(static_cast<int>(frame));
        p = *end == ',' ? end + 1 : end;
      }
    } else if (!arg.empty() && arg[0] == '-') {
      return false;
    } else if (options->recording.empty()) {
      options->recording = arg;
    } else {
      return false;
    }
  }
  return !options->recording.empty();
}

struct Watch {
  FILE* trace;
  FILE* hashes;
  const Options* options;
};

void AfterPass(System* sys, int f, const int* sounds, int soundCount, void* context) {
  auto* watch = static_cast<Watch*>(context);
  if (watch->trace) WriteTraceRecord(watch->trace, sys, f, sounds, soundCount);
  if (watch->hashes) std::fprintf(watch->hashes, "%08x\n", PassHash(sys, sounds, soundCount));
  if (watch->options->shots.count(f) && sys->screen) {
    DrawSceneLayers(sys);  // the screen as the scene loop draws it after this pass
    const std::string path = watch->options->shotPrefix + "-" + std::to_string(f) + ".bmp";
    if (SDL_SaveBMP(sys->screen, path.c_str()) != 0) std::fprintf(stderr, "replay: cannot write %s\n", path.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, &options)) {
    Usage();
    return 2;
  }
  // Pictures only, for the screenshots: no sound and no configuration. First,
  // so that every message after the arguments is written for the terminal.
  System* sys = StartHeadlessGame(HeadlessPictures | HeadlessConsole);
  if (!sys) return 1;
  Recording recording;
  char error[128];
  if (LoadRecordingFile(options.recording.c_str(), &recording, error, sizeof error) != 0) {
    std::fprintf(stderr, "replay: %s: %s\n", options.recording.c_str(), error);
    StopHeadlessGame(sys);
    return 1;
  }
  FILE* trace = nullptr;
  FILE* hashes = nullptr;
  for (auto [path, file] : {std::pair{&options.trace, &trace}, {&options.hashes, &hashes}}) {
    if (!path->empty() && !(*file = std::fopen(path->c_str(), "wb"))) {
      std::fprintf(stderr, "replay: cannot create %s\n", path->c_str());
      if (trace) std::fclose(trace);
      FreeRecording(&recording);
      StopHeadlessGame(sys);
      return 1;
    }
  }
  std::snprintf(sys->game->mapDir, sizeof sys->game->mapDir, "%s", options.maps.c_str());

  if (options.marker) SetLayerOverlay(LayerWorld, DrawMagicMarker);
  Watch watch{trace, hashes, &options};
  const ReplayObserver observer = {AfterPass, &watch, 0};
  ReplayOutcome outcome{};
  RunReplay(sys, &recording, &observer, &outcome);
  for (FILE* file : {trace, hashes})
    if (file) std::fclose(file);

  PrintReplayOutcome(stdout, recording.start.level, &outcome);
  FreeRecording(&recording);
  StopHeadlessGame(sys);
  return 0;
}
