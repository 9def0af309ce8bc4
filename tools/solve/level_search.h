// A search for a way through a level, played against the real simulation:
// from each resting place (the player standing still, the grid settled) it
// tries short input sequences (step, turn, jump, cast, throw, wait), keeps
// the game state of every new place in a snapshot and goes on from the most
// promising one. It also finds the traps: resting places the player can
// reach and from which no way to the door can be found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/system.h"

inline constexpr int kIdleWatchPasses = 30 * kFramesPerSecond;  // how long a player doing nothing is watched

struct SearchLimits {
  long budget = 12000000;  // simulated passes for the search, and as many again for the trap checks;
                           // the same budget gives the same answer on any machine
  int maxPlaces = 1500;    // resting places the search widens to once the door is found
};

struct Trap {
  int column, row;              // the cell the player stands in there
  std::vector<uint8_t> inputs;  // every pass's input from the start of the attempt into it
};

struct SearchResult {
  bool solved = false;
  std::vector<uint8_t> solution;  // every pass's input, through the end of the clear
  int doorPass = 0;               // the pass in which the player entered the door
  int casts = 0, fireballs = 0, jumps = 0;
  long passes = 0;        // simulated in all
  int places = 0;         // distinct resting places reached
  int unchecked = 0;      // places the trap checks' budget left unproven either way
  int doomed = 0;         // places with no way on where an enemy ends the attempt (no trap: the
                          // player loses a life at once and starts the level again)
  bool complete = false;  // every place reached was proven a way on or a trap
  int idlePasses = 0;     // passes a player who does nothing lives after the intro (kIdleWatchPasses at most)
  std::vector<Trap> traps;
};

// Plays a new game's first attempt at `level` (0-based) on the map file at
// `mapPath` (null: the level's map in sys->game->mapDir), on a headless
// system whose input source and frame clock it takes over while it runs.
SearchResult SearchLevel(System* sys, int level, const char* mapPath, const SearchLimits& limits);

// Inputs as a script the record tool reads.
std::string ScriptOf(const std::vector<uint8_t>& inputs);
