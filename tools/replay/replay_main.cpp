// replay: plays a recorded level attempt headless at full speed and prints
// its outcome; can write a JSON Lines trace and screenshots of chosen frames.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "engine/game_resources.h"
#include "engine/scene.h"
#include "engine/system.h"
#include "game/game_state.h"
#include "game/replay.h"
#include "graphics/bitmap_set.h"
#include "graphics/sprite_draw.h"

namespace {

struct Options {
  std::string recording;
  std::string trace;
  std::string maps = "./Media/map/";
  std::string shotPrefix = "frame";
  std::set<int> shots;
};

void Usage() {
  std::fprintf(stderr,
               "usage: replay [--trace FILE] [--maps DIR/] [--shot N[,N...]] [--shot-prefix PATH] RECORDING\n"
               "Plays a recorded level attempt from the folder that holds Media/ and prints its outcome.\n"
               "  --trace FILE   write one JSON line of the game state per scene-loop pass\n"
               "  --maps DIR/    read the level maps from DIR/ (default ./Media/map/)\n"
               "  --shot N,...   save the screen after those passes as PREFIX-N.bmp\n");
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
    } else if (arg == "--maps") {
      if (!value(&options->maps)) return false;
      if (options->maps.empty() || options->maps.back() != '/') options->maps += '/';
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

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>* data) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  uint8_t chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) data->insert(data->end(), chunk, chunk + n);
  const bool ok = !std::ferror(file);
  std::fclose(file);
  return ok;
}

struct Watch {
  FILE* trace;
  const Options* options;
};

void AfterPass(System* sys, int f, const int* sounds, int soundCount, void* context) {
  auto* watch = static_cast<Watch*>(context);
  if (watch->trace) WriteTraceRecord(watch->trace, sys, f, sounds, soundCount);
  if (watch->options->shots.count(f) && sys->screen) {
    DrawSceneLayers(sys);  // the screen as the scene loop draws it after this pass
    const std::string path = watch->options->shotPrefix + "-" + std::to_string(f) + ".bmp";
    if (SDL_SaveBMP(sys->screen, path.c_str()) != 0) std::fprintf(stderr, "replay: cannot write %s\n", path.c_str());
  }
}

BitmapSet* LoadSet(const char* dir) {
  BitmapSet* set = CreateBitmapSet(256);
  LoadBitmapDir(set, dir);
  return set;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseArgs(argc, argv, &options)) {
    Usage();
    return 2;
  }
  std::vector<uint8_t> data;
  if (!ReadWholeFile(options.recording, &data)) {
    std::fprintf(stderr, "replay: cannot read %s\n", options.recording.c_str());
    return 1;
  }
  Recording recording;
  char error[128];
  if (ParseRecording(data.data(), data.size(), &recording, error, sizeof error) != 0) {
    std::fprintf(stderr, "replay: %s: %s\n", options.recording.c_str(), error);
    return 1;
  }
  FILE* trace = nullptr;
  if (!options.trace.empty() && !(trace = std::fopen(options.trace.c_str(), "wb"))) {
    std::fprintf(stderr, "replay: cannot create %s\n", options.trace.c_str());
    FreeRecording(&recording);
    return 1;
  }

  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  System* sys = CreateSystem();
  if (!sys) return 1;
  InitSystem(sys);
  if (!sys->screen || !sys->input) {
    DestroySystem(sys);
    return 1;
  }
  GameState* game = TheGameState();
  std::memset(game, 0, sizeof(GameState));
  sys->game = game;
  // Pictures only, for the screenshots: no sound and no configuration.
  game->sysBitmaps = LoadSet(kSysBitmapDir);
  game->charBitmaps = LoadSet(kCharBitmapDir);
  game->enemyBitmaps = LoadSet(kEnemyBitmapDir);
  std::snprintf(game->mapDir, sizeof game->mapDir, "%s", options.maps.c_str());
  LoadBitmapDir(game->sysBitmaps, game->mapDir);

  Watch watch{trace, &options};
  const ReplayObserver observer = {AfterPass, &watch, 0};
  ReplayOutcome outcome{};
  RunReplay(sys, &recording, &observer, &outcome);
  if (trace) std::fclose(trace);

  PrintReplayOutcome(stdout, recording.start.level, &outcome);
  FreeRecording(&recording);
  DestroyBitmapSet(game->sysBitmaps);
  DestroyBitmapSet(game->charBitmaps);
  DestroyBitmapSet(game->enemyBitmaps);
  DestroySystem(sys);
  return 0;
}
