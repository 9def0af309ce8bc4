#include "solve/level_search.h"

#include <algorithm>
#include <array>
#include <memory>
#include <queue>
#include <unordered_map>
#include <unordered_set>

#include "engine/frame_timer.h"
#include "engine/scene.h"
#include "game/enemy_types.h"
#include "game/game_state.h"
#include "game/recording.h"
#include "game/replay.h"
#include "input/input.h"
#include "solve/moves.h"
#include "solve/snapshot.h"

namespace {

constexpr int kIntroPasses = 131;  // the world stands still until then
constexpr int kMaxWaits = 1;       // waits in a row that still count as new places
constexpr int kColumnFrames = 32;  // a cell walked at full speed, for the estimate
constexpr int kFallFrames = 16;    // a cell fallen at full speed
constexpr int kClimbFrames = 48;   // a cell climbed: a block made and a jump onto it
constexpr int kBreakFrames = 32;   // a block broken on the way

// How the search ranks places: passes so far, plus a cast's price (a block
// made on a hunch multiplies the places to look at), plus the estimate to
// the door weighted to go for it.
constexpr long kCastPrice = 50;
constexpr long kEstimateWeight = 2;

// A trap check looks around the place first (a way back to where the search
// has been is usually a few moves away), then heads for the door: it wants
// any way on, not the shortest. Each phase has the passes it may simulate
// anew; it walks the places the search already knows for nothing.
struct CheckPhase {
  long weight;  // of the estimate against the passes so far
  long budget;
};
constexpr CheckPhase kCheckPhases[] = {{1, 100000}, {3, 200000}, {8, 400000}};

// Fireballs only ever meet enemies, so the charges count only while there
// are enemies to meet, and only up to two for each enemy or spawner left:
// a way on seldom needs more, and told apart the extra ones would make each
// charge spent in vain a level of its own for the trap checks to solve.
int Charges(const GameState* g) {
  int foes = g->spawnerCount;
  for (const Enemy& enemy : g->enemies) foes += enemy.type != 0 && enemy.type != EnemyShot && enemy.type != EnemyStrike;
  return std::min(g->player.magic, 2 * foes);
}

uint64_t Mix(uint64_t hash, uint64_t value) {
  hash ^= value + 0x9e3779b97f4a7c15ull + (hash << 6) + (hash >> 2);
  return hash;
}

// What makes one resting place another: the cell, the way the player
// faces, the grid, the key, the charges, the enemies left, and how many
// waits led here (enemies move meanwhile, which the rest does not show).
uint64_t PlaceKey(const GameState* g, uint64_t grid, int waits) {
  const Player& p = g->player;
  uint64_t hash = Mix(grid, static_cast<uint64_t>(Column(p)));
  hash = Mix(hash, static_cast<uint64_t>(Row(p)));
  hash = Mix(hash, static_cast<uint64_t>(p.facing));
  hash = Mix(hash, ItemOwnsSprite(&g->key) ? 1 : 0);
  hash = Mix(hash, static_cast<uint64_t>(Charges(g)));
  hash = Mix(hash, static_cast<uint64_t>(waits));
  for (int i = 0; i < kEnemySlots; i++)
    if (g->enemies[i].type != 0) hash = Mix(hash, static_cast<uint64_t>(i));
  return hash;
}

// A trap is told by less: the cell, the grid and the key (and the charges,
// kept beside it: more of them are never worse, so a place is as good as
// one that leads on with as many or fewer).
uint64_t SpotKey(const GameState* g, uint64_t grid) {
  const Player& p = g->player;
  const uint64_t hash = Mix(grid, static_cast<uint64_t>(Column(p) * kGridSize + Row(p)));
  return Mix(hash, ItemOwnsSprite(&g->key) ? 1 : 0);
}

// The solution's way on is tried from places in a cell it stood in, with
// the key as it was and facing the same way, whatever the grid: blocks made
// or broken elsewhere seldom matter to it.
uint64_t WayKey(const GameState* g) {
  const Player& p = g->player;
  const uint64_t hash = Mix(static_cast<uint64_t>(Column(p) * kGridSize + Row(p)), ItemOwnsSprite(&g->key) ? 1 : 0);
  return Mix(hash, static_cast<uint64_t>(p.facing));
}

int CellOf(const Item& item, bool row) {
  const Sprite* s = item.sprite;
  return s ? (FixedToPixels(row ? s->y : s->x) + kCellSize / 2) / kCellSize : 0;
}

uint64_t GridHash(const GameState* g) {
  uint64_t hash = 0;
  for (int c = 0; c < kGridSize; c++)
    for (int r = 0; r < kGridSize; r++)
      hash = Mix(hash, g->tiles[c][r] ? static_cast<uint64_t>(g->tiles[c][r]->frame) : 0);
  return hash;
}

// Passes to a cell over the grid as it stands: walking, falling, climbing
// (a step built and jumped onto) and breaking through blocks, never through
// walls. A lower bound in spirit, far closer than a straight line on maps
// whose way leads away from the goal first.
class Terrain {
 public:
  // Passes from every cell to the target cell; -1 where it cannot be reached.
  using Map = std::array<int, kGridSize * kGridSize>;

