#include "game/enemy_anim.h"

#include "game/enemy_kinds.h"
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
  const EnemyKind& kind = EnemyKindOf(enemy->type);
  const int dir = enemy->dir;
  const int first = dir == DirRight ? kind.frameRight : kind.frameLeft;
  switch (kind.looks) {
    case LooksFacingLoop:
      WalkLoop(s, first + (enemy->alert == 1 ? kind.alertShift : 0),
               first + 1 + (enemy->alert == 1 ? kind.alertShift : 0), kind.walkTicks);
      break;
    case LooksTurningWalk: {
      const int f = kind.frameRight, t = kind.walkTicks;
      if (dir == DirRight) {
        const Step steps[] = {{f, t}, {f + 1, t}, {f + 2, t}, {f + 3, t}, {f + 3, 1}};
        Play(s, steps, AnimLoop);
      } else if (dir == DirLeft) {
        const Step steps[] = {{f + 3, t}, {f + 2, t}, {f + 1, t}, {f, t}, {f + 3, 1}};
        Play(s, steps, AnimLoop);
      }
      break;
    }
    case LooksAimed:
      ResetSpriteAnim(s);
      s->frame = kind.frameRight + (dir >= 0 && dir <= 3 ? dir : 0);
      break;
    case LooksHovering: {
      if (dir != DirRight && dir != DirLeft) break;
      const Step steps[] = {{first + (enemy->wait != 0 ? kind.alertShift : 0), kind.walkTicks}};
      Play(s, steps, AnimLoop);
      break;
    }
    case LooksOwnAnimation:
      break;
  }
}

void SetEnemyAttackAnim(System*, Enemy* enemy) {
  Sprite* s = enemy->sprite;
  if (!s) return;
  const EnemyKind& kind = EnemyKindOf(enemy->type);
  if (kind.lookout != LookStrike && kind.lookout != LookShoot) return;
  const int first = enemy->dir == DirLeft ? kind.frameLeft : kind.frameRight;
  Attack(s, first + kind.attack[0], first + kind.attack[1], first + kind.attack[2]);
}
