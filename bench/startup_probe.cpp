// startup_probe: the game's start-up up to its first drawn title frame, then
// an immediate exit; timed from outside by the start-up benchmark.
#include <unistd.h>

#include <cstdlib>
#include <cstring>

#include "engine/scene.h"
#include "engine/system.h"
#include "flow/game_flow.h"
#include "flow/game_resources.h"
#include "frontend/title_menu.h"
#include "game/game_state.h"

namespace {

int titlePasses = 0;

// The pass hook runs before drawing: the second title pass means the first
// title frame has been drawn and flipped.
void StopAfterFirstTitleFrame(System* sys, void*) {
  if (sys->updateLayer[2] == UpdateTitleMenu && ++titlePasses == 2) _exit(0);
}

uint32_t now = 0;
uint32_t Ticks(void*) { return now; }
void Skip(void*, uint32_t ms) { now += ms; }

}  // namespace

int main() {
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  const FrameClock clock = {Ticks, Skip, nullptr};
  SetFrameClock(&clock);  // the designed pause before the title is not work
  System* sys = CreateSystem();
  if (!sys) return 1;
  InitSystem(sys);
  if (SystemUnusable(sys)) return 1;
  GameState* game = TheGameState();
  std::memset(game, 0, sizeof(GameState));
  sys->game = game;
  LoadGameResources(sys);
  AddScenePassHook(StopAfterFirstTitleFrame, nullptr);
  DelayOnFrameClock(1000);
  RunGameFlow(sys);
  return 2;  // the title never came
}
