// framecost: one frame of play at the busiest moment of the solution
// replays, and the same frame's draw list as bare blits, each measured on
// its own under callgrind (see bench/callgrind.sh).
#include <valgrind/callgrind.h>

#include <cstdio>

#include "bench_support.h"
#include "engine/scene.h"
#include "input/input.h"

namespace {

uint8_t HeldInput(InputState*, void* context) { return *static_cast<uint8_t*>(context); }

}  // namespace

int main() {
  HeadlessGame game;
  System* sys = game.sys();
  BusiestMoment moment;
  if (!FindBusiestMoment(sys, &moment)) {
    std::fprintf(stderr, "framecost: no solution recordings in tests/data/solutions\n");
    return 1;
  }
  uint8_t input = moment.nextInput;
  SetInputSource(sys->input, HeldInput, &input);
  // Once unmeasured, so that no first-time work is counted.
  moment.snapshot.Restore(sys);
  RunScenePass(sys);
  DrawSceneLayers(sys);

  moment.snapshot.Restore(sys);
  CALLGRIND_TOGGLE_COLLECT;
  RunScenePass(sys);
  DrawSceneLayers(sys);
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT("frame");

  moment.snapshot.Restore(sys);
  RunScenePass(sys);
  if (!DrawListMatchesFrame(sys)) {
    std::fprintf(stderr, "framecost: the bare blits do not draw the frame's pixels\n");
    return 1;
  }
  const std::vector<FloorBlit> blits = BuildDrawList(sys);
  BlitDrawList(blits, sys->screen);
  CALLGRIND_TOGGLE_COLLECT;
  BlitDrawList(blits, sys->screen);
  CALLGRIND_TOGGLE_COLLECT;
  CALLGRIND_DUMP_STATS_AT("frame_floor");

  SetInputSource(sys->input, nullptr, nullptr);
  std::printf("busiest moment: %s pass %d, %d sprites drawn, %zu blits\n", moment.recording.c_str(), moment.pass + 1,
              moment.drawn, blits.size());
  return 0;
}
