// Program entry: create, initialise, run the game, destroy.
#include "base/console_text.h"
#include "engine/system.h"
#include "flow/comforts.h"
#include "flow/game_resources.h"

int main(int argc, char** argv) {
  UseLocaleConsole();
  PrepareWindow(argc, argv);
  System* sys = StartSystem();
  if (!sys) return 1;
  RunGame(sys);
  DestroySystem(sys);
  return 0;
}
