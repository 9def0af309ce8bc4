// Running the game: the resource files loaded around the game flow.
#pragma once

#include "base/media_paths.h"
#include "engine/system.h"

// The whole run: a zeroed game state, the resources, the game flow, then the settings saved and
// everything freed.
void RunGame(System* sys);
// The three picture sets, the sound bank and the settings; a part that fails to load prints why
// and stays empty or null.
void LoadGameResources(System* sys);
// Writes the settings back to kConfigPath, then frees the resources and nulls their pointers.
void UnloadGameResources(System* sys);
// Sets up SDL's blits of every loaded bitmap and of the font before play, so
// that play itself allocates nothing.
void PrimeBlits(System* sys);
