// What the leak checker of a sanitized build asks the program for by name.
#include "engine/leak_checker.h"

const char kLeakCheckerMark = 0;

// Under the leak checker, SDL and its helpers keep a few allocations until
// the process ends; those are theirs, not the game's.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libSDL2\nleak:libSDL-1.2\nleak:libSDL_mixer\nleak:libasound\nleak:libpulse\nleak:libdbus\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
