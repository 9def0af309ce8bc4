// Wall-following for objects that crawl along the level's surfaces: turning
// at a solid tile ahead and going round the corner where a surface ends.
#pragma once

#include "engine/system.h"
#include "graphics/sprite.h"

// At a solid tile just ahead, snaps the sprite flush and turns it along that surface; 1 when it
// turned.
int TileTurn(System* sys, Sprite* sprite);
// Where the surface under the sprite ends, turns it round the corner; 1 when it turned.
int TileCorner(System* sys, Sprite* sprite);
