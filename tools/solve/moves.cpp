#include "solve/moves.h"

#include <cstdlib>

namespace {

constexpr int kStepLimit = 120;  // passes a step may hold its direction
constexpr int kWaitPasses = 60;
constexpr int kFriction = 64;  // speed lost a pass with no direction held

// Where the player would stop, in Fixed12, if no direction were held from now on.
Fixed12 StopsAt(const Player& p) {
  long travel = 0;
  for (int speed = std::abs(p.vx) - kFriction; speed > 0; speed -= kFriction) travel += 16L * speed;
  return p.x + static_cast<Fixed12>(p.vx < 0 ? -travel : travel);
}

// Buttons count only as they go down: one still held from the last cast is
// let go for a pass first.
void LetGo(Runner* run, int button) {
  if (run->sys()->input->held[button]) run->Pass(0);
}

}  // namespace

bool Moving(const GameState* g) {
  if (g->spawnerCount > 0) return true;
  for (const Enemy& enemy : g->enemies)
    if (enemy.type != 0) return true;
  return false;
}

Outcome RunAction(Runner* run, const Action& action) {
  const Player& p = run->player();
  const uint8_t side = action.dir > 0 ? kRight : kLeft;
  switch (action.kind) {
    case ActStep: {
      // Held until letting go would stop the player on the next cell's line.
      const Fixed12 target = PixelsToFixed((Column(p) + action.dir) * kCellSize);
      for (int i = 0; i < kStepLimit; i++) {
        if ((StopsAt(p) - target) * action.dir >= 0) break;
        if (i >= 3 && p.vx == 0) break;   // against a wall
        if (!p.onGround && i > 0) break;  // walked off an edge
        if (!run->Pass(side) || p.dying || run->game()->levelCleared) break;
      }
      return run->Settle();
    }
    case ActTurn:
      if (!run->Pass(p.facing == 0 ? kLeft : kRight)) return run->Settle();
      return run->Settle();
    case ActJump: {
      if (!run->Pass(kUp)) return run->Settle();
      while (p.actionTimer > 0 && !p.dying)
        if (!run->Pass(0)) return run->Settle();
      if (action.dir != 0) {
        for (int i = 0; action.hold < 0 ? i < kSettleLimit : i < action.hold; i++) {
          if (action.hold < 0 && p.onGround) break;
          if (!run->Pass(side) || p.dying || run->game()->levelCleared) break;
        }
      }
      return run->Settle();
    }
    case ActClimb: {
      // A block made in front and a jump onto it: a stair's step in one.
      LetGo(run, ButtonZ);
      if (!run->Pass(kZ)) return run->Settle();
      const Outcome made = run->Settle();
      if (made != Rested) return made;
      return RunAction(run, {ActJump, p.facing == 0 ? 1 : -1, -1, false});
    }
    case ActCast:
    case ActThrow:
      if (action.kind == ActThrow && (p.magic == 0 || !Moving(run->game()))) return Pointless;
      LetGo(run, action.kind == ActCast ? ButtonZ : ButtonX);
      run->Pass(static_cast<uint8_t>((action.kind == ActCast ? kZ : kX) | (action.low ? kDown : 0)));
      return run->Settle();
    case ActWait:
      if (!Moving(run->game())) return Pointless;
      for (int i = 0; i < kWaitPasses; i++)
        if (!run->Pass(0)) break;
      return run->Settle();
  }
  return Pointless;
}
