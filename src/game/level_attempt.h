// One attempt at a level as the game flow runs it: set-up, the level intro,
// and the scene of play.
#pragma once

#include <cstdio>

#include "engine/system.h"
#include "game/game_state.h"
#include "graphics/sprite.h"

// Steps after the lives screen: tiles, player, fireball slots, the map, the
// scene callbacks with the world frozen for the intro, and the direct first
// level update (which polls the input once).
void SetUpLevelAttempt(System* sys);
// The same with the map read from an open stream (null: a map that could not
// be opened) instead of the file sys->game->mapPath names.
void SetUpLevelAttemptFrom(System* sys, FILE* map);
// Puts the intro's cover, backdrop and "Level N" text on the screens layer and notes the
// backdrop and text in `intro`.
void StartLevelIntro(System* sys, LevelIntro* intro);
// Scene callback of the screens layer: runs the intro, then after frame 130 lets the world move
// and clears the layer.
void LevelIntroUpdate(System* sys);
