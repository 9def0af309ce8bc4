#include <cstdint>

#include "game/enemy_anim.h"
#include "game/enemy_behaviours.h"
#include "game/enemy_kinds.h"
#include "game/enemy_table.h"
#include "game/grid.h"
#include "game/magic.h"
#include "graphics/sprite_update.h"

namespace {

constexpr int kGravity = 1024;
constexpr int kFallLimit = 12288;
constexpr int kAttackPause = 32;
constexpr int kWallPause = 12;  // frames a walker, brawler or gunner waits after turning at a wall
constexpr int kTurnPause = 24;  // frames a charger, or one turning at an edge, waits
constexpr int kAttackCooldown = 140;
constexpr int kStunTime = 200;
constexpr int kMagicReach = 42;  // pixels from a cell within which an enemy blocks magic there

// Distance in pixels between two Fixed12 values.
int PixelDistance(Fixed12 a, Fixed12 b) {
  return static_cast<int>((static_cast<int64_t>(a) - static_cast<int64_t>(b)) >> 12);
}

void WalkInDirection(Enemy* enemy) {
  if (enemy->dir == DirRight) enemy->sprite->vx = enemy->speed * 16;
  if (enemy->dir == DirLeft) enemy->sprite->vx = -(enemy->speed * 16);
}

// A charger breaking through a block: its break steps follow the walk.
void ChargeThrough(System* sys, Enemy* enemy, int column, int row, int first, int hold) {
  Sprite* s = enemy->sprite;
  AddSpriteAnimStep(s, first, 4, AnimLoop);
  AddSpriteAnimStep(s, first + 1, 12, AnimLoop);
  AddSpriteAnimStep(s, hold, 12, AnimStop);
  BreakBlock(sys, column, row);
}

// Returns 1 when the enemy attacked and its frame is over.
int LookForPlayer(System* sys, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  const Sprite* target = sys->game->player.sprite;
  const Fixed12 px = target ? target->x : sys->game->player.x;
  const Fixed12 py = target ? target->y : sys->game->player.y;
  int dx, dy;
  if (enemy->dir == DirRight) {
    dx = PixelDistance(px, s->x);
    dy = PixelDistance(py, s->y);
  } else if (enemy->dir == DirLeft) {
    dx = PixelDistance(s->x, px);
    dy = PixelDistance(s->y, py);
  } else {
    return 0;
  }
  const bool level = dy >= -48 && dy <= 48;
  switch (EnemyKindOf(enemy->type).lookout) {
    case LookStrike:
      if (dx >= 1 && dx <= 48 && level && s->vx != 0 && enemy->cooldown == 0) {
        s->vx = 0;
        enemy->wait = kAttackPause;
        SpawnStrike(sys, enemy);
        SetEnemyAttackAnim(sys, enemy);
        enemy->cooldown = kAttackCooldown;
        return 1;
      }
      return 0;
    case LookShoot:
      if (dx >= 1 && level && enemy->cooldown == 0) {
        s->vx = 0;
        enemy->wait = kAttackPause;
        SetEnemyAttackAnim(sys, enemy);
        FireEnemyShot(sys, enemy);
        enemy->cooldown = kAttackCooldown;
      }
      return 0;
    case LookCharge:
      if (dx >= 1 && level && s->vx != 0) {
        if (enemy->alert == 0) {
          enemy->alert = 1;
          SetEnemyAnim(sys, enemy);
        }
        s->vx = enemy->dir == DirRight ? enemy->speed * 32 : -(enemy->speed * 32);
      }
      return 0;
    case LookNothing:
      return 0;
  }
  return 0;
}

enum Side { SideLeft = 0, SideRight = 1 };

// A ground enemy walking into a solid cell on one side, where it stands
// this frame (`f`, taken before it acted): snapped flush, it turns, or
// strikes or charges through a block, as its kind does.
void MeetWall(System* sys, Enemy* enemy, CellProbe* f, Side side) {
  Sprite* s = enemy->sprite;
  const bool right = side == SideRight;
  const int column = right ? f->c + 1 : f->c;
  const int breakable = IsBreakableCell(sys->game, column, f->r);
  const int ahead = right ? DirRight : DirLeft;
  const int back = right ? DirLeft : DirRight;
  s->x = PixelsToFixed(f->c * kCellSize + (right ? kCellInset : kCellFar));
  s->vx = 0;
  const EnemyKind& kind = EnemyKindOf(enemy->type);
  switch (kind.wall) {
    case WallTurnBreaking:
      enemy->wait = kWallPause;
      enemy->dir = back;
      if (right) f->fx = kCellInset;  // only this side takes the snap into the rest of the frame
      if (breakable) BreakBlock(sys, column, f->r);
      break;
    case WallStrikeBlock:
      if (breakable) {
        enemy->wait = kAttackPause;
        enemy->dir = ahead;
        SpawnStrike(sys, enemy);
        SetEnemyAttackAnim(sys, enemy);
      } else {
        enemy->wait = kWallPause;
        enemy->dir = back;
      }
      break;
    case WallChargeThrough:
      enemy->alert = 0;
      enemy->wait = kTurnPause;
      if (breakable) {
        const int first = right ? kind.frameRight : kind.frameLeft;
        enemy->dir = ahead;
        ChargeThrough(sys, enemy, column, f->r, first + kind.breakFrame, first);
      } else {
        enemy->dir = back;
      }
      break;
    case WallTurn:
      enemy->wait = kWallPause;
      enemy->dir = back;
      break;
    case WallStop:
      break;
  }
}

bool TurnsAtEdges(int type) { return EnemyKindOf(type).turnsAtEdges != 0; }

// Returns 0 when the landing destroyed the enemy.
int LandFromFall(System* sys, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  switch (EnemyKindOf(enemy->type).landing) {
    case LandFacePlayer: {
      const Sprite* target = sys->game->player.sprite;
      const Fixed12 px = target ? target->x : sys->game->player.x;
      enemy->dir = s->x > px ? DirLeft : DirRight;
      s->vx = enemy->dir == DirRight ? enemy->speed * 16 : -(enemy->speed * 16);
      SetEnemyAnim(sys, enemy);
      break;
    }
    case LandVanish:
      SpawnPuff(sys, FixedToPixels(s->x), FixedToPixels(s->y));
      RemoveEnemy(sys, enemy);
      return 0;
    case LandStandStill:
      s->vx = 0;
      break;
    case LandWalk:
      s->vx = enemy->dir == DirRight ? enemy->speed * 16 : -(enemy->speed * 16);
      SetEnemyAnim(sys, enemy);
      break;
    case LandKeepGoing:
      break;
  }
  return 1;
}

}  // namespace

