// The player controller: input to state, velocity and position, collision
// with the tile grid, head bumps, actions, pause and the death hop.
#pragma once

#include "engine/system.h"

// One frame of the player; 1 when it moved (no pose, death or door held it),
// the frames in which it can reach the key and the door.
int UpdatePlayer(System* sys);
// The frame or animation for the player's state and facing; nothing without a sprite.
void SetPlayerAnim(System* sys);
// Loops the death turn on the player's sprite; nothing without one.
void PlayDeathAnim(System* sys);
// Scene callback of the screens layer while paused: ButtonC resumes, ButtonV gives the attempt
// up (the clock runs out at once), the directions scroll the camera a pixel a frame.
void PauseUpdate(System* sys);
