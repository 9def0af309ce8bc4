#include "solve/level_search.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>
#include <queue>
#include <unordered_map>
#include <unordered_set>

#include "engine/frame_timer.h"
#include "engine/scene.h"
#include "game/game_state.h"
#include "game/recording.h"
#include "game/replay.h"
#include "input/input.h"
#include "solve/ideas.h"
#include "solve/moves.h"
#include "solve/snapshot.h"
#include "solve/terrain.h"
#include "solve/workers.h"

namespace {

constexpr int kIntroPasses = 131;  // the world stands still until then
constexpr int kMaxWaits = 3;       // waits in a row that still count as new places
constexpr int kActionCount = static_cast<int>(std::size(kActions));

// How the search ranks places: passes so far, plus a cast's price (a block
// made on a hunch multiplies the places to look at), plus the estimate to
// the door weighted to go for it, plus a price for every place already
// taken from the same cell: where the estimate misleads (a climb it thinks
// easy, a foe it does not see), the search would otherwise try every
// variant of one corner before anything else.
constexpr long kCastPrice = 50;
constexpr long kEstimateWeight = 2;
constexpr long kCrowdPrice = 30;

// Places expanded together, in worker processes; the same on any machine,
// so that the answer is too. Each worker's job is a few moves from one of
// them, small enough for the workers to finish a batch about together.
constexpr int kBatch = 4;
constexpr int kActionsPerJob = 8;
constexpr int kJobsPerPlace = (kActionCount + kActionsPerJob - 1) / kActionsPerJob;

// A trap check looks around the place first (a way back to where the search
// has been is usually a few moves away), then heads for the door as the
// search does: it wants any way on, not the shortest. Each phase has the
// passes it may simulate anew; it walks the places the search already knows
// for nothing.
struct CheckPhase {
  long weight;  // of the estimate against the passes so far
  bool crowd;   // ranked as the search ranks places, casts and crowds too
  long budget;
};
constexpr CheckPhase kCheckPhases[] = {{1, false, 50000}, {3, false, 100000}, {kEstimateWeight, true, 1500000}};

constexpr size_t kSuddenDeathsKept = 20;

// Enemies the map placed; shots, strikes and what spawners make come and go
// by themselves.
bool Placed(int type) {
  return type != 0 && type != EnemyShot && type != EnemyStrike && type != EnemyWalker && type != EnemyBrawler;
}

// Fireballs only ever meet enemies, so the charges count only while there
// are enemies to meet, and only up to two for each enemy or spawner left:
// a way on seldom needs more, and told apart the extra ones would make each
// charge spent in vain a level of its own for the trap checks to solve.
int Charges(const GameState* g) {
  int foes = g->spawnerCount;
  for (const Enemy& enemy : g->enemies) foes += Placed(enemy.type);
  return std::min(g->player.magic, 2 * foes);
}

bool KeyTaken(const GameState* g) { return !ItemOwnsSprite(&g->key); }

// Every pass walks the level's layer up to its high-water mark, which only
// ever rises: brought down to the last slot in use, the walk is shorter and
// nothing else changes (no slot past it is in use either way).
void TrimHighWater(System* sys) {
  for (SpriteList* list : sys->layers)
    while (list->highWater > 0 && !list->sprites[list->highWater - 1].inUse) list->highWater--;
}

// The status lines are text for the player's eyes; nothing plays by them.
// Dropped, they leave the level's layer in use to slot 800 or so instead of
// 1500, and no pass formats them.
void DropStatusLines(System* sys) {
  for (Sprite** line : {&sys->game->statusLine1, &sys->game->statusLine2}) {
    if (*line) FreeSprite(sys->layers[LayerWorld], *line);
    *line = nullptr;
  }
  TrimHighWater(sys);
}

// What the search keeps of a resting place, worked out where it was reached.
struct PlaceFacts {
  // What makes one resting place another: the cell, the way the player
  // faces, the grid, the key, the charges and the enemies the map placed
  // that are left (shots, strikes and spawned enemies come and go by
  // themselves). How many waits led here is added by the search.
  uint64_t key;
  // Where the trap checks see a way on: the cell and the key. A place is as
  // good as one there that leads on with as many charges or fewer, however
  // the blocks lie.
  uint64_t spotKey;
  int charges;
  int column, row;
  int keyTaken;
  int estimate;  // passes still needed, as the terrain tells
};

PlaceFacts FactsOf(const GameState* g, Terrain* terrain) {
  const Player& p = g->player;
  const uint64_t grid = GridHash(g);
  PlaceFacts facts{};
  facts.column = Column(p);
  facts.row = Row(p);
  facts.keyTaken = KeyTaken(g);
  facts.charges = Charges(g);
  facts.estimate = terrain->Estimate(g, grid);
  uint64_t key = Mix(grid, static_cast<uint64_t>(facts.column));
  key = Mix(key, static_cast<uint64_t>(facts.row));
  key = Mix(key, static_cast<uint64_t>(p.facing));
  key = Mix(key, static_cast<uint64_t>(facts.keyTaken));
  key = Mix(key, static_cast<uint64_t>(facts.charges));
  for (int i = 0; i < kEnemySlots; i++)
    if (Placed(g->enemies[i].type)) key = Mix(key, static_cast<uint64_t>(i));
  facts.key = key;
  facts.spotKey =
      Mix(static_cast<uint64_t>(facts.column * kGridSize + facts.row), static_cast<uint64_t>(facts.keyTaken));
  return facts;
}

// Bytes in and out of the workers, in the order they are written.
class Writer {
 public:
  explicit Writer(WorkerBytes* out) : out_(out) {}
  template <typename T>
  void Put(const T& value) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(&value);
    out_->insert(out_->end(), bytes, bytes + sizeof value);
  }
  void PutBytes(const std::vector<uint8_t>& bytes) {
    Put(static_cast<uint64_t>(bytes.size()));
    out_->insert(out_->end(), bytes.begin(), bytes.end());
  }

