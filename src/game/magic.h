// The player's two actions besides moving: block magic on the cell in front,
// and fireballs that crawl along the level's surfaces; and the spark burst.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"
#include "graphics/sprite.h"

// The cell block magic acts on for the player as it stands: the one in front,
// a row lower when crouching. UseBlockMagic and the magic marker share it.
void BlockMagicCell(const Player* player, int* column, int* row);
// Makes a block in the cell in front of the player, or breaks one there. No-magic cells and a key,
// door, enemy or visible item (which may change type) there refuse it, but a whole block still breaks.
void UseBlockMagic(System* sys);
// Turns the cell's tile into a block through the change frame; nothing outside the grid.
void MakeBlockAnim(System* sys, int column, int row);
// Turns the cell's tile to empty through the change frame, reveals an item hidden there and plays
// the hit sound; nothing outside the grid.
void BreakBlock(System* sys, int column, int row);
// Spends one magic on a fireball half a cell ahead, living 100 frames plus fireBonus; nothing
// without magic, and with 16 fireballs live the magic is spent for nothing.
void ShootFireball(System* sys);
// Turns every live fireball along the surfaces it meets.
void UpdateFireballs(System* sys);
// The fireball's animation for the way it travels.
void SetFireballAnim(Sprite* sprite);
// Four sparks flying apart from the cell whose top-left is level pixel (px, py).
void SpawnSparks(System* sys, int px, int py);
