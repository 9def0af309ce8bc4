#include "game/enemy_table.h"

#include <cstring>

#include "game/enemy_anim.h"
#include "game/enemy_kinds.h"
#include "game/magic.h"
#include "graphics/sprite_update.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kSpawnPeriod = 300;
constexpr int kSpawnedLife = 500;

int SpritePixelX(const Sprite* sprite) { return FixedToPixels(sprite->x); }
int SpritePixelY(const Sprite* sprite) { return FixedToPixels(sprite->y); }

void AddSpawner(GameState* game, int type, int column, int row, int speed, int dir) {
  // The table holds 64 spawners; further spawner lines are ignored.
  if (game->spawnerCount >= kSpawnerSlots) return;
  EnemySpawner& spawner = game->spawners[game->spawnerCount++];
  spawner.type = type;
  spawner.x = PixelsToFixed(column * kCellSize);
  spawner.y = PixelsToFixed(row * kCellSize);
  spawner.speed = speed;
  spawner.dir = dir;
  spawner.period = kSpawnPeriod;
  spawner.countdown = kSpawnPeriod;
}

void Spawn(System* sys, const EnemySpawner& spawner) {
  const int slot = FindFreeEnemy(sys);
  if (slot < 0) return;
  Enemy* enemy = &sys->game->enemies[slot];
  if (!TakeEnemySprite(sys, enemy)) return;
  enemy->type = spawner.type;
  enemy->wait = 0;
  enemy->speed = spawner.speed;
  enemy->dir = spawner.dir;
  Sprite* sprite = enemy->sprite;
  sprite->x = spawner.x;
  sprite->y = spawner.y;
  sprite->vx = 0;
  sprite->vy = 1;  // one unit down, so it starts to fall
  sprite->visible = 1;
  sprite->cameraRelative = 1;
  sprite->life = kSpawnedLife;
  enemy->airborne = 1;
  SetEnemyAnim(sys, enemy);
}

// Removes an enemy with a visible and audible end: sparks for a fireball
// hit, a puff for a spawned enemy's end of life.
void DestroyEnemy(System* sys, Enemy* enemy, bool sparks) {
  const int px = SpritePixelX(enemy->sprite);
  const int py = SpritePixelY(enemy->sprite);
  if (sparks)
    SpawnSparks(sys, px, py);
  else
    SpawnPuff(sys, px, py);
  RemoveEnemy(sys, enemy);
  PlaySound(sys->sound, SndEnemyDown);
}

}  // namespace

int DirectionX(int dir) { return dir == DirRight ? 1 : dir == DirLeft ? -1 : 0; }
int DirectionY(int dir) { return dir == DirDown ? 1 : dir == DirUp ? -1 : 0; }

int BoxesOverlap(int ax, int ay, int bx, int by) {
  const long dx = static_cast<long>(ax) - bx;
  const long dy = static_cast<long>(ay) - by;
  return dx >= -32 && dx <= 32 && dy >= -32 && dy <= 32;
}

int SentryBoxOverlaps(int ax, int ay, int bx, int by) {
  const long dx = static_cast<long>(ax) - bx;
  const long dy = static_cast<long>(ay) - by;
  return dx >= -37 && dx <= 37 && dy >= -42 && dy <= 42;
}

void ClearEnemies(System* sys) {
  GameState* game = sys->game;
  std::memset(game->enemies, 0, sizeof(game->enemies));
  std::memset(game->spawners, 0, sizeof(game->spawners));
  game->spawnerCount = 0;
}

int FindFreeEnemy(System* sys) {
  for (int i = 0; i < kEnemySlots; i++)
    if (sys->game->enemies[i].type == 0) return i;
  return -1;
}

int TakeEnemySprite(System* sys, Enemy* enemy) {
  GameState* game = sys->game;
  Sprite* sprite = AllocSprite(game->world, game->enemyBitmaps, SlotEnemies);
  if (!sprite) return 0;
  enemy->sprite = sprite;
  enemy->spriteSerial = sprite->serial;
  return 1;
}

void RemoveEnemy(System*, Enemy* enemy) {
  // A sprite already freed, or handed to another object since, is not ours
  // to reset.
  if (EnemyOwnsSprite(enemy)) ResetSprite(enemy->sprite);
  std::memset(enemy, 0, sizeof(Enemy));
}

