#include "game/enemy_anim.h"

#include "graphics/sprite_update.h"

namespace {

struct Step {
  int frame;
  int ticks;
};

template <int N>
void Play(Sprite* sprite, const Step (&steps)[N], int terminator) {
  ResetSpriteAnim(sprite);
  for (const Step& step : steps) AddSpriteAnimStep(sprite, step.frame, step.ticks, terminator);
}

// A loop of two frames and a one-tick return to the first, as most walkers use.
void WalkLoop(Sprite* sprite, int first, int second, int ticks) {
  const Step steps[] = {{first, ticks}, {second, ticks}, {first, 1}};
  Play(sprite, steps, AnimLoop);
}

// Strike or shot pose: two frames flashing twice, then a held stance.
void Attack(Sprite* sprite, int a, int b, int hold) {
  const Step steps[] = {{a, 3}, {b, 3}, {a, 3}, {b, 3}, {hold, 20}};
  Play(sprite, steps, AnimStop);
}

}  // namespace

void SetEnemyAnim(System*, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  if (!s) return;
  const int dir = enemy->dir;
  switch (enemy->type) {
    case EnemyCrawler:
      WalkLoop(s, 10, 11, 2);
      break;
    case EnemyWalker: {
      if (dir == DirRight) {
        const Step steps[] = {{20, 8}, {21, 8}, {22, 8}, {23, 8}, {23, 1}};
        Play(s, steps, AnimLoop);
      } else if (dir == DirLeft) {
        const Step steps[] = {{23, 8}, {22, 8}, {21, 8}, {20, 8}, {23, 1}};
        Play(s, steps, AnimLoop);
      }
      break;
    }
    case EnemyTurret:
      ResetSpriteAnim(s);
      s->frame = 30 + (dir >= 0 && dir <= 3 ? dir : 0);
      break;
    case EnemyFlyer: {
      if (dir != DirRight && dir != DirLeft) break;
      const int base = dir == DirRight ? 50 : 51;
      const Step steps[] = {{enemy->wait != 0 ? base + 2 : base, 8}};
      Play(s, steps, AnimLoop);
      break;
    }
    case EnemyBrawler:
    case EnemyGuard:
      if (dir == DirRight)
        WalkLoop(s, 60, 61, 8);
      else
        WalkLoop(s, 63, 64, 8);
      break;
    case EnemyCharger: {
      const int b = enemy->alert == 1 ? 2 : 0;
      if (dir == DirRight)
        WalkLoop(s, 70 + b, 71 + b, 12);
      else
        WalkLoop(s, 74 + b, 75 + b, 12);
      break;
    }
    case EnemySentry:
      WalkLoop(s, 80, 81, 8);
      break;
    case EnemyGunner:
      if (dir == DirRight)
        WalkLoop(s, 100, 101, 8);
      else
        WalkLoop(s, 103, 104, 8);
      break;
    case EnemySentryStunned:
      WalkLoop(s, 82, 83, 2);
      break;
    default:  // shots and strikes animate themselves
      break;
  }
}

void SetEnemyAttackAnim(System*, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  if (!s) return;
  const bool left = enemy->dir == DirLeft;
  switch (enemy->type) {
    case EnemyBrawler:
    case EnemyGuard:
      if (left)
        Attack(s, 64, 65, 63);
      else
        Attack(s, 61, 62, 60);
      break;
    case EnemyGunner:
      if (left)
        Attack(s, 103, 105, 103);
      else
        Attack(s, 100, 102, 100);
      break;
    default:
      break;
  }
}
