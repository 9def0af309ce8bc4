#include "game/enemy_anim.h"

#include "base/media_slots.h"
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
      WalkLoop(s, FrameCrawler, FrameCrawler + 1, 2);
      break;
    case EnemyWalker: {
      if (dir == DirRight) {
        const Step steps[] = {
            {FrameWalker, 8}, {FrameWalker + 1, 8}, {FrameWalker + 2, 8}, {FrameWalker + 3, 8}, {FrameWalker + 3, 1}};
        Play(s, steps, AnimLoop);
      } else if (dir == DirLeft) {
        const Step steps[] = {
            {FrameWalker + 3, 8}, {FrameWalker + 2, 8}, {FrameWalker + 1, 8}, {FrameWalker, 8}, {FrameWalker + 3, 1}};
        Play(s, steps, AnimLoop);
      }
      break;
    }
    case EnemyTurret:
      ResetSpriteAnim(s);
      s->frame = FrameTurret + (dir >= 0 && dir <= 3 ? dir : 0);
      break;
    case EnemyFlyer: {
      if (dir != DirRight && dir != DirLeft) break;
      const int base = dir == DirRight ? 0 : 1;
      const Step steps[] = {{(enemy->wait != 0 ? FrameFlyerDazed : FrameFlyer) + base, 8}};
      Play(s, steps, AnimLoop);
      break;
    }
    case EnemyBrawler:
    case EnemyGuard:
      if (dir == DirRight)
        WalkLoop(s, FrameBrawler, FrameBrawler + 1, 8);
      else
        WalkLoop(s, FrameBrawlerLeft, FrameBrawlerLeft + 1, 8);
      break;
    case EnemyCharger: {
      const int b = enemy->alert == 1 ? 2 : 0;
      if (dir == DirRight)
        WalkLoop(s, FrameCharger + b, FrameCharger + 1 + b, 12);
      else
        WalkLoop(s, FrameChargerLeft + b, FrameChargerLeft + 1 + b, 12);
      break;
    }
    case EnemySentry:
      WalkLoop(s, FrameSentry, FrameSentry + 1, 8);
      break;
    case EnemyGunner:
      if (dir == DirRight)
        WalkLoop(s, FrameGunner, FrameGunner + 1, 8);
      else
        WalkLoop(s, FrameGunnerLeft, FrameGunnerLeft + 1, 8);
      break;
    case EnemySentryStunned:
      WalkLoop(s, FrameSentryStunned, FrameSentryStunned + 1, 2);
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
        Attack(s, FrameBrawlerLeft + 1, FrameBrawlerLeft + 2, FrameBrawlerLeft);
      else
        Attack(s, FrameBrawler + 1, FrameBrawler + 2, FrameBrawler);
      break;
    case EnemyGunner:
      if (left)
        Attack(s, FrameGunnerLeft, FrameGunnerLeft + 2, FrameGunnerLeft);
      else
        Attack(s, FrameGunner, FrameGunner + 2, FrameGunner);
      break;
    default:
      break;
  }
}