 private:
  WorkerBytes* out_;
};

class Reader {
 public:
  explicit Reader(const WorkerBytes& in) : in_(in) {}
  template <typename T>
  T Get() {
    T value{};
    if (at_ + sizeof value > in_.size()) {
      bad_ = true;
      return value;
    }
    std::memcpy(&value, in_.data() + at_, sizeof value);
    at_ += sizeof value;
    return value;
  }
  std::vector<uint8_t> GetBytes() {
    const uint64_t size = Get<uint64_t>();
    if (bad_ || size > in_.size() - at_) {
      bad_ = true;
      return {};
    }
    std::vector<uint8_t> bytes(in_.begin() + static_cast<long>(at_), in_.begin() + static_cast<long>(at_ + size));
    at_ += size;
    return bytes;
  }
  bool bad() const { return bad_; }

 private:
  const WorkerBytes& in_;
  size_t at_ = 0;
  bool bad_ = false;
};

// One move tried from a place, as a worker reports it.
struct Move {
  int action;
  Outcome outcome;
  long passes;
  std::vector<uint8_t> inputs;  // through the end of the scene for a clear
  PlaceFacts facts;             // where it rests
  LevelSnapshot snapshot;
  std::vector<uint8_t> tracking;
  Death death;  // how it died
};

struct Edge {
  int place;
  int passes;  // the move's length
};

struct Place {
  PlaceFacts facts;
  uint64_t key;  // facts.key and the waits
  int parent;
  std::vector<uint8_t> inputs;  // from the parent's rest to this one
  long at;                      // passes from the attempt's start
  int waits;
  int casts;               // on the way here
  LevelSnapshot snapshot;  // until the place is expanded
  std::vector<uint8_t> tracking;
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
    run_.forbidden = limits_.forbid;
    run_.watch.Configure(limits_.forbid, false);

