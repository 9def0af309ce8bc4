// Program entry: create, initialise, run the game, destroy.
#include "engine/game_resources.h"
#include "engine/system.h"

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
