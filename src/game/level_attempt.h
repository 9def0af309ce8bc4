// One attempt at a level as the game flow runs it: set-up, the level intro,
// and the scene of play.
#pragma once

#include <cstdio>

#include "engine/system.h"
#include "graphics/sprite.h"

struct LevelIntro {
  Sprite* backdrop;
  Sprite* text;
};

// Steps after the lives screen: tiles, player, fireball slots, the map, the
// scene callbacks with the world frozen for the intro, and the direct first
// level update (which polls the input once).
void SetUpLevelAttempt(System* sys);
// The same with the map read from an open stream (null: a map that could not
// be opened) instead of the file sys->game->mapPath names.
void SetUpLevelAttemptFrom(System* sys, FILE* map);
void StartLevelIntro(System* sys, LevelIntro* intro);
void LevelIntroUpdate(System* sys);
