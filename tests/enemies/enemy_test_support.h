// Helpers shared by the enemy tests: placing an enemy of any type directly
// and finding objects in the level layer.
#pragma once

#include "enemies/enemy_anim.h"
#include "enemies/enemy_table.h"
#include "support/level_harness.h"

// An enemy standing in a cell, walking in `dir` at `speed`, made the way the
// game makes them (a free slot, a level sprite, its animation).
inline Enemy* PlaceEnemy(LevelHarness& level, int type, int column, int row, int speed, int dir) {
  System* sys = level.sys();
  const int slot = FindFreeEnemy(sys);
  if (slot < 0) return nullptr;
  Enemy* enemy = &level.game()->enemies[slot];
  if (!TakeEnemySprite(sys, enemy)) return nullptr;
  enemy->type = type;
  enemy->speed = speed;
  enemy->dir = dir;
  Sprite* sprite = enemy->sprite;
  sprite->x = (column * 48) << 12;
  sprite->y = (row * 48) << 12;
  sprite->vx = speed * 16 * DirectionX(dir);
  sprite->visible = 1;
  sprite->cameraRelative = 1;
  SetEnemyAnim(sys, enemy);
  return enemy;
}

inline int CountEnemies(LevelHarness& level, int type) {
  int count = 0;
  for (const Enemy& enemy : level.game()->enemies) count += enemy.type == type;
  return count;
}

inline Enemy* FirstEnemy(LevelHarness& level, int type) {
  for (Enemy& enemy : level.game()->enemies)
    if (enemy.type == type) return &enemy;
  return nullptr;
}

// Live sprites of the level layer showing a frame of the system set.
inline int CountWorldFrames(LevelHarness& level, int frame) {
  int count = 0;
  const SpriteList* world = level.game()->world;
  for (int i = 0; i < world->capacity; i++) {
    const Sprite& s = world->sprites[i];
    count += s.inUse && s.bitmaps == level.game()->sysBitmaps && s.frame == frame;
  }
  return count;
}