    AttemptStart start;
    NewGameAttemptStart(&start, level);
    SetUpReplayAttempt(sys, &start, mapPath);
    ResetFrameTimer(&sys->timer);
    run_.watch.Reset(sys, {}, 0);
    for (int i = 0; i < kIntroPasses; i++) run_.Pass(0);
    const Outcome first = run_.Settle();
    DropStatusLines(sys);
    keeper_ = std::make_unique<SnapshotKeeper>(sys);
    keeper_->Capture(&root_);
    run_.watch.SaveTracking(&rootTracking_);
    const std::vector<uint8_t> intro = run_.inputs;
    while (result_.idlePasses < kIdleWatchPasses && run_.Pass(0) && !run_.player().dying) result_.idlePasses++;
    if (run_.player().dying && run_.watch.death.killer) NoteDeath(run_.watch.death, -1, run_.inputs);
    keeper_->Restore(root_);
    run_.inputs = intro;
    passes_ = run_.passes;
    if (first == Rested) {
      const int workers = limits_.workers > 0 ? limits_.workers : OnlineProcessors();
      if (pool_.Start(workers, [this](const WorkerBytes& job, WorkerBytes* out) { Serve(job, out); }) != 0) {
        result_.failure = pool_.error();
      } else {
        AddRoot();
        Widen();
        result_.places = static_cast<int>(places_.size());
        result_.exhausted = open_.empty() && result_.failure.empty();
        // Without a way to the door every place would count as a trap.
        if (result_.solved && result_.failure.empty()) FindTraps();
      }
      pool_.Stop();
    } else if (first == Cleared) {
      // No map: the player stands on the key and the open door.
      result_.doorPass = static_cast<int>(run_.inputs.size());
      while (run_.Pass(0)) {
      }
      Solved(-1, {});
    }
    result_.passes = passes_;
    if (result_.solved && result_.failure.empty() && !places_.empty()) Report();

