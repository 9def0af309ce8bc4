// The player's two actions besides moving: block magic on the cell in front,
// and fireballs that crawl along the level's surfaces; and the spark burst.
#pragma once

#include "engine/system.h"
#include "graphics/sprite.h"

void UseBlockMagic(System* sys);
void MakeBlockAnim(System* sys, int column, int row);
void BreakBlock(System* sys, int column, int row);
void ShootFireball(System* sys);
void UpdateFireballs(System* sys);
void SetFireballAnim(Sprite* sprite);
void SpawnSparks(System* sys, int px, int py);
