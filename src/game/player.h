// The player controller: input to state, velocity and position, collision
// with the tile grid, head bumps, actions, pause and the death hop.
#pragma once

#include "engine/system.h"

void UpdatePlayer(System* sys);
void SetPlayerAnim(System* sys);
void PlayDeathAnim(System* sys);
void PauseUpdate(System* sys);
