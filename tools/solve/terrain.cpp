#include "solve/terrain.h"

#include <functional>
#include <queue>
#include <utility>
#include <vector>

#include "solve/moves.h"

namespace {

constexpr int kColumnFrames = 32;    // a cell walked at full speed
constexpr int kFallFrames = 16;      // a cell fallen at full speed
constexpr int kClimbFrames = 48;     // a cell climbed: a block made and a jump onto it
constexpr int kBreakFrames = 32;     // a block broken on the way
constexpr size_t kKeptMaps = 20000;  // about 32 MB

int CellOf(const Item& item, bool row) {
  const Sprite* s = item.sprite;
  return s ? (FixedToPixels(row ? s->y : s->x) + kCellSize / 2) / kCellSize : 0;
}

}  // namespace

uint64_t Mix(uint64_t hash, uint64_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
  return hash;
}

uint64_t GridHash(const GameState* g) {
  uint64_t hash = 0;
  for (int c = 0; c < kGridSize; c++)
    for (int r = 0; r < kGridSize; r++)
      hash = Mix(hash, g->tiles[c][r] ? static_cast<uint64_t>(g->tiles[c][r]->frame) : 0);
  return hash;
}

const Terrain::Map& Terrain::To(const GameState* g, uint64_t grid, int column, int row) {
  const uint64_t key = Mix(Mix(grid, static_cast<uint64_t>(column)), static_cast<uint64_t>(row));
  auto found = maps_.find(key);
  if (found != maps_.end()) return found->second;
  if (maps_.size() >= kKeptMaps) maps_.clear();
  Map& map = maps_[key];
  map.fill(-1);
  if (column < 0 || column >= kGridSize || row < 0 || row >= kGridSize) return map;
  auto code = [&](int c, int r) { return g->tiles[c][r] ? g->tiles[c][r]->frame : TileWall; };
  // From the target outwards over reversed moves, nearest first.
  std::priority_queue<std::pair<int, int>, std::vector<std::pair<int, int>>, std::greater<>> open;
  map[column * kGridSize + row] = 0;
  open.push({0, column * kGridSize + row});
  while (!open.empty()) {
    const auto [passes, best] = open.top();
    open.pop();
    if (passes != map[best]) continue;  // reached more cheaply since
    const int bc = best / kGridSize, br = best % kGridSize;
    static const int kSteps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const auto& step : kSteps) {
      const int ac = bc + step[0], ar = br + step[1];  // the cell a move into `best` starts from
      if (ac < 0 || ac >= kGridSize || ar < 0 || ar >= kGridSize || code(ac, ar) == TileWall) continue;
      int cost = step[1] == 0 ? kColumnFrames : step[1] < 0 ? kFallFrames : kClimbFrames;
      const int into = code(bc, br);
      if (into == TileWall) continue;
      if (into == TileBlock || into == TileCracked) cost += kBreakFrames;
      const int i = ac * kGridSize + ar;
      if (map[i] < 0 || passes + cost < map[i]) {
        map[i] = passes + cost;
        open.push({map[i], i});
      }
    }
  }
  return map;
}

int Terrain::Estimate(const GameState* g, uint64_t grid) {
  const Player& p = g->player;
  const int doorC = CellOf(g->door, false), doorR = CellOf(g->door, true);
  const int at = Column(p) * kGridSize + Row(p);
  if (!ItemOwnsSprite(&g->key)) return Or(To(g, grid, doorC, doorR)[at]);
  const int keyC = CellOf(g->key, false), keyR = CellOf(g->key, true);
  const int toKey = Or(To(g, grid, keyC, keyR)[at]);  // one at a time: a new map may drop the others
  return toKey + Or(To(g, grid, doorC, doorR)[keyC * kGridSize + keyR]);
}
