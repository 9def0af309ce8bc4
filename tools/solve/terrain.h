// The search's sense of distance: passes still needed to reach the key and
// the door over the grid as it stands, and the hashes that tell grids apart.
#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>

#include "game/game_state.h"

uint64_t Mix(uint64_t hash, uint64_t value);
uint64_t GridHash(const GameState* g);

// Passes to a cell over the grid as it stands: walking, falling, climbing
// (a step built and jumped onto) and breaking through blocks, never through
// walls. A lower bound in spirit, far closer than a straight line on maps
// whose way leads away from the goal first.
class Terrain {
 public:
  // Passes from every cell to the target cell; -1 where it cannot be reached.
  using Map = std::array<int, kGridSize * kGridSize>;

  const Map& To(const GameState* g, uint64_t grid, int column, int row);
  // Passes still needed: to the key while it lies there, then to the door.
  int Estimate(const GameState* g, uint64_t grid);

 private:
  static constexpr int kUnreachable = 100000;
  static int Or(int passes) { return passes < 0 ? kUnreachable : passes; }
  std::unordered_map<uint64_t, Map> maps_;
};
