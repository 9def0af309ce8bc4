// The alarm that ends a quit which hangs at exit (a display gone away), so
// the process still ends, with a status that says it failed.
#pragma once

// Has SDL_Quit run at exit within a time limit; registers it once per run.
void RegisterQuitWithinLimit();
