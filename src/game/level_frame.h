// One frame of play: the life clock, death and clear sequences, the
// sub-updates in their order, the camera, the status lines and the goal.
#pragma once

#include "engine/system.h"

void UpdateGameFrame(System* sys);
void UpdateCamera(System* sys);
void UpdateStatusLine(System* sys);
void CheckKeyAndDoor(System* sys);
void StartClearWipe(System* sys);
