// The whole game as the player sees it: the title menu, the levels one
// attempt after another, the screens between them and the ranking.
#pragma once

#include "engine/system.h"

// Title menu, game and name entry, round and round until Exit or a quit.
void RunGameFlow(System* sys);
// Plays one attempt at the current level: the lives screen, the set-up, the
// level's music and its scene, then clears the level layer.
void PlayLevelAttempt(System* sys);
// The stored "level" value as a level to continue from, within 0..7.
int ContinueLevel(const char* stored);
