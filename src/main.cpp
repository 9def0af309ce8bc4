// Program entry: create, initialise, run the game, destroy.
#include "engine/system.h"
#include "flow/game_resources.h"

int main(int, char**) {
  System* sys = CreateSystem();
  if (!sys) return 1;
  InitSystem(sys);
  if (SystemUnusable(sys)) {
    DestroySystem(sys);
    return 1;
  }
  RunGame(sys);
  DestroySystem(sys);
  return 0;
}