  const Map& To(const GameState* g, uint64_t grid, int column, int row) {
    const uint64_t key = Mix(Mix(grid, static_cast<uint64_t>(column)), static_cast<uint64_t>(row));
    auto found = maps_.find(key);
    if (found != maps_.end()) return found->second;
    Map& map = maps_[key];
    map.fill(-1);
    if (column < 0 || column >= kGridSize || row < 0 || row >= kGridSize) return map;
    auto code = [&](int c, int r) { return g->tiles[c][r] ? g->tiles[c][r]->frame : TileWall; };
    // From the target outwards over reversed moves; the grid is small enough
    // to pick the nearest open cell by a plain scan.
    std::array<bool, kGridSize * kGridSize> done{};
    map[column * kGridSize + row] = 0;
    for (;;) {
      int best = -1;
      for (int i = 0; i < kGridSize * kGridSize; i++)
        if (!done[i] && map[i] >= 0 && (best < 0 || map[i] < map[best])) best = i;
      if (best < 0) break;
      done[best] = true;
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
        if (!done[i] && (map[i] < 0 || map[best] + cost < map[i])) map[i] = map[best] + cost;
      }
    }
    return map;
  }

  // Passes still needed: to the key while it lies there, then to the door.
  int Estimate(const GameState* g, uint64_t grid) {
    const Player& p = g->player;
    const int doorC = CellOf(g->door, false), doorR = CellOf(g->door, true);
    const int at = Column(p) * kGridSize + Row(p);
    if (!ItemOwnsSprite(&g->key)) return Or(To(g, grid, doorC, doorR)[at]);
    const int keyC = CellOf(g->key, false), keyR = CellOf(g->key, true);
    return Or(To(g, grid, keyC, keyR)[at]) + Or(To(g, grid, doorC, doorR)[keyC * kGridSize + keyR]);
  }

 private:
  static constexpr int kUnreachable = 100000;
  static int Or(int passes) { return passes < 0 ? kUnreachable : passes; }
  std::unordered_map<uint64_t, Map> maps_;
};

struct Edge {
  int place;
  int passes;  // the move's length
};

struct Place {
  uint64_t key;      // PlaceKey
  uint64_t spotKey;  // SpotKey
  uint64_t wayKey;   // WayKey
  int charges;       // Charges
  int parent;
  std::vector<uint8_t> inputs;  // from the parent's rest to this one
  long at;                      // passes from the attempt's start
  long estimate;                // passes still needed, as the terrain tells
  int column, row, waits;
  int casts;                                // on the way here
  std::unique_ptr<LevelSnapshot> snapshot;  // until the place is expanded
  bool expanded = false;
  bool good = false;           // a way to the door is known from here
  bool deadly = false;         // a move from here ends in the player's death
  std::vector<Edge> children;  // places one move away
  std::vector<int> parents;    // places one move before
};

