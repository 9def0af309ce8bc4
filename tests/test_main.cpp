// Test entry: the whole suite runs headless whatever the caller's shell says.
#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

// SDL and its helpers keep a few allocations until the process ends; those
// are theirs, not the game's.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libSDL2\nleak:libSDL-1.2\nleak:libSDL_mixer\nleak:libasound\nleak:libpulse\nleak:libdbus\n";
}
