// The enemy and spawner tables: creation from map lines, spawning, the
// per-frame dispatch by type, fireball hits and contact with the player.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// Empties the enemy and spawner tables; their sprites are not freed.
void ClearEnemies(System* sys);
// The enemy of a map line at a cell; walkers and brawlers become spawners. Nothing for an unknown
// type or when the tables or the layer are full.
void AddMapEnemy(System* sys, int type, int column, int row, int speed, int dir);
// Counts down every spawner; at zero it puffs and spawns its enemy with a 500-frame life.
void UpdateSpawners(System* sys);
// One frame of every enemy: fireball hits, contact with the player, expiry, then its behaviour.
void UpdateEnemies(System* sys);
int FindFreeEnemy(System* sys);  // slot index, or -1
// Frees the enemy's slot and, while it still owns it, its sprite; no sound or effect.
void RemoveEnemy(System* sys, Enemy* enemy);
// A 9-frame puff with its top-left at level pixel (px, py).
void SpawnPuff(System* sys, int px, int py);
// 1 when the enemy touches the player, who then starts dying; 0 once dying or clearing.
int EnemyTouchesPlayer(System* sys, Enemy* enemy);
// 1 when a live fireball overlaps the sprite; that fireball goes at the next sprite update.
int FireballHitsEnemy(System* sys, Sprite* sprite);
// 1 when two bodies with these top-left pixels are at most 32 pixels apart on both axes; the
// sentry reaches 37 across and 42 up or down.
int BoxesOverlap(int ax, int ay, int bx, int by);
int SentryBoxOverlaps(int ax, int ay, int bx, int by);

// 1 when the enemy's sprite is still the one it was given.
inline int EnemyOwnsSprite(const Enemy* enemy) { return SpriteStillOwned(enemy->sprite, enemy->spriteSerial); }
// Gives a free enemy slot its sprite from the level layer; 0 when no sprite
// is free (the slot then stays free).
int TakeEnemySprite(System* sys, Enemy* enemy);
// Direction vectors; directions outside 0..3 do not move.
int DirectionX(int dir);
int DirectionY(int dir);