// Open places, best first: the lowest priority, then the oldest.
struct Open {
  long priority;
  long order;
  int place;
  bool operator<(const Open& other) const {
    return priority != other.priority ? priority > other.priority : order > other.order;
  }
};

class Search {
 public:
  Search(System* sys, const SearchLimits& limits) : run_(sys), limits_(limits) {}

  SearchResult Run(int level, const char* mapPath) {
    System* sys = run_.sys();
    const FrameClock saved = CurrentFrameClock();
    const FrameClock instant = {InstantTicks, InstantDelay, nullptr};
    SetFrameClock(&instant);
    InputSource savedSource = sys->input->source;
    void* savedContext = sys->input->sourceContext;
    SetInputSource(sys->input, Runner::Source, &run_);

    AttemptStart start;
    NewGameAttemptStart(&start, level);
    SetUpReplayAttempt(sys, &start, mapPath);
    ResetFrameTimer(&sys->timer);
    for (int i = 0; i < kIntroPasses; i++) run_.Pass(0);
    const Outcome first = run_.Settle();
    keeper_ = std::make_unique<SnapshotKeeper>(sys);
    keeper_->Capture(&root_);
    const std::vector<uint8_t> intro = run_.inputs;
    while (result_.idlePasses < kIdleWatchPasses && run_.Pass(0) && !run_.player().dying) result_.idlePasses++;
    keeper_->Restore(root_);
    run_.inputs = intro;
    if (first == Rested) {
      AddPlace(-1, 0, 0);
      Widen();
      result_.places = static_cast<int>(places_.size());
      // Without a way to the door every place would count as a trap.
      if (result_.solved) FindTraps();
    } else if (first == Cleared) {
      Solved(-1);
    }
    result_.passes = run_.passes;

    ClearAllScenes(sys);
    SetInputSource(sys->input, savedSource, savedContext);
    SetFrameClock(&saved);
    return result_;
  }

 private:
  static uint32_t InstantTicks(void*) { return 0; }
  static void InstantDelay(void*, uint32_t) {}

  bool OverBudget() const { return run_.passes >= limits_.budget; }
  // The trap checks get a budget of their own, as large as the search's.
  bool OverTrapBudget() const { return run_.passes >= trapStart_ + limits_.budget; }

  // The place leads to the door; so does every place that leads to it, and
  // every twin (the same cell, grid, key and charges).
  void MarkGood(int id) {
    std::vector<int> todo = {id};
    while (!todo.empty()) {
      const int next = todo.back();
      todo.pop_back();
      Place& place = places_[next];
      if (place.good) continue;
      place.good = true;
      auto least = goodCharges_.find(place.spotKey);
      if (least == goodCharges_.end() || place.charges < least->second) {
        goodCharges_[place.spotKey] = place.charges;
        for (int twin : twins_[place.spotKey])
          if (places_[twin].charges >= place.charges) todo.push_back(twin);
      }
      todo.insert(todo.end(), place.parents.begin(), place.parents.end());
    }
  }

  void Link(int parent, int child) {
    places_[parent].children.push_back({child, static_cast<int>(run_.inputs.size())});
    places_[child].parents.push_back(parent);
    if (places_[child].good) MarkGood(parent);
  }

  // Takes the state as it stands as a new place (or an edge to a known one).
  void AddPlace(int parent, int waits, int casts) {
    const uint64_t grid = GridHash(run_.game());
    const uint64_t key = PlaceKey(run_.game(), grid, waits);
    const auto found = index_.find(key);
    if (found != index_.end()) {
      if (parent >= 0) Link(parent, found->second);
      return;
    }
    const int id = static_cast<int>(places_.size());
    Place place;
    place.key = key;
    place.spotKey = SpotKey(run_.game(), grid);
    place.wayKey = WayKey(run_.game());
    place.charges = Charges(run_.game());
    place.parent = parent;
    place.inputs = run_.inputs;
    place.at = (parent >= 0 ? places_[parent].at : 0) + static_cast<long>(run_.inputs.size());
    place.estimate = terrain_.Estimate(run_.game(), grid);
    place.casts = casts;
    place.column = Column(run_.player());
    place.row = Row(run_.player());
    place.waits = waits;
    place.snapshot = std::make_unique<LevelSnapshot>();
    keeper_->Capture(place.snapshot.get());
    places_.push_back(std::move(place));
    index_[key] = id;
    twins_[places_[id].spotKey].push_back(id);
    const auto least = goodCharges_.find(places_[id].spotKey);
    if (least != goodCharges_.end() && least->second <= places_[id].charges) MarkGood(id);
    if (parent >= 0) Link(parent, id);
    if (!checking_)
      open_.push({places_[id].at + kCastPrice * casts + kEstimateWeight * places_[id].estimate, order_++, id});
  }

