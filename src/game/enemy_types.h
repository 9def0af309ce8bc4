// The records of the enemy, spawner and item tables kept in the game state.
#pragma once

#include <cstdint>

struct Sprite;

enum EnemyType {
  EnemyNone = 0,
  EnemyCrawler = 1,
  EnemyWalker = 2,
  EnemyTurret = 3,
  EnemyShot = 4,
  EnemyFlyer = 5,
  EnemyBrawler = 6,
  EnemyCharger = 7,
  EnemySentry = 8,
  EnemyGuard = 9,
  EnemyGunner = 10,
  EnemyStrike = 11,
  EnemySentryStunned = 12,
};
inline constexpr int kEnemyTypeCount = 13;  // 0..12

enum Direction { DirRight = 0, DirLeft = 1, DirDown = 2, DirUp = 3 };

struct Enemy {
  Sprite* sprite;
  int type;
  int dir;
  int speed;     // 16 Fixed12 (1/256 pixel) per frame
  int wait;      // frames
  int cooldown;  // frames
  int airborne;
  int alert;
  uint32_t spriteSerial;  // the sprite's serial when this enemy took it
};

struct EnemySpawner {
  int type;
  int period;     // frames
  int countdown;  // frames
  int x;          // Fixed12
  int y;          // Fixed12
  int speed;      // 16 Fixed12 (1/256 pixel) per frame
  int dir;
};

struct Item {
  Sprite* sprite;
  int type;
  int tileX;  // cells
  int tileY;  // cells
  int hidden;
  int changes;
  uint32_t spriteSerial;  // the sprite's serial when this item took it
};
