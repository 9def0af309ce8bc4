// What the passes of a level attempt do, as the search and its report need
// it: the ideas a pass uses (to refuse forbidden ones), the enemies that have
// been on the camera's screen, who ended the attempt and whether it had been
// on screen long enough to be seen coming, and the items taken and changed
// by magic.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/system.h"
#include "game/game_state.h"

// Passes a killer should have been on the camera's screen before it kills,
// for the player to see it coming: a shot or strike counts from when what
// made it was.
inline constexpr int kWarningPasses = kFramesPerSecond / 2;

// Kinds of what a player meets, as bits: enemies by their type, shots and
// strikes by the type of the enemy that made them.
inline constexpr int kShotKinds = 16, kStrikeKinds = 32;
inline uint64_t KindBit(int type, int maker) {
  if (type == EnemySentryStunned) type = EnemySentry;
  if (type == EnemyShot) return 1ull << (kShotKinds + (maker & 15));
  if (type == EnemyStrike) return 1ull << (kStrikeKinds + (maker & 15));
  return 1ull << (type & 15);
}
// "a gunner, a turret's shots" for a set of kinds.
std::string KindList(uint64_t kinds);
// "a turret's shot" for one.
std::string KindName(int type, int maker);
// "chalice" for an item type.
const char* ItemName(int type);

struct Death {
  int killer = 0;  // the enemy's type; 0 for the clock or nothing found
  int maker = 0;   // for a shot or strike, the type that made it
  int column = 0, row = 0;
  int seenFor = 0;  // passes the killer had been on the camera's screen before (0: never)
};

struct ItemChange {
  int pass;  // from the attempt's start
  int column, row, from, to;
};

class PassWatch {
 public:
  // What to look for: the ideas to tell (0: none) and whether to gather the report's facts.
  void Configure(uint32_t ideas, bool report) {
    ideas_ = ideas;
    report_ = report;
  }
  // Takes the state as it stands (after a restore), with the enemies'
  // tracking that goes with it (empty: none of them seen yet).
  void Reset(const System* sys, const std::vector<uint8_t>& tracking, int pass);
  void SaveTracking(std::vector<uint8_t>* out) const;

  void Before(const System* sys, uint8_t input);
  void After(const System* sys);
  void Heard(int sound);

  uint32_t ideasUsed = 0;  // in all passes since Reset (of the configured ideas; all of them in a report)
  bool died = false;       // the last pass started the player's death
  Death death;             // then, who caused it
  // The report's facts since Reset.
  uint64_t kindsMet = 0;
  std::array<int, 19> taken{};  // by item type
  std::vector<ItemChange> changes;
  std::array<int, 6> ideaCounts{};  // passes that used each idea, in kIdeaNames order

 private:
  struct Tracked {
    uint32_t serial;  // the enemy's sprite serial when first tracked (0: a free slot)
    uint32_t seenAt;  // the scene's frame it was first on screen, plus 1 (0: never)
    uint8_t type, maker;
  };
  void Track(const System* sys);
  void Refresh(const GameState* g);
  bool FindKiller(const System* sys, const Tracked* before);

  uint32_t ideas_ = 0;
  bool report_ = false;
  int pass_ = 0;
  uint32_t heard_ = 0;  // sounds of this pass, by bit (slot - 10)
  int magic_ = 0, dying_ = 0;
  std::vector<int> sentries_;  // sentries before a pass with Z held
  std::array<Tracked, kEnemySlots> tracked_{};
  int used_ = kEnemySlots;                              // no enemy slot at or past this was live at the last look
  std::array<uint8_t, kGridSize * kGridSize> codes_{};  // tile codes as last refreshed
  std::array<uint8_t, kItemSlots> items_{};             // item types as last refreshed
};
