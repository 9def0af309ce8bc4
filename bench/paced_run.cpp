// paced_run: plays the solution replays through the real scene loop at 60
// frames per second on the real clock for 10 000 frames, and reports the
// late (undrawn) frames and the CPU time spent per second of play.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>

#include "bench_support.h"
#include "game/replay.h"

namespace {

struct Count {
  int frames = 0;
  int late = 0;
};

// The late flag after a pass says its drawing is skipped.
void CountLate(System* sys, int f, const int*, int, void* context) {
  auto* count = static_cast<Count*>(context);
  if (f == 0) return;
  count->frames++;
  if (sys->timer.late) count->late++;
  if (count->frames >= 10000) sys->sceneEnd = 1;
}

double CpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main() {
  HeadlessGame game;
  const std::vector<std::string> paths = SolutionPaths();
  if (paths.empty()) {
    std::fprintf(stderr, "paced_run: no solution recordings in tests/data/solutions\n");
    return 1;
  }
  Count count;
  const ReplayObserver observer = {CountLate, &count, 1};
  const double cpuStart = CpuSeconds();
  const auto wallStart = std::chrono::steady_clock::now();
  while (count.frames < 10000) {
    for (const std::string& path : paths) {
      Recording recording;
      if (!LoadRecording(path, &recording)) continue;
      ReplayOutcome outcome;
      RunReplay(game.sys(), &recording, &observer, &outcome);
      FreeRecording(&recording);
      if (count.frames >= 10000) break;
    }
  }
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
  const double cpu = CpuSeconds() - cpuStart;
  std::printf("paced run: %d frames in %.2f s, %d late (undrawn), CPU %.3f s per second of play (%.1f%%)\n",
              count.frames, wall, count.late, cpu / wall, 100.0 * cpu / wall);
  return 0;
}
