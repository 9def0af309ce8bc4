// The solver's moves: a level played a pass at a time against the real
// simulation, and the short input sequences the search tries from each
// resting place (a step, a turn, jumps, casts, a climb, a throw, a wait).
#pragma once

#include <cstdint>
#include <vector>

#include "engine/scene.h"
#include "engine/system.h"
#include "game/game_state.h"
#include "input/input.h"
#include "solve/watch.h"

inline constexpr uint8_t kUp = 1u << Up, kDown = 1u << Down, kLeft = 1u << Left, kRight = 1u << Right;
inline constexpr uint8_t kZ = 1u << ButtonZ, kX = 1u << ButtonX;
inline constexpr int kSettleLimit = 300;  // passes an action may take to come to rest

enum ActionKind { ActStep, ActTurn, ActJump, ActCast, ActClimb, ActThrow, ActWait };

struct Action {
  ActionKind kind;
  int dir;   // -1 left, +1 right, 0 none
  int hold;  // jumps: passes the direction is held after take-off; -1 until landing
  bool low;  // casts and throws while crouching
};

inline constexpr Action kActions[] = {
    {ActStep, 1, 0, false},  {ActStep, -1, 0, false},  {ActTurn, 0, 0, false}, {ActJump, 0, 0, false},
    {ActJump, 1, -1, false}, {ActJump, -1, -1, false}, {ActJump, 1, 8, false}, {ActJump, -1, 8, false},
    {ActJump, 1, 16, false}, {ActJump, -1, 16, false}, {ActCast, 0, 0, false}, {ActCast, 0, 0, true},
    {ActClimb, 0, 0, false}, {ActThrow, 0, 0, false},  {ActThrow, 0, 0, true}, {ActWait, 0, 0, false},
};

enum Outcome { Rested, Died, Cleared, Restless, Pointless, Forbidden };

// Plays the level a pass at a time with the inputs it is given, watching
// what each pass does.
class Runner {
 public:
  explicit Runner(System* sys);
  ~Runner();
  Runner(const Runner&) = delete;
  Runner& operator=(const Runner&) = delete;
  System* sys() const { return sys_; }
  GameState* game() const { return sys_->game; }
  const Player& player() const { return sys_->game->player; }

  static uint8_t Source(InputState*, void* context) { return static_cast<Runner*>(context)->input_; }

  // One pass; false once the scene has ended, or once a pass used a forbidden idea.
  bool Pass(uint8_t input);

  bool Resting() const {
    const Player& p = player();
    if (!p.onGround || p.actionTimer != 0 || p.vx != 0 || p.vy != 0 || p.dying || p.clearTimer) return false;
    for (int c = 0; c < kGridSize; c++)
      for (int r = 0; r < kGridSize; r++)
        if (game()->tiles[c][r] && game()->tiles[c][r]->frame == TileChange) return false;
    return true;
  }

  // Inputs `input` until the player rests, dies or clears the level.
  Outcome Settle(uint8_t input = 0) {
    for (int i = 0; i < kSettleLimit; i++) {
      if (game()->levelCleared) return Cleared;
      if (player().dying) return Died;
      if (Resting()) return Rested;
      if (!Pass(input)) return player().dying ? Died : Restless;
    }
    return Restless;
  }

  std::vector<uint8_t> inputs;  // since the caller last cleared them
  long passes = 0;              // in all
  PassWatch watch;
  uint32_t forbidden = 0;  // ideas a pass may not use
  bool refused = false;    // a pass used one since the caller last cleared it

 private:
  static void Heard(int sound, void* context) { static_cast<Runner*>(context)->watch.Heard(sound); }
  bool NearOpenDoor() const;

  System* sys_;
  uint8_t input_ = 0;
  SDL_Surface* small_ = nullptr;  // the screen while a clear may come (see Pass)
};

// The cell the player stands in, by the nearest cell line.
inline int Column(const Player& p) { return (FixedToPixels(p.x) + kCellSize / 2) / kCellSize; }
inline int Row(const Player& p) { return (FixedToPixels(p.y) + kCellSize / 2) / kCellSize; }

// Whether waiting can change anything but the clock: enemies, or spawners
// that make them.
bool Moving(const GameState* g);

// Plays the action from the state as it stands until the player rests, dies
// or clears the level; Pointless when it cannot change anything, Forbidden
// (at once) when a pass uses a forbidden idea.
Outcome RunAction(Runner* run, const Action& action);