    ClearAllScenes(sys);
    SetInputSource(sys->input, savedSource, savedContext);
    SetFrameClock(&saved);
    return result_;
  }

 private:
  static uint32_t InstantTicks(void*) { return 0; }
  static void InstantDelay(void*, uint32_t) {}

  bool OverBudget() const { return passes_ >= limits_.budget; }
  // The trap checks get a budget of their own, as large as the search's.
  bool OverTrapBudget() const { return passes_ >= trapStart_ + limits_.budget; }

  // A worker's job: some of the moves from one place.
  void Serve(const WorkerBytes& job, WorkerBytes* out) {
    Reader in(job);
    const LevelSnapshot snapshot = in.GetBytes();
    const std::vector<uint8_t> tracking = in.GetBytes();
    const int first = in.Get<int32_t>();
    Writer reply(out);
    if (in.bad() || first < 0 || first >= kActionCount || keeper_->Restore(snapshot) != 0) return;
    for (int action = first; action < std::min(first + kActionsPerJob, kActionCount); action++) {
      if (action > first) keeper_->Restore(snapshot);
      run_.watch.Reset(run_.sys(), tracking, 0);
      run_.inputs.clear();
      const long before = run_.passes;
      const Outcome outcome = RunAction(&run_, kActions[action]);
      reply.Put(static_cast<int32_t>(action));
      reply.Put(static_cast<int32_t>(outcome));
      reply.Put(static_cast<int64_t>(run_.passes - before));
      if (outcome == Cleared || outcome == Rested || outcome == Died) reply.PutBytes(run_.inputs);
      if (outcome == Rested) {
        reply.Put(FactsOf(run_.game(), &terrain_));
        TrimHighWater(run_.sys());
        LevelSnapshot captured;
        keeper_->Capture(&captured);
        reply.PutBytes(captured);
        std::vector<uint8_t> tracked;
        run_.watch.SaveTracking(&tracked);
        reply.PutBytes(tracked);
      }
      if (outcome == Died) reply.Put(run_.watch.death);
    }
  }

  // Every move from each place, worked out by the workers: empty after a
  // failure (result_.failure says why).
  std::vector<std::vector<Move>> ExpandAll(const std::vector<int>& ids) {
    std::vector<WorkerBytes> jobs;
    for (int id : ids)
      for (int first = 0; first < kActionCount; first += kActionsPerJob) {
        jobs.emplace_back();
        Writer job(&jobs.back());
        job.PutBytes(places_[id].snapshot);
        job.PutBytes(places_[id].tracking);
        job.Put(static_cast<int32_t>(first));
      }
    std::vector<WorkerBytes> replies;
    if (pool_.Run(jobs, &replies) != 0) {
      result_.failure = pool_.error();
      return {};
    }
    std::vector<std::vector<Move>> moves(ids.size());
    for (size_t job = 0; job < jobs.size(); job++) {
      const size_t i = job / kJobsPerPlace;
      const int first = static_cast<int>(job % kJobsPerPlace) * kActionsPerJob;
      Reader in(replies[job]);
      for (int action = first; action < std::min(first + kActionsPerJob, kActionCount); action++) {
        Move move{};
        move.action = in.Get<int32_t>();
        move.outcome = static_cast<Outcome>(in.Get<int32_t>());
        move.passes = in.Get<int64_t>();
        if (move.outcome == Cleared || move.outcome == Rested || move.outcome == Died) move.inputs = in.GetBytes();
        if (move.outcome == Rested) {
          move.facts = in.Get<PlaceFacts>();
          move.snapshot = in.GetBytes();
          move.tracking = in.GetBytes();
        }
        if (move.outcome == Died) move.death = in.Get<Death>();
        moves[i].push_back(std::move(move));
      }
      if (in.bad()) {
        result_.failure = "a worker's answer was cut short";
        return {};
      }
    }
    return moves;
  }

  // Expands the places that are not yet, together; false after a failure.
  bool Expand(const std::vector<int>& ids) {
    std::vector<int> todo;
    for (int id : ids)
      if (!places_[id].expanded) {
        places_[id].expanded = true;
        todo.push_back(id);
      }
    if (todo.empty()) return true;
    std::vector<std::vector<Move>> moves = ExpandAll(todo);
    if (moves.empty()) return false;
    for (size_t i = 0; i < todo.size(); i++) {
      const int id = todo[i];
      places_[id].snapshot = {};
      places_[id].snapshot.shrink_to_fit();
      for (Move& move : moves[i]) {
        passes_ += move.passes;
        const Action& action = kActions[move.action];
        if (move.outcome == Cleared) {
          Solved(id, move.inputs);
        } else if (move.outcome == Died) {
          places_[id].deadly = true;
          if (move.death.killer) NoteDeath(move.death, id, move.inputs);
        } else if (move.outcome == Rested) {
          const int waits = action.kind == ActWait ? places_[id].waits + 1 : 0;
          const bool cast = action.kind == ActCast || action.kind == ActClimb;
          if (waits <= kMaxWaits) AddPlace(id, waits, places_[id].casts + cast, &move);
        }
      }
    }
    return true;
  }

  // A death by an enemy, after `tail` from the rest of `parent` (-1: from the start).
  void NoteDeath(const Death& death, int parent, const std::vector<uint8_t>& tail) {
    result_.deaths++;
    if (death.seenFor >= kWarningPasses) return;
    (death.seenFor == 0 ? result_.neverSeen : result_.seenLate)++;
    const std::string killer = KindName(death.killer, death.maker);
    std::vector<SuddenDeath>& kept = result_.suddenDeaths;
    for (const SuddenDeath& known : kept)
      if (known.killer == killer && known.column == death.column && known.row == death.row &&
          (known.seenFor == 0) == (death.seenFor == 0))
        return;
    if (death.seenFor > 0 && kept.size() >= kSuddenDeathsKept) return;
    std::vector<uint8_t> inputs = parent >= 0 ? PathTo(parent) : std::vector<uint8_t>();
    inputs.insert(inputs.end(), tail.begin(), tail.end());
    const SuddenDeath sudden{killer, death.seenFor, death.column, death.row, std::move(inputs)};
    // The never seen go first; one of them may push out the last seen late.
    auto at = std::find_if(kept.begin(), kept.end(), [](const SuddenDeath& d) { return d.seenFor > 0; });
    if (death.seenFor == 0) {
      kept.insert(at, sudden);
      if (kept.size() > kSuddenDeathsKept && kept.back().seenFor > 0) kept.pop_back();
    } else {
      kept.push_back(sudden);
    }
  }

  // The place leads to the door; so does every place that leads to it, and
  // every twin (the same cell and key, as many charges or more).
  void MarkGood(int id) {
    std::vector<int> todo = {id};
    while (!todo.empty()) {
      const int next = todo.back();
      todo.pop_back();
      Place& place = places_[next];
      if (place.good) continue;
      place.good = true;
      auto least = goodCharges_.find(place.facts.spotKey);
      if (least == goodCharges_.end() || place.facts.charges < least->second) {
        goodCharges_[place.facts.spotKey] = place.facts.charges;
        for (int twin : twins_[place.facts.spotKey])
          if (places_[twin].facts.charges >= place.facts.charges) todo.push_back(twin);
      }
      todo.insert(todo.end(), place.parents.begin(), place.parents.end());
    }
  }

  void Link(int parent, int child, int passes) {
    places_[parent].children.push_back({child, passes});
    places_[child].parents.push_back(parent);
    if (places_[child].good) MarkGood(parent);
  }

  void AddRoot() {
    Move root{};
    root.facts = FactsOf(run_.game(), &terrain_);
    root.inputs = run_.inputs;
    root.snapshot = root_;
    root.tracking = rootTracking_;
    AddPlace(-1, 0, 0, &root);
  }

  // The move's resting place as a new place (or an edge to a known one).
  void AddPlace(int parent, int waits, int casts, Move* move) {
    const uint64_t key = Mix(move->facts.key, static_cast<uint64_t>(waits));
    const auto found = index_.find(key);
    const int passes = static_cast<int>(move->inputs.size());
    if (found != index_.end()) {
      if (parent >= 0) Link(parent, found->second, passes);
      return;
    }
    const int id = static_cast<int>(places_.size());
    Place place;
    place.facts = move->facts;
    place.key = key;
    place.parent = parent;
    place.inputs = std::move(move->inputs);
    place.at = (parent >= 0 ? places_[parent].at : 0) + passes;
    place.casts = casts;
    place.waits = waits;
    place.snapshot = std::move(move->snapshot);
    place.tracking = std::move(move->tracking);
    places_.push_back(std::move(place));
    index_[key] = id;
    const PlaceFacts& facts = places_[id].facts;
    twins_[facts.spotKey].push_back(id);
    const auto least = goodCharges_.find(facts.spotKey);
    if (least != goodCharges_.end() && least->second <= facts.charges) MarkGood(id);
    if (parent >= 0) Link(parent, id, passes);
    if (!checking_) open_.push({Priority(id), order_++, id});
  }

  int Crowd(int id) const { return places_[id].facts.keyTaken * kGridSize * kGridSize + Cell(id); }
  int Cell(int id) const { return places_[id].facts.column * kGridSize + places_[id].facts.row; }

  long Priority(int id) const {
    const Place& place = places_[id];
    return place.at + kCastPrice * place.casts + kEstimateWeight * place.facts.estimate +
           kCrowdPrice * crowd_[Crowd(id)];
  }

  std::vector<uint8_t> PathTo(int id) const {
    std::vector<int> chain;
    for (int at = id; at >= 0; at = places_[at].parent) chain.push_back(at);
    std::vector<uint8_t> inputs;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it)
      inputs.insert(inputs.end(), places_[*it].inputs.begin(), places_[*it].inputs.end());
    return inputs;
  }

  // The level was cleared by `inputs` from `parent`'s rest (the clearing
  // pass last). The shortest way found is the solution; the passes to the
  // end of the scene, as many after every clear, are added by Report.
  void Solved(int parent, const std::vector<uint8_t>& inputs) {
    if (parent >= 0) MarkGood(parent);
    const size_t length = (parent >= 0 ? places_[parent].at : run_.inputs.size()) + inputs.size();
    if (result_.solved && length >= result_.solution.size()) return;
    std::vector<uint8_t> solution = parent >= 0 ? PathTo(parent) : run_.inputs;
    solution.insert(solution.end(), inputs.begin(), inputs.end());
    result_.solved = true;
    result_.solution = std::move(solution);
  }

  // Best first to the door, a batch at a time, then on through the places
  // the search has seen until none is left or a limit is reached.
  void Widen() {
    while (!open_.empty() && !OverBudget() && result_.failure.empty()) {
      if (result_.solved && static_cast<int>(places_.size()) >= limits_.maxPlaces) return;
      std::vector<int> batch;
      while (!open_.empty() && static_cast<int>(batch.size()) < kBatch) {
        const Open top = open_.top();
        open_.pop();
        // The crowd of its cell may have grown since it was queued.
        const long now = Priority(top.place);
        if (now > top.priority && !open_.empty() && now > open_.top().priority) {
          open_.push({now, top.order, top.place});
          continue;
        }
        crowd_[Crowd(top.place)]++;
        batch.push_back(top.place);
      }
      if (!Expand(batch)) return;
    }
  }

  enum Check { Linked, Trapped, Doomed, Unproven };

  // A search of its own from a place no known way leads on from, to any
  // place known to lead on. It goes over the places the search has already
  // expanded by their known moves and expands the others, a batch at a
  // time, so every check builds on the ones before it. When every place it
  // can reach has been expanded and none leads on, the place is a trap,
  // unless an enemy can end the attempt there: then it is only doomed.
  Check LinksOn(int id) {
    for (const CheckPhase& phase : kCheckPhases) {
      const Check check = LinksOn(id, phase);
      if (check != Unproven) return check;
    }
    return Unproven;
  }

  Check LinksOn(int id, const CheckPhase& phase) {
    bool deadly = false;
    const long stop = passes_ + phase.budget;
    std::unordered_map<int, long> reached = {{id, 0}};  // passes from the checked place
    std::array<int, 2 * kGridSize * kGridSize> crowd{};
    auto rank = [&](int place, long passes) {
      const Place& p = places_[place];
      long priority = passes + phase.weight * p.facts.estimate;
      if (phase.crowd) priority += kCastPrice * (p.casts - places_[id].casts) + kCrowdPrice * crowd[Crowd(place)];
      return priority;
    };
    std::priority_queue<Open> open;
    open.push({rank(id, 0), order_++, id});
    int batchSize = 1;
    while (!open.empty()) {
      if (passes_ >= stop || OverTrapBudget() || !result_.failure.empty()) return Unproven;
      // A check mostly ends within a move or two: the batches start small.
      std::vector<int> batch;
      while (!open.empty() && static_cast<int>(batch.size()) < batchSize) {
        const Open top = open.top();
        open.pop();
        const long now = rank(top.place, reached[top.place]);
        if (now > top.priority && !open.empty() && now > open.top().priority) {
          open.push({now, top.order, top.place});
          continue;
        }
        crowd[Crowd(top.place)]++;
        batch.push_back(top.place);
      }
      batchSize = std::min(2 * batchSize, kBatch);
      for (int next : batch)
        if (places_[next].good) return Linked;
      if (!Expand(batch)) return Unproven;
      for (int next : batch) {
        if (places_[next].good) return Linked;
        deadly = deadly || places_[next].deadly;
        for (const Edge& edge : places_[next].children) {
          const long passes = reached[next] + edge.passes;
          if (!reached.emplace(edge.place, passes).second) continue;
          open.push({rank(edge.place, passes), order_++, edge.place});
        }
      }
    }
    return deadly ? Doomed : Trapped;
  }

  // Every place the search reached that is not known to lead on gets a check.
  void FindTraps() {
    trapStart_ = passes_;
    checking_ = true;
    const int reached = static_cast<int>(places_.size());
    std::vector<int> trapped;
    std::unordered_map<uint64_t, int> trappedCharges;  // the most charges a trap had, by spot
    for (int id = 0; id < reached && result_.failure.empty(); id++) {
      if (places_[id].good) continue;
      // A place in a trap's cell, with no more charges than there, is in that trap.
      const PlaceFacts& facts = places_[id].facts;
      const auto trap = trappedCharges.find(facts.spotKey);
      if (trap != trappedCharges.end() && facts.charges <= trap->second) {
        trapped.push_back(id);
        continue;
      }
      const Check check = OverTrapBudget() ? Unproven : LinksOn(id);
      if (check == Trapped) {
        trapped.push_back(id);
        int& most = trappedCharges[facts.spotKey];
        most = std::max(most, facts.charges);
      }
      if (check == Unproven) result_.unchecked++;
      if (check == Doomed) result_.doomed++;
    }
    std::unordered_set<uint64_t> reported;
    for (int id : trapped) {
      const PlaceFacts& facts = places_[id].facts;
      if (reported.insert(Mix(facts.spotKey, static_cast<uint64_t>(facts.charges))).second)
        result_.traps.push_back({facts.column, facts.row, PathTo(id)});
    }
    result_.complete = result_.unchecked == 0 && result_.failure.empty();
  }

  // Plays the solution once more from the start, watching everything, for
  // the figures and what it meets.
  void Report() {
    const std::vector<uint8_t>& solution = result_.solution;
    for (size_t i = 0; i < solution.size(); i++) {
      const uint8_t was = i ? solution[i - 1] : 0;
      result_.casts += (solution[i] & kZ) && !(was & kZ);
      result_.fireballs += (solution[i] & kX) && !(was & kX);
      result_.jumps += (solution[i] & kUp) && !(was & kUp);
    }
    System* sys = run_.sys();
    run_.forbidden = 0;
    run_.watch.Configure(0, true);
    keeper_->Restore(root_);
    const size_t intro = places_[0].inputs.size();
    run_.watch.Reset(sys, rootTracking_, static_cast<int>(intro));
    for (size_t i = intro; i < solution.size(); i++) {
      if (!run_.game()->levelCleared) result_.doorPass = static_cast<int>(i + 1);
      if (!run_.Pass(solution[i])) break;
    }
    if (!run_.game()->levelCleared) result_.failure = "the solution does not clear the level when played again";
    for (bool more = true; more && result_.failure.empty();) {
      result_.solution.push_back(0);
      more = run_.Pass(0);
    }
    result_.kindsMet = run_.watch.kindsMet;
    result_.taken = run_.watch.taken;
    result_.changes = run_.watch.changes;
    result_.ideaPasses = run_.watch.ideaCounts;
  }

  Runner run_;
  SearchLimits limits_;
  WorkerPool pool_;
  std::unique_ptr<SnapshotKeeper> keeper_;
  std::vector<Place> places_;
  std::unordered_map<uint64_t, int> index_;
  LevelSnapshot root_;  // the first place
  std::vector<uint8_t> rootTracking_;
  std::unordered_map<uint64_t, int> goodCharges_;         // the fewest charges a good place has, by spot
  std::unordered_map<uint64_t, std::vector<int>> twins_;  // places by spot
  std::array<int, 2 * kGridSize * kGridSize> crowd_{};    // places taken from each cell, by key
  Terrain terrain_;
  std::priority_queue<Open> open_;
  long order_ = 0;
  long passes_ = 0;  // simulated, here and in the workers
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
