// paced_run: the real game in its window at 60 frames per second on the real
// clock: the title left idle, then the solution replays played in real time.
// For each phase it reports the CPU the game (and, given its pid, the X
// server) spent per second of play, read from /proc, the late (undrawn)
// frames, and the machine's load average beside them.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_support.h"
#include "engine/present.h"
#include "engine/scene.h"
#include "flow/game_flow.h"
#include "flow/game_resources.h"
#include "flow/headless.h"
#include "frontend/title_menu.h"
#include "game/replay.h"
#include "sound/sound_bank.h"

namespace {

// User plus system time of a process so far, in seconds; -1 when unreadable.
double ProcessCpuSeconds(long pid) {
  char path[64];
  std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
  FILE* file = std::fopen(path, "r");
  if (!file) return -1;
  char line[1024];
  const bool read = std::fgets(line, sizeof line, file) != nullptr;
  std::fclose(file);
  // The command name may hold spaces; the fields after it are plain.
  const char* rest = read ? std::strrchr(line, ')') : nullptr;
  unsigned long user = 0, system = 0;
  if (!rest || std::sscanf(rest + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %lu %lu", &user, &system) != 2)
    return -1;
  return static_cast<double>(user + system) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double LoadAverage() {
  double load = -1;
  if (FILE* file = std::fopen("/proc/loadavg", "r")) {
    if (std::fscanf(file, "%lf", &load) != 1) load = -1;
    std::fclose(file);
  }
  return load;
}

struct Phase {
  const char* name;
  int target;  // passes to run
  int frames = 0;
  int late = 0;
  double wall = 0, cpu = 0, serverCpu = 0, loadBefore = 0, loadAfter = 0;
  long shown[3] = {0, 0, 0};  // frames presented as nothing, parts, whole
};

Phase* running = nullptr;

// A pass marked late is not drawn: the loop skips the next frame's drawing.
void CountPass(System* sys) {
  if (sys->quit) return;
  running->frames++;
  if (sys->timer.late) running->late++;
  if (running->frames >= running->target) sys->quit = 1;
}

void CountTitlePass(System* sys, void*) {
  if (sys->updateLayer[LayerScreens] == UpdateTitleMenu) CountPass(sys);
}

const char* replaying = "";

void CountReplayPass(System* sys, int f, const int*, int, void*) {
  if (f == 0) return;
  CountPass(sys);
  if (sys->timer.late) std::printf("late: %s pass %d\n", replaying, f);
}

template <typename Body>
void Measure(Phase* phase, long serverPid, Body body) {
  running = phase;
  phase->loadBefore = LoadAverage();
  const double cpuStart = ProcessCpuSeconds(getpid());
  const double serverStart = serverPid > 0 ? ProcessCpuSeconds(serverPid) : -1;
  const auto wallStart = std::chrono::steady_clock::now();
  const Presentation before = LastPresentation();
  body();
  for (int kind = 0; kind < 3; kind++) phase->shown[kind] = LastPresentation().frames[kind] - before.frames[kind];
  phase->wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  phase->cpu = ProcessCpuSeconds(getpid()) - cpuStart;
  phase->serverCpu = serverStart >= 0 ? ProcessCpuSeconds(serverPid) - serverStart : -1;
  phase->loadAfter = LoadAverage();
}

void Report(const Phase& phase) {
  std::printf("%-6s %6d frames in %6.2f s, %d late; CPU game %5.1f%% of a core", phase.name, phase.frames, phase.wall,
              phase.late, 100.0 * phase.cpu / phase.wall);
  if (phase.serverCpu >= 0) std::printf(", X server %5.1f%%", 100.0 * phase.serverCpu / phase.wall);
  std::printf("; load average %.2f -> %.2f\n", phase.loadBefore, phase.loadAfter);
  std::printf("       shown whole %ld, in parts %ld, unchanged %ld\n", phase.shown[PresentWhole],
              phase.shown[PresentParts], phase.shown[PresentNothing]);
}

}  // namespace

int main(int argc, char** argv) {
  Phase title{"title", 1200};
  Phase play{"play", 3600};
  long serverPid = 0;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--title-frames") == 0) title.target = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--play-frames") == 0) play.target = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--server-pid") == 0) serverPid = std::atol(argv[i + 1]);
  }
  const std::vector<std::string> paths = SolutionPaths();
  if (paths.empty()) {
    std::fprintf(stderr, "paced_run: no solution recordings in tests/data/solutions\n");
    return 1;
  }
  HeadlessGame game;
  System* sys = game.sys();
  // The music and sounds play as in the game; their mixing is part of its cost.
  sys->sound = CreateSoundBank(256);
  LoadSoundDir(sys->sound, kSoundDir);

  Measure(&title, serverPid, [&] {
    AddScenePassHook(CountTitlePass, nullptr);
    RunGameFlow(sys);
    RemoveScenePassHook(CountTitlePass, nullptr);
  });
  ResetHeadlessGame(sys);
  const ReplayObserver observer = {CountReplayPass, nullptr, 1};
  Measure(&play, serverPid, [&] {
    while (play.frames < play.target) {
      for (const std::string& path : paths) {
        Recording recording;
        if (!LoadRecording(path, &recording)) continue;
        ReplayOutcome outcome;
        replaying = path.c_str();
        sys->quit = 0;
        RunReplay(sys, &recording, &observer, &outcome);
        FreeRecording(&recording);
        if (play.frames >= play.target) break;
      }
    }
  });
  DestroySoundBank(sys->sound);
  sys->sound = nullptr;
  Report(title);
  Report(play);
  return 0;
}
