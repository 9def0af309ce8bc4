// Level set-up from a map file: the tile grid, player, key, door, items,
// enemies, backdrop and status lines.
#pragma once

#include <cstdio>

#include "engine/system.h"

void CreateTileSprites(System* sys);
void LoadLevel(System* sys);
// LoadLevel's work on an open map stream; null stands for a map that could
// not be opened.
void LoadLevelStream(System* sys, FILE* map);
void ShowTiles(System* sys, int flag);
