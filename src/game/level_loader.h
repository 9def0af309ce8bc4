// Level set-up from a map file: the tile grid, player, key, door, items,
// enemies, backdrop and status lines.
#pragma once

#include <cstdio>

#include "engine/system.h"

// A sprite from the level layer for every cell (null where the layer is full).
void CreateTileSprites(System* sys);
// Loads sys->game->mapPath; a map that will not open prints the open message and leaves an empty
// walled level.
void LoadLevel(System* sys);
// LoadLevel's work on an open map stream; null stands for a map that could
// not be opened.
void LoadLevelStream(System* sys, FILE* map);
// Shows (flag 1) or hides (flag 0) every tile sprite.
void ShowTiles(System* sys, int flag);
