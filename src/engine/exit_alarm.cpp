#include "engine/exit_alarm.h"

#include <SDL.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

namespace {

// Long enough for any quit that can finish.
constexpr unsigned kQuitSeconds = 2;

// Whether the quit is registered; set once, never reset: atexit cannot be undone.
struct ExitAlarm {
  bool registered;
};
ExitAlarm exitAlarm = {false};

void EndAfterStuckQuit(int) { _exit(1); }

// When the display went away, Xlib's error handler exits and SDL_Quit, run
// at exit, then waits on the dead display forever (and SIGTERM only becomes
// an event nobody reads): a quit that does not return in time ends the
// process, with a status that says it failed.
void QuitWithinLimit() {
  std::signal(SIGALRM, EndAfterStuckQuit);
  alarm(kQuitSeconds);
  SDL_Quit();
  alarm(0);
}

}  // namespace

void RegisterQuitWithinLimit() {
  if (exitAlarm.registered) return;
  std::atexit(QuitWithinLimit);
  exitAlarm.registered = true;
}
