#include "game/game_flow.h"

#include "engine/scene.h"

void RunGameFlow(System* sys) {
  while (!sys->quit) RunScene(sys);
}
