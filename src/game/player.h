// The player controller: input to state, velocity and position, collision
// with the tile grid, head bumps, actions, pause and the death hop.
#pragma once

#include "engine/system.h"

// One frame of the player; 1 when it moved (no pose, death or door held it),
// the frames in which it can reach the key and the door.
int UpdatePlayer(System* sys);
void SetPlayerAnim(System* sys);
void PlayDeathAnim(System* sys);
void PauseUpdate(System* sys);
