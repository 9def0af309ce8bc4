#include "solve/moves.h"

#include <cstdlib>

#include "base/media_slots.h"
#include "solve/ideas.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kStepLimit = 120;  // passes a step may hold its direction
constexpr int kWaitPasses = 60;
constexpr int kFriction = 64;    // speed lost a pass with no direction held
constexpr int kWipeScreen = 16;  // pixels: one wipe square

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

Runner::Runner(System* sys) : sys_(sys) {
  small_ = SDL_CreateRGBSurface(SDL_SWSURFACE, kWipeScreen, kWipeScreen, kScreenDepth, 0, 0, 0, 0);
  SetSoundObserver(Heard, this);
}

Runner::~Runner() {
  SetSoundObserver(nullptr, nullptr);
  if (small_) SDL_FreeSurface(small_);
}

bool Runner::NearOpenDoor() const {
  const Sprite* door = game()->door.sprite;
  if (!ItemOwnsSprite(&game()->door) || door->frame != FrameDoorOpen) return false;
  return std::abs(FixedToPixels(door->x - player().x)) <= 2 * kCellSize &&
         std::abs(FixedToPixels(door->y - player().y)) <= 2 * kCellSize;
}

bool Runner::Pass(uint8_t input) {
  input_ = input;
  inputs.push_back(input);
  passes++;
  watch.Before(sys_, input);
  // Entering the door covers the screen with a wipe of a square every 16
  // pixels, each found by a search from the same slot: on a screen of 640 x
  // 480 that pass alone costs as much as hundreds of others. Nothing the
  // player does depends on the screen's size (only the camera and the wipe
  // do, and the camera is set anew every pass), so near the open door the
  // pass runs on a small one.
  SDL_Surface* screen = sys_->screen;
  if (small_ && NearOpenDoor()) sys_->screen = small_;
  const bool ended = StepScene(sys_) != 0;
  sys_->screen = screen;
  watch.After(sys_);
  if (watch.ideasUsed & forbidden) refused = true;
  return !ended && !refused;
}

bool Moving(const GameState* g) {
  if (g->spawnerCount > 0) return true;
  for (const Enemy& enemy : g->enemies)
    if (enemy.type != 0) return true;
  return false;
}

namespace {

Outcome Play(Runner* run, const Action& action) {
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
      return Play(run, {ActJump, p.facing == 0 ? 1 : -1, -1, false});
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

}  // namespace

Outcome RunAction(Runner* run, const Action& action) {
  const uint32_t ideas = run->forbidden;
  // Moves that always use a forbidden idea are not tried at all.
  if (((ideas & IdeaFire) && action.kind == ActThrow) || ((ideas & IdeaLow) && action.kind == ActCast && action.low) ||
      ((ideas & IdeaMake) && action.kind == ActClimb))
    return Forbidden;
  run->refused = false;
  const Outcome outcome = Play(run, action);
  return run->refused ? Forbidden : outcome;
}
