// The window's input focus: a level in play pauses when the player leaves
// the window, and the sound rests while it is in the background, as the
// assists ask.
#pragma once

#include "engine/system.h"

// The scene loop's focus hook: `gained` 0 when the focus went, 1 when it
// came back, -1 once a pass. The pause is a press of C held on the game's
// behalf until the level has taken it, so a recording holds it as any other
// press and replays it; it stays paused until the player resumes.
void HandleFocusChange(System* sys, int gained);
