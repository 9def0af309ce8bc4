// Start-up for the tools that play the game without a window: a System on
// the dummy drivers with a fresh game state and, if wanted, the pictures.
#pragma once

#include "engine/system.h"

// Null when the system cannot start (the reason has been printed).
System* StartHeadlessGame(int withPictures);
// A new game's state (three lives, five charges, nothing placed) on the same
// pictures and settings, and no scene: for tools and tests that play many.
void ResetHeadlessGame(System* sys);
// Frees what StartHeadlessGame made and zeroes the game state; null is ignored.
void StopHeadlessGame(System* sys);