void AddMapEnemy(System* sys, int type, int column, int row, int speed, int dir) {
  GameState* game = sys->game;
  const int slot = FindFreeEnemy(sys);
  if (slot < 0) return;
  // Type numbers without a behaviour create nothing.
  if (!IsEnemyKind(type)) return;
  const EnemyKind& kind = EnemyKindOf(type);
  if (kind.spawned) {
    AddSpawner(game, type, column, row, speed, dir);
    return;
  }
  Enemy* enemy = &game->enemies[slot];
  if (!TakeEnemySprite(sys, enemy)) return;
  enemy->type = type;
  enemy->dir = dir;
  enemy->speed = speed;
  enemy->cooldown = 0;
  Sprite* sprite = enemy->sprite;
  sprite->frame = FrameGlint;
  sprite->x = PixelsToFixed(column * kCellSize);
  sprite->y = PixelsToFixed(row * kCellSize);
  if (kind.startsStill) {
    sprite->vx = 0;
    sprite->vy = 0;
  } else {
    sprite->vx = speed * 16 * DirectionX(dir);
    sprite->vy = speed * 16 * DirectionY(dir);
  }
  sprite->visible = 1;
  sprite->cameraRelative = 1;
  SetEnemyAnim(sys, enemy);
}

void UpdateSpawners(System* sys) {
  GameState* game = sys->game;
  for (int i = 0; i < game->spawnerCount; i++) {
    EnemySpawner& spawner = game->spawners[i];
    if (spawner.countdown < 1) {
      spawner.countdown = spawner.period;
      SpawnPuff(sys, FixedToPixels(spawner.x), FixedToPixels(spawner.y));
      Spawn(sys, spawner);
    }
    spawner.countdown -= 1;
  }
}

void UpdateEnemies(System* sys) {
  GameState* game = sys->game;
  for (int i = 0; i < kEnemySlots; i++) {
    Enemy* enemy = &game->enemies[i];
    if (enemy->type == 0) continue;
    if (!EnemyOwnsSprite(enemy)) {
      // Its sprite ran out of life (a strike) in the last sprite update.
      std::memset(enemy, 0, sizeof(Enemy));
      continue;
    }
    const EnemyKind& kind = EnemyKindOf(enemy->type);
    if (FireballHitsEnemy(sys, enemy->sprite) && !kind.fireproof) {
      DestroyEnemy(sys, enemy, true);
      continue;
    }
    if (enemy->sprite->frame != FrameGlint && game->player.dying == 0) EnemyTouchesPlayer(sys, enemy);
    if (enemy->sprite->life == 1 && kind.expires) {
      DestroyEnemy(sys, enemy, false);
      continue;
    }
    if (kind.update) kind.update(sys, enemy);
  }
}

int EnemyTouchesPlayer(System* sys, Enemy* enemy) {
  Player* player = &sys->game->player;
  if (player->dying != 0 || player->clearTimer != 0) return 0;
  const EnemyKind& kind = EnemyKindOf(enemy->type);
  if (!kind.touches(SpritePixelX(enemy->sprite), SpritePixelY(enemy->sprite), FixedToPixels(player->x),
                    FixedToPixels(player->y)))
    return 0;
  player->dying = 1;
  player->deathTimer = kDeathFrames;
  return 1;
}

int FireballHitsEnemy(System* sys, Sprite* sprite) {
  GameState* game = sys->game;
  for (int i = 0; i < kFireballSlots; i++) {
    Sprite* fireball = LiveFireball(game, i);
    if (!fireball) continue;
    if (!BoxesOverlap(SpritePixelX(fireball), SpritePixelY(fireball), SpritePixelX(sprite), SpritePixelY(sprite)))
      continue;
    fireball->life = 1;
    return 1;
  }
  return 0;
}

void SpawnPuff(System* sys, int px, int py) {
  GameState* game = sys->game;
  Sprite* puff = AllocSprite(game->world, game->sysBitmaps, SlotSparks);
  if (!puff) return;
  AddSpriteAnimStep(puff, FramePuff, 4, AnimLoop);
  AddSpriteAnimStep(puff, FramePuff + 1, 4, AnimLoop);
  AddSpriteAnimStep(puff, FrameSpark + 1, 1, AnimLoop);
  puff->visible = 1;
  puff->cameraRelative = 1;
  puff->life = 9;
  SetSpritePos(puff, px, py);
}
