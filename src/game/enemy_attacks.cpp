#include "game/enemy_anim.h"
#include "game/enemy_behaviours.h"
#include "game/enemy_table.h"
#include "game/grid.h"
#include "game/magic.h"
#include "game/tile_collision.h"
#include "graphics/sprite_update.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kShotDelay = 12;
constexpr int kShotSpeed = 8192;
constexpr int kStrikeLife = 20;
constexpr int kTurretPeriod = 200;
constexpr int kFlyerPause = 12;
// A flyer counts a wall one pixel later than a walker does: it stops
// overlapping the cell by kFlyerInset pixels.
constexpr int kFlyerInset = kCellInset + 1;
constexpr int kFlyerFar = kCellFar - 1;

// Creates an enemy object in a free slot with a fresh sprite at the maker's
// position; null when the table or the layer is full.
Enemy* NewAttackObject(System* sys, const Enemy* maker, int type) {
  const int slot = FindFreeEnemy(sys);
  if (slot < 0) return nullptr;
  Enemy* object = &sys->game->enemies[slot];
  if (!TakeEnemySprite(sys, object)) return nullptr;
  object->type = type;
  Sprite* sprite = object->sprite;
  sprite->x = maker->sprite->x;
  sprite->y = maker->sprite->y;
  sprite->vx = 0;
  sprite->vy = 0;
  sprite->visible = 1;
  sprite->cameraRelative = 1;
  return object;
}

void ShotHits(System* sys, Enemy* enemy, int column, int row) {
  if (IsBreakableCell(sys->game, column, row)) BreakBlock(sys, column, row);
  if (enemy->type == EnemyShot) RemoveEnemy(sys, enemy);
}

void FlyerHits(System* sys, Enemy* enemy, int column, int row, int newDir) {
  if (IsBreakableCell(sys->game, column, row)) BreakBlock(sys, column, row);
  enemy->wait = kFlyerPause;
  enemy->dir = newDir;
  SetEnemyAnim(sys, enemy);
}

}  // namespace

void FireEnemyShot(System* sys, Enemy* shooter) {
  Enemy* shot = NewAttackObject(sys, shooter, EnemyShot);
  if (!shot) return;
  shot->dir = shooter->dir;
  shot->wait = kShotDelay;
  shot->sprite->frame = FrameGlint;
}

void LaunchEnemyShot(System* sys, Enemy* shot) {
  // A shot aimed in no known direction has nowhere to go.
  if (shot->dir < DirRight || shot->dir > DirUp) {
    RemoveEnemy(sys, shot);
    return;
  }
  const int frameA = FrameShot + 2 * shot->dir;
  Sprite* s = shot->sprite;
  s->vx = DirectionX(shot->dir) * kShotSpeed;
  s->vy = DirectionY(shot->dir) * kShotSpeed;
  ResetSpriteAnim(s);
  AddSpriteAnimStep(s, frameA, 4, AnimLoop);
  AddSpriteAnimStep(s, frameA + 1, 4, AnimLoop);
  AddSpriteAnimStep(s, frameA, 1, AnimLoop);
  PlaySound(sys->sound, SndShot);
}

void UpdateEnemyShot(System* sys, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  if (enemy->wait > 0) {
    enemy->wait -= 1;
    if (enemy->wait != 0) return;
    LaunchEnemyShot(sys, enemy);
  }
  if (s->frame == FrameGlint) return;
  const CellProbe at = ProbeSprite(s);
  const GameState* game = sys->game;
  // A removed shot leaves a reset sprite behind (no velocity), so later
  // tests of this frame can still break a cell but not remove it again.
  if (at.fx <= kCellHalf && IsSolidCell(game, at.c, at.r)) ShotHits(sys, enemy, at.c, at.r);
  if (at.fx >= kCellHalf && IsSolidCell(game, at.c + 1, at.r)) ShotHits(sys, enemy, at.c + 1, at.r);
  if (s->vy < 0 && at.fy <= 38 && IsSolidCell(game, at.c, at.r)) ShotHits(sys, enemy, at.c, at.r);
  if (s->vy > 0 && at.fy >= 10 && IsSolidCell(game, at.c, at.r + 1)) ShotHits(sys, enemy, at.c, at.r + 1);
}

void SpawnStrike(System* sys, Enemy* attacker) {
  // Strikes land beside a brawler or guard facing right or left only.
  if (attacker->dir != DirRight && attacker->dir != DirLeft) return;
  Enemy* strike = NewAttackObject(sys, attacker, EnemyStrike);
  if (!strike) return;
  Sprite* s = strike->sprite;
  s->x += PixelsToFixed(attacker->dir == DirRight ? kCellSize : -kCellSize);
  s->life = kStrikeLife;
  const int a = attacker->dir == DirRight ? FrameStrike : FrameStrikeLeft;
  const int b = a + 1;
  ResetSpriteAnim(s);
  const AnimPair steps[] = {{FrameGlint, 12}, {a, 4}, {b, 4}, {a, 4}, {b, 4}, {a, 4}, {b, 4}, {a, 4}, {a, 1}};
  for (const AnimPair& step : steps) AddSpriteAnimStep(s, step.frame, step.ticks, AnimStop);
  PlaySound(sys->sound, SndShot);
}

void UpdateFlyer(System* sys, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  if (enemy->wait > 0) {
    enemy->wait -= 1;
    if (enemy->wait <= 0) {
      const int pace = enemy->speed * 16;
      if (enemy->dir == DirRight) s->vx = pace;
      if (enemy->dir == DirLeft) s->vx = -pace;
      if (enemy->dir == DirDown) s->vy = pace;
      if (enemy->dir == DirUp) s->vy = -pace;
      SetEnemyAnim(sys, enemy);
    }
    return;
  }
  const CellProbe at = ProbeSprite(s);
  const GameState* game = sys->game;
  // A flyer pressing on a wall creeps a little further after every pause.
  // Once that has taken it into the outer ring there is nothing beyond to
  // test: it stays where it is rather than leave the level.
  if (at.c >= kGridSize - 1 || at.r >= kGridSize - 1 || s->x < 0 || s->y < 0) {
    s->vx = 0;
    s->vy = 0;
    return;
  }
  if (s->vx < 0 && at.fx <= kFlyerFar && IsSolidCell(game, at.c, at.r)) {
    FlyerHits(sys, enemy, at.c, at.r, DirRight);
    s->vx = 0;
  }
  if (s->vx > 0 && at.fx >= kFlyerInset && IsSolidCell(game, at.c + 1, at.r)) {
    FlyerHits(sys, enemy, at.c + 1, at.r, DirLeft);
    s->vx = 0;
  }
  if (s->vy < 0 && at.fy <= kFlyerFar && IsSolidCell(game, at.c, at.r)) {
    FlyerHits(sys, enemy, at.c, at.r, DirUp);
    s->vy = 0;
  }
  if (s->vy > 0 && at.fy >= kFlyerInset && IsSolidCell(game, at.c, at.r + 1)) {
    FlyerHits(sys, enemy, at.c, at.r + 1, DirDown);
    s->vy = 0;
  }
}

void UpdateTurret(System* sys, Enemy* enemy) {
  enemy->wait -= 1;
  if (enemy->wait < 1) {
    enemy->wait = kTurretPeriod;
    FireEnemyShot(sys, enemy);
  }
}

void UpdateCrawler(System* sys, Enemy* enemy) {
  TileTurn(sys, enemy->sprite);
  TileCorner(sys, enemy->sprite);
}
