// The one static record of the game in progress: grid, player, object tables,
// counters and map paths.
#pragma once

#include <type_traits>

#include "base/media_slots.h"
#include "game/enemy_types.h"
#include "graphics/sprite.h"

struct BitmapSet;
struct KeywordMap;

inline constexpr int kGridSize = 20;
inline constexpr int kCellSize = 48;
inline constexpr int kLevelPixels = kGridSize * kCellSize;  // 960
inline constexpr int kFireballSlots = 16;
inline constexpr int kEnemySlots = 256;
inline constexpr int kSpawnerSlots = 64;
inline constexpr int kItemSlots = 400;
inline constexpr int kLevelCount = 8;
inline constexpr int kStartLife = 10000;  // frames of a level's clock
inline constexpr int kStartLives = 3;     // a new game's
inline constexpr int kStartMagic = 5;     // a new game's, and the least a level starts with
inline constexpr int kDeathFrames = 200;  // the death sequence, from its first frame
inline constexpr int kPathSize = 1024;

// Caps of what a player gathers. A game holds at most 400 items a level over
// eight levels; the caps lie far above that, and far enough below the integer
// limit that nothing added to a capped value can overflow.
inline constexpr int kMaxLives = 10000;        // a game reaches kStartLives + 8 x 400
inline constexpr int kMaxMagic = 100000;       // a game reaches kStartMagic + 8 x 400 x 5
inline constexpr int kMaxFireBonus = 1000000;  // frames; 8 x 400 x 2 a game, kept from game to game
inline constexpr int kMaxScore = 1000000000;   // a game reaches 8 x (400 x 1000 + the largest clear bonus)
// value + amount (amount >= 0), but never above cap.
inline int AddCapped(int value, int amount, int cap) { return value > cap - amount ? cap : value + amount; }

enum PlayerState { Stand = 1, Walk = 2, WalkFast = 3, JumpStart = 4, Land = 5, Air = 6, Cast = 8 };

enum TileCode { TileEmpty = 0, TileWall = 10, TileBlock = 11, TileCracked = 12, TileChange = 13, TileNoMagic = 14 };

// Start indices of the circular sprite search in the level layer; they fix
// the drawing order from bottom to top. The clear wipe, over everything,
// takes the layer's last slots.
enum WorldSlot {
  SlotBackdrop = 0,
  SlotTiles = 100,
  SlotItems = 500,
  SlotPlayer = 600,
  SlotEnemies = 800,
  SlotFireballs = 1100,
  SlotSparks = 1200,
  SlotStatus = 1500,
};

struct Player {
  Sprite* sprite;
  Fixed12 x;
  Fixed12 y;
  int vx;  // 16 Fixed12 (1/256 pixel) per frame
  int vy;  // 16 Fixed12 (1/256 pixel) per frame
  int state;
  int onGround;
  int facing;
  int life;  // frames of the level's clock left
  int lives;
  int magic;
  int fireBonus;    // frames added to each fireball's life
  int actionTimer;  // frames
  int crouching;
  int dying;
  int deathTimer;  // frames
  int clearTimer;  // frames
  int score;
};

// The level intro's sprites on the screens layer.
struct LevelIntro {
  Sprite* backdrop;
  Sprite* text;
};

struct GameState {
  BitmapSet* sysBitmaps;
  Sprite* tiles[kGridSize][kGridSize];  // [column][row]
  BitmapSet* charBitmaps;
  Player player;
  Sprite* fireballs[kFireballSlots];
  SpriteList* world;
  BitmapSet* enemyBitmaps;
  Enemy enemies[kEnemySlots];
  int spawnerCount;
  EnemySpawner spawners[kSpawnerSlots];
  Item key;
  Item door;
  Item items[kItemSlots];
  char mapPath[kPathSize];
  char mapDir[kPathSize];
  int level;
  int levelCleared;
  int menuChoice;
  Sprite* statusLine1;
  Sprite* statusLine2;
  int itemsPlaced;
  int itemsTotal;
  int itemsTaken;
  int scoreTail;
  KeywordMap* config;
  uint32_t fireballSerials[kFireballSlots];  // serials of the fireball sprites
  LevelIntro intro;                          // StartLevelIntro fills it anew at the first frame of each intro
};

// Zeroed and copied whole: it must stay a plain record.
static_assert(std::is_trivially_copyable_v<GameState> && std::is_standard_layout_v<GameState>);

// The sprite of fireball slot i while it is still that fireball's; null for
// a free slot (never filled, or its sprite ran out of life).
inline Sprite* LiveFireball(const GameState* game, int i) {
  return SpriteStillOwned(game->fireballs[i], game->fireballSerials[i]) ? game->fireballs[i] : nullptr;
}

// 1 when an item (the key and door too) still owns the sprite it was given.
inline int ItemOwnsSprite(const Item* item) { return SpriteStillOwned(item->sprite, item->spriteSerial); }

// The static game record the program runs on.
GameState* TheGameState();
