// Start-up for the tools that play the game without a window: a System on
// the dummy drivers with a fresh game state and, if wanted, the pictures.
// It opens no joystick: nothing that runs headless plays from a pad.
#pragma once

#include "engine/system.h"

// What StartHeadlessGame sets up besides the system and a new game's state.
enum HeadlessOption {
  HeadlessPictures = 1,  // the game's pictures in its three sets (needs the screen)
  // The game's messages written for the terminal's locale, as the game writes
  // them; for a program's one start-up, not for tests that compare bytes.
  HeadlessConsole = 2,
  // No screen, font picture or sound, only the font's measures: for a replay
  // where there is no canvas (node), since what a recording decides does not
  // depend on them.
  HeadlessScreenless = 4,
};

// Null when the system cannot start (the reason has been printed).
System* StartHeadlessGame(int options);
// A new game's state (three lives, five charges, nothing placed) on the same
// pictures and settings, and no scene: for tools and tests that play many.
void ResetHeadlessGame(System* sys);
// Frees what StartHeadlessGame made and zeroes the game state; null is ignored.
void StopHeadlessGame(System* sys);
