// The enemy and spawner tables: creation from map lines, spawning, the
// per-frame dispatch by type, fireball hits and contact with the player.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

void ClearEnemies(System* sys);
void AddMapEnemy(System* sys, int type, int column, int row, int speed, int dir);
void UpdateSpawners(System* sys);
void UpdateEnemies(System* sys);
int FindFreeEnemy(System* sys);  // slot index, or -1
void RemoveEnemy(System* sys, Enemy* enemy);
void SpawnPuff(System* sys, int px, int py);
int EnemyTouchesPlayer(System* sys, Enemy* enemy);
int FireballHitsEnemy(System* sys, Sprite* sprite);
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