  std::vector<uint8_t> PathTo(int id) const {
    std::vector<int> chain;
    for (int at = id; at >= 0; at = places_[at].parent) chain.push_back(at);
    std::vector<uint8_t> inputs;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
      inputs.insert(inputs.end(), places_[*it].inputs.begin(), places_[*it].inputs.end());
    return inputs;
  }

  // The level was cleared by the inputs since `parent`'s rest (the clearing
  // pass last).
  void Solved(int parent) {
    if (parent >= 0) MarkGood(parent);
    if (result_.solved) return;
    std::vector<uint8_t> inputs = parent >= 0 ? PathTo(parent) : std::vector<uint8_t>();
    inputs.insert(inputs.end(), run_.inputs.begin(), run_.inputs.end());
    result_.solved = true;
    result_.doorPass = static_cast<int>(inputs.size());
    std::vector<int> chain;
    for (int at = parent; at >= 0; at = places_[at].parent) chain.push_back(at);
    size_t offset = 0;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      offset += places_[*it].inputs.size();
      solutionFrom_.emplace(places_[*it].wayKey, offset);
    }
    while (run_.Pass(0)) inputs.push_back(0);
    inputs.push_back(0);  // the pass that ends the scene
    for (size_t i = 0; i < inputs.size(); i++) {
      const uint8_t was = i ? inputs[i - 1] : 0;
      result_.casts += (inputs[i] & kZ) && !(was & kZ);
      result_.fireballs += (inputs[i] & kX) && !(was & kX);
      result_.jumps += (inputs[i] & kUp) && !(was & kUp);
    }
    result_.solution = std::move(inputs);
  }

  void Expand(int id) {
    if (places_[id].expanded) return;
    places_[id].expanded = true;
    const std::unique_ptr<LevelSnapshot> snapshot = std::move(places_[id].snapshot);
    for (const Action& action : kActions) {
      keeper_->Restore(*snapshot);
      run_.inputs.clear();
      const Outcome outcome = RunAction(&run_, action);
      if (outcome == Cleared) {
        Solved(id);
      } else if (outcome == Died) {
        places_[id].deadly = true;
      } else if (outcome == Rested) {
        const int waits = action.kind == ActWait ? places_[id].waits + 1 : 0;
        const bool cast = action.kind == ActCast || action.kind == ActClimb;
        if (waits <= kMaxWaits) AddPlace(id, waits, places_[id].casts + cast);
      }
    }
  }

  // Best first to the door, then on through the places the search has seen
  // until none is left or a limit is reached.
  void Widen() {
    while (!open_.empty() && !OverBudget()) {
      if (result_.solved && static_cast<int>(places_.size()) >= limits_.maxPlaces) return;
      const int id = open_.top().place;
      open_.pop();
      Expand(id);
    }
  }

  enum Check { Linked, Trapped, Doomed, Unproven };

  // A search of its own from a place no known way leads on from, to the door
  // or to any place known to lead there. It goes over the places the search
  // has already expanded by their known moves and expands the others, so
  // every check builds on the ones before it. When every place it can reach
  // has been expanded and none leads on, the place is a trap, unless an
  // enemy can end the attempt there: then it is only deadly.
  Check LinksOn(int id) {
    if (SolutionClearsFrom(id)) return Linked;
    for (const CheckPhase& phase : kCheckPhases) {
      const Check check = LinksOn(id, phase);
      if (check != Unproven) return check;
    }
    return Unproven;
  }

  Check LinksOn(int id, const CheckPhase& phase) {
    bool deadly = false;
    const long stop = run_.passes + phase.budget;
    std::unordered_map<int, long> reached = {{id, 0}};  // passes from the checked place
    std::priority_queue<Open> open;
    open.push({phase.weight * places_[id].estimate, order_++, id});
    while (!open.empty()) {
      if (run_.passes >= stop || OverTrapBudget()) return Unproven;
      const int next = open.top().place;
      open.pop();
      if (places_[next].good || SolutionClearsFrom(next)) return Linked;
      Expand(next);
      if (places_[next].good) return Linked;
      deadly = deadly || places_[next].deadly;
      for (const Edge& edge : places_[next].children) {
        const long passes = reached[next] + edge.passes;
        if (!reached.emplace(edge.place, passes).second) continue;
        open.push({passes + phase.weight * places_[edge.place].estimate, order_++, edge.place});
      }
    }
    return deadly ? Doomed : Trapped;
  }

  // Whether the rest of the solution, from where it stood in the same cell
  // facing the same way, clears the level from the place too: the usual
  // case for places that differ from the solution's by a spent charge, a
  // block out of the way or where the enemies are. Tried once a place.
  bool SolutionClearsFrom(int id) {
    const auto from = solutionFrom_.find(places_[id].wayKey);
    if (from == solutionFrom_.end() || !triedSolution_.insert(id).second) return false;
    keeper_->Restore(root_);
    const std::vector<uint8_t> path = PathTo(id);
    for (size_t i = places_[0].inputs.size(); i < path.size(); i++) run_.Pass(path[i]);
    for (size_t i = from->second; i < result_.solution.size(); i++) {
      if (!run_.Pass(result_.solution[i]) || run_.player().dying) return false;
      if (run_.game()->levelCleared) {
        MarkGood(id);
        return true;
      }
    }
    return false;
  }

  // Every place the search reached that is not known to lead on gets a check.
  void FindTraps() {
    trapStart_ = run_.passes;
    checking_ = true;
    const int reached = static_cast<int>(places_.size());
    std::vector<int> trapped;
    for (int id = 0; id < reached; id++) {
      if (places_[id].good) continue;
      const Check check = OverTrapBudget() ? Unproven : LinksOn(id);
      if (check == Trapped) trapped.push_back(id);
      if (check == Unproven) result_.unchecked++;
      if (check == Doomed) result_.doomed++;
    }
    std::unordered_set<uint64_t> reported;
    for (int id : trapped)
      if (reported.insert(Mix(places_[id].spotKey, static_cast<uint64_t>(places_[id].charges))).second)
        result_.traps.push_back({places_[id].column, places_[id].row, PathTo(id)});
    result_.complete = result_.unchecked == 0;
  }

  Runner run_;
  SearchLimits limits_;
  std::unique_ptr<SnapshotKeeper> keeper_;
  std::vector<Place> places_;
  std::unordered_map<uint64_t, int> index_;
  LevelSnapshot root_;                                 // the first place
  std::unordered_map<uint64_t, size_t> solutionFrom_;  // where the solution stands in a cell, by WayKey
  std::unordered_set<int> triedSolution_;
  std::unordered_map<uint64_t, int> goodCharges_;         // the fewest charges a good place has, by SpotKey
  std::unordered_map<uint64_t, std::vector<int>> twins_;  // places by SpotKey
  Terrain terrain_;
  std::priority_queue<Open> open_;
  long order_ = 0;
  long trapStart_ = 0;
  bool checking_ = false;  // places found by the checks are not searched on from
  SearchResult result_;
};

}  // namespace

SearchResult SearchLevel(System* sys, int level, const char* mapPath, const SearchLimits& limits) {
  Search search(sys, limits);
  return search.Run(level, mapPath);
}

std::string ScriptOf(const std::vector<uint8_t>& inputs) {
  const size_t length = FormatInputScript(inputs.data(), inputs.size(), nullptr, 0);
  std::string text(length, '\0');
  FormatInputScript(inputs.data(), inputs.size(), text.data(), length + 1);
  return text;
}