void UpdateGroundEnemy(System* sys, Enemy* enemy) {
  GameState* game = sys->game;
  Sprite* s = enemy->sprite;
  CellProbe f = ProbeSprite(s);

  if (enemy->cooldown > 0) enemy->cooldown -= 1;
  if (EnemyKindOf(enemy->type).recoversTo != 0 && enemy->cooldown <= 0) {
    enemy->type = EnemyKindOf(enemy->type).recoversTo;
    SetEnemyAnim(sys, enemy);
  }
  if (enemy->wait > 0) {
    enemy->wait -= 1;
    if (enemy->wait <= 0) {
      WalkInDirection(enemy);
      SetEnemyAnim(sys, enemy);
    }
    return;
  }
  if (enemy->airborne == 0 && LookForPlayer(sys, enemy)) return;

  s->vy += kGravity;
  if (s->vy > kFallLimit) s->vy = kFallLimit;

  if (s->vx < 0 && f.fx <= kCellFar) {
    if (IsSolidCell(game, f.c, f.r)) MeetWall(sys, enemy, &f, SideLeft);
    if (TurnsAtEdges(enemy->type) && f.fx >= kCellHalf + 1 && f.fx <= kCellFar && !IsSolidCell(game, f.c, f.r + 1)) {
      enemy->wait = kTurnPause;
      s->x = PixelsToFixed(f.c * kCellSize + kCellFar);
      if (enemy->cooldown == 0) {
        enemy->dir = DirRight;
        enemy->alert = 0;
      }
      s->vx = 0;
    }
  }
  if (s->vx > 0 && f.fx >= kCellInset) {
    if (IsSolidCell(game, f.c + 1, f.r)) MeetWall(sys, enemy, &f, SideRight);
    if (TurnsAtEdges(enemy->type) && f.fx >= kCellInset && f.fx <= kCellHalf - 1 &&
        !IsSolidCell(game, f.c + 1, f.r + 1)) {
      enemy->wait = kTurnPause;
      s->x = PixelsToFixed(f.c * kCellSize + kCellInset);
      if (enemy->cooldown == 0) enemy->dir = DirLeft;
      s->vx = 0;
      enemy->alert = 0;
    }
  }

  const bool ground = (IsSolidCell(game, f.c, f.r + 1) && f.fx < kCellFar) ||
                      (IsSolidCell(game, f.c + 1, f.r + 1) && f.fx > kCellInset);
  if (ground) {
    s->y = PixelsToFixed(f.r * kCellSize);
    s->vy = 0;
    if (enemy->airborne == 1 && !LandFromFall(sys, enemy)) return;
    enemy->airborne = 0;
  } else {
    s->vx = 0;
    enemy->wait = 0;
    enemy->airborne = 1;
  }
}

int MagicHitsEnemy(System* sys, int column, int row) {
  for (Enemy& enemy : sys->game->enemies) {
    if (enemy.type == 0 || !EnemyOwnsSprite(&enemy)) continue;
    const Sprite* s = enemy.sprite;
    const int nx = FixedToPixels(static_cast<Fixed12>(static_cast<uint32_t>(s->x) + static_cast<uint32_t>(s->vx)));
    const int ny = FixedToPixels(static_cast<Fixed12>(static_cast<uint32_t>(s->y) + static_cast<uint32_t>(s->vy)));
    const int dx = column * kCellSize - nx;
    const int dy = row * kCellSize - ny;
    if (dx < -kMagicReach || dx > kMagicReach || dy < -kMagicReach || dy > kMagicReach) continue;
    if (const int stunned = EnemyKindOf(enemy.type).stunnedType) {
      enemy.type = stunned;
      SetEnemyAnim(sys, &enemy);
      enemy.cooldown = kStunTime;
    }
    return 1;
  }
  return 0;
}
