// Wall-following for objects that crawl along the level's surfaces: turning
// at a solid tile ahead and going round the corner where a surface ends.
#pragma once

#include "engine/system.h"
#include "graphics/sprite.h"

int TileTurn(System* sys, Sprite* sprite);
int TileCorner(System* sys, Sprite* sprite);
