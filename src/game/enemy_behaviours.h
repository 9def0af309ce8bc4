// Per-type behaviour routines of the enemies, called by the enemy dispatch.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// Walkers, brawlers, chargers, sentries, guards and gunners.
// One frame: the pause, looking for the player, gravity, walls and edges, landing (which may
// remove it).
void UpdateGroundEnemy(System* sys, Enemy* enemy);
// 1 when an enemy is within 42 pixels of the cell, which refuses block magic there; that enemy,
// if a sentry, is stunned for 200 frames.
int MagicHitsEnemy(System* sys, int column, int row);

// Shots and strikes, flyers, turrets.
// A shot at the shooter's place and in its direction, launched 12 frames later; nothing when the
// table or the layer is full.
void FireEnemyShot(System* sys, Enemy* shooter);
// Sets the shot flying with its animation and sound; a shot with no valid direction is removed.
void LaunchEnemyShot(System* sys, Enemy* shot);
// One frame of a shot or strike: the launch countdown, then blocks it meets break, and a shot is
// removed at any solid cell.
void UpdateEnemyShot(System* sys, Enemy* enemy);
// A 20-frame strike in the cell ahead of a brawler or guard facing left or right; nothing
// otherwise or when full.
void SpawnStrike(System* sys, Enemy* attacker);
// One frame of a flyer: after a pause it flies on; at a wall it breaks any block there and pauses
// 12 frames.
void UpdateFlyer(System* sys, Enemy* enemy);
// Fires a shot in the turret's direction every 200 frames.
void UpdateTurret(System* sys, Enemy* enemy);
// Crawls along the surfaces (see TileTurn and TileCorner).
void UpdateCrawler(System* sys, Enemy* enemy);
