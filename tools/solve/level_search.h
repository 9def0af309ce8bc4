// A search for a way through a level, played against the real simulation:
// from each resting place (the player standing still, the grid settled) it
// tries short input sequences (step, turn, jump, cast, throw, wait), keeps
// the game state of every new place in a snapshot and goes on from the most
// promising ones, a batch at a time in worker processes. It also finds the
// traps: resting places the player can reach and from which no way on can
// be found; and it reports what the way meets.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/system.h"
#include "solve/watch.h"

inline constexpr int kIdleWatchPasses = 30 * kFramesPerSecond;  // how long a player doing nothing is watched

struct SearchLimits {
  long budget = 12000000;  // simulated passes for the search, and as many again for the trap checks;
                           // the same budget gives the same answer on any machine
  int maxPlaces = 1500;    // resting places the search widens to once the door is found
  int workers = 0;         // worker processes; 0: one per online processor
  uint32_t forbid = 0;     // ideas (Idea bits) no pass of the search may use
};

struct Trap {
  int column, row;              // the cell the player stands in there
  std::vector<uint8_t> inputs;  // every pass's input from the start of the attempt into it
};

// A death the search met, by an enemy, shot or strike that had been on the
// camera's screen for less than half a second (kWarningPasses) before, or
// never, in that attempt; a shot or strike counts from when what made it was.
struct SuddenDeath {
  std::string killer;  // "a turret's shot"
  int seenFor;         // passes it had been on screen before (0: never)
  int column, row;     // the player's cell
  std::vector<uint8_t> inputs;
};

struct SearchResult {
  bool solved = false;
  std::vector<uint8_t> solution;  // every pass's input, through the end of the clear
  int doorPass = 0;               // the pass in which the player entered the door
  int casts = 0, fireballs = 0, jumps = 0;
  long passes = 0;         // simulated in all
  int places = 0;          // distinct resting places reached
  bool exhausted = false;  // every place reached was tried: none leads further (within the budget or not)
  int unchecked = 0;       // places the trap checks' budget left unproven either way
  int doomed = 0;          // places with no way on where an enemy ends the attempt (no trap: the
                           // player loses a life at once and starts the level again)
  bool complete = false;   // every place reached was proven a way on or a trap
  int idlePasses = 0;      // passes a player who does nothing lives after the intro (kIdleWatchPasses at most)
  std::vector<Trap> traps;
  std::string failure;  // why the search could not run (a worker died), else empty

  // What the solution meets, played once more with everything watched.
  uint64_t kindsMet = 0;            // enemies, shots and strikes on the camera's screen (KindBit)
  std::array<int, 19> taken{};      // items taken, by type
  std::vector<ItemChange> changes;  // items changed by magic
  std::array<int, 6> ideaPasses{};  // passes that used each idea, in kIdeaNames order

  int deaths = 0;                         // deaths by an enemy the search met
  int neverSeen = 0;                      // of those, by one never on screen before
  int seenLate = 0;                       // by one on screen less than kWarningPasses before
  std::vector<SuddenDeath> suddenDeaths;  // both kinds, one per killer and cell (the never seen first)
};

// Plays a new game's first attempt at `level` (0-based) on the map file at
// `mapPath` (null: the level's map in sys->game->mapDir), on a headless
// system whose input source, sound observer and frame clock it takes over
// while it runs.
SearchResult SearchLevel(System* sys, int level, const char* mapPath, const SearchLimits& limits);

// Inputs as a script the record tool reads.
std::string ScriptOf(const std::vector<uint8_t>& inputs);
