// One frame of play: the life clock, death and clear sequences, the
// sub-updates in their order, the camera, the status lines and the goal.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// Scene callback of the level layer; sets sceneEnd when the death or clear sequence ends.
void UpdateGameFrame(System* sys);
// Centres the level layer's camera on the player without showing beyond the level.
void UpdateCamera(System* sys);
// A camera coordinate (pixels) kept so a screen of `screen` pixels shows nothing beyond the level;
// a screen wider than the level starts at 0 - (screen - level), as the game has always drawn it.
inline int ClampCameraAxis(int camera, int screen) {
  if (camera < 0) camera = 0;
  if (camera > kLevelPixels - screen) camera = kLevelPixels - screen;
  return camera;
}
// Writes life, score and magic into the two status lines.
void UpdateStatusLine(System* sys);
// Takes the key when touched, opening the door; touching the open door clears the level and
// starts the wipe.
void CheckKeyAndDoor(System* sys);
// Covers the screen with fading squares, a column every 2 frames from the left.
void StartClearWipe(System* sys);
