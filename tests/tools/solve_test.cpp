// The level solver on small maps made for the purpose: a room with a pit of
// magic-proof cells beside the start, a sealed door, rooms that need one
// idea, a room with a turret and a treasure, walkers that drop on the
// start, and a changing item. What it calls a solution must clear the level
// when replayed by the game, and what it calls a trap must hold the player
// in the cell it names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <iterator>

#include "game/recording.h"
#include "game/replay.h"
#include "solve/ideas.h"
#include "solve/level_search.h"
#include "solve/watch.h"
#include "solve/workers.h"
#include "support/game_harness.h"

namespace {

// Walls to row 13; a stone to hop at column 6; the key and door on the floor.
MapSpec FairRoom() {
  MapSpec layout = RoomSpec();
  for (int r = 1; r <= 13; r++) layout.rows[r] = std::string(kGridSize, '#');
  layout.rows[18] = "#.....#............#";
  layout.playerCol = 2, layout.playerRow = 18;
  layout.keyCol = 11, layout.keyRow = 18;
  layout.doorCol = 16, layout.doorRow = 18;
  return layout;
}

// Searches the map already written to the harness's game folder.
SearchResult SolveAgain(GameHarness* harness, long budget = 300000, uint32_t forbid = 0, int workers = 2,
                        int places = 200) {
  SearchLimits limits;
  limits.budget = budget;
  limits.maxPlaces = places;
  limits.forbid = forbid;
  limits.workers = workers;
  return SearchLevel(harness->sys(), 0, nullptr, limits);
}

SearchResult Solve(GameHarness* harness, const MapSpec& layout, long budget = 300000, int places = 200) {
  harness->UseGameFolder();
  harness->WriteMap(1, MapText(layout));
  return SolveAgain(harness, budget, 0, 2, places);
}

ReplayOutcome Replay(GameHarness* harness, std::vector<uint8_t> inputs) {
  Recording recording{kRecordingVersion, {}, inputs.data(), inputs.size()};
  NewGameAttemptStart(&recording.start, 0);
  ReplayOutcome outcome{};
  RunReplay(harness->sys(), &recording, nullptr, &outcome);
  return outcome;
}

int IdeaIndex(uint32_t idea) {
  for (size_t i = 0; i < std::size(kIdeaNames); i++)
    if (kIdeaNames[i].idea == idea) return static_cast<int>(i);
  return -1;
}

TEST(Solve, APitOfMagicProofCellsIsATrapAtItsBottom) {
  GameHarness harness;
  MapSpec layout = FairRoom();
  layout.rows[17] = "####NN##############";
  layout.rows[18] = "####NN##############";
  layout.playerRow = layout.keyRow = layout.doorRow = 16;
  const SearchResult result = Solve(&harness, layout);
  ASSERT_TRUE(result.solved);  // a jump clears the pit
  ASSERT_FALSE(result.traps.empty());
  for (const Trap& trap : result.traps) {
    EXPECT_TRUE(trap.column == 4 || trap.column == 5) << trap.column;
    EXPECT_EQ(trap.row, 18);
    // Led into, the player is still down there long after.
    std::vector<uint8_t> inputs = trap.inputs;
    inputs.resize(inputs.size() + 600, 0);
    const ReplayOutcome outcome = Replay(&harness, inputs);
    EXPECT_EQ(outcome.result, ReplayRanOut);
    EXPECT_EQ(harness.PixelY() / kCellSize, 18);
  }
}

TEST(Solve, ASealedDoorIsReportedUnsolvableWithoutASolution) {
  GameHarness harness;
  MapSpec layout = FairRoom();
  layout.rows[16] = "#..............#####";
  layout.rows[17] = "#..............#...#";
  layout.rows[18] = "#.....#........#...#";
  const SearchResult result = Solve(&harness, layout, 100000);
  EXPECT_FALSE(result.solved);
  EXPECT_TRUE(result.solution.empty());
  EXPECT_TRUE(result.traps.empty());
  EXPECT_GT(result.places, 10);  // it looked
}

// Each room has one way out, and it takes the idea: forbidden, no way is
// found after every place the player can reach has been tried. Allowed, the
// checks prove every place within the search's own small budget.
TEST(Solve, AnIdeaARoomNeedsIsUsedAndForbiddenLeavesNoWay) {
  MapSpec shelf = FairRoom();  // the door on a shelf two cells high: a block to step up
  shelf.rows[17] = "#..............####";
  shelf.rows[18] = "#..............####";
  shelf.rows[17] += "#", shelf.rows[18] += "#";
  shelf.doorCol = 17, shelf.doorRow = 16;
  MapSpec closet = FairRoom();  // the start shut in by a block
  closet.rows[17] = "####...............#";
  closet.rows[18] = "#..B...............#";
  closet.playerCol = 1;
  const struct {
    const char* name;
    MapSpec layout;
    uint32_t idea;
  } cases[] = {{"shelf", shelf, IdeaMake}, {"closet", closet, IdeaBreak}};
  for (const auto& room : cases) {
    SCOPED_TRACE(room.name);
    GameHarness harness;
    const SearchResult free = Solve(&harness, room.layout, 100000);
    ASSERT_TRUE(free.solved);
    EXPECT_TRUE(free.complete);
    EXPECT_TRUE(free.traps.empty());
    EXPECT_GT(free.ideaPasses[IdeaIndex(room.idea)], 0);
    EXPECT_EQ(Replay(&harness, free.solution).result, ReplayCleared);
    const SearchResult forbidden = SolveAgain(&harness, 300000, room.idea);
    EXPECT_FALSE(forbidden.solved);
    EXPECT_TRUE(forbidden.exhausted);
  }
}

// A turret fires across the room high up and a chalice lies on the way:
// the way is the same with one worker and with two, and the report names
// the turret, its shots and the chalice.
TEST(Solve, OneWorkerOrTwoFindTheSameWayAndItsReportNamesWhatItMeets) {
  MapSpec layout = FairRoom();
  layout.enemies = {"3 18 14 0 1"};
  layout.items = {"7 9 18 0"};
  GameHarness harness;
  const SearchResult two = Solve(&harness, layout, 300000, 40);
  const SearchResult one = SolveAgain(&harness, 300000, 0, 1, 40);
  ASSERT_TRUE(one.solved);
  EXPECT_EQ(one.solution, two.solution);
  EXPECT_EQ(one.passes, two.passes);
  EXPECT_EQ(one.places, two.places);
  EXPECT_EQ(one.kindsMet, KindBit(EnemyTurret, 0) | KindBit(EnemyShot, EnemyTurret));
  EXPECT_EQ(one.taken[7], 1);
  EXPECT_EQ(KindList(one.kindsMet), "a turret, a turret's shots");
}

// A walker spawned right over the start falls on a player who waits before
// it can be seen coming; spawned four cells up it is seen long enough.
TEST(Solve, ADeathByAnEnemyNotSeenComingIsReported) {
  for (const int row : {17, 14}) {
    SCOPED_TRACE(row);
    MapSpec layout = FairRoom();
    layout.enemies = {"2 2 " + std::to_string(row) + " 128 0"};
    GameHarness harness;
    const SearchResult result = Solve(&harness, layout, 20000);
    EXPECT_GT(result.deaths, 0);
    EXPECT_EQ(result.neverSeen, 0);
    ASSERT_EQ(result.suddenDeaths.size(), row == 17 ? 1u : 0u);
    if (row != 17) continue;
    const SuddenDeath& death = result.suddenDeaths[0];
    EXPECT_EQ(death.killer, "a walker");
    EXPECT_GT(death.seenFor, 0);
    EXPECT_LT(death.seenFor, kWarningPasses);
    EXPECT_EQ(death.column, 2);
    EXPECT_EQ(death.row, 18);
  }
}

// What the report says of items: a changing one in front of the player
// changes under magic (and is named with its pass), then is taken.
TEST(Solve, TheWatchSeesAnItemChangedByMagicAndThenTaken) {
  GameHarness harness;
  MapSpec layout = FairRoom();
  layout.items = {"9 3 18 0"};
  harness.LoadSpec(layout);
  PassWatch watch;
  watch.Configure(0, true);
  watch.Reset(harness.sys(), {}, 0);
  auto passes = [&](int count, uint8_t input) {
    for (int i = 0; i < count; i++) {
      watch.Before(harness.sys(), input);
      harness.Frame(input);
      watch.After(harness.sys());
    }
  };
  passes(2, 0);
  passes(1, kZ);
  passes(20, 0);
  ASSERT_EQ(watch.changes.size(), 1u);
  EXPECT_EQ(watch.changes[0].pass, 3);
  EXPECT_EQ(watch.changes[0].from, 9);
  EXPECT_EQ(watch.changes[0].to, 13);
  EXPECT_EQ(watch.changes[0].column, 3);
  passes(40, kRight);
  EXPECT_EQ(watch.taken[13], 1);
  EXPECT_EQ(watch.taken[9], 0);
}

TEST(Solve, AWorkerThatDiesEndsTheRunWithTheReason) {
  WorkerPool pool;
  ASSERT_EQ(pool.Start(2,
                       [](const WorkerBytes& job, WorkerBytes* result) {
                         if (job[0] == 7) _exit(7);
                         *result = job;
                       }),
            0);
  std::vector<WorkerBytes> results;
  ASSERT_EQ(pool.Run({{1}, {2}}, &results), 0);
  EXPECT_EQ(results[1], WorkerBytes{2});
  EXPECT_EQ(pool.Run({{3}, {7}, {4}}, &results), -1);
  EXPECT_NE(pool.error().find("exited with status 7"), std::string::npos) << pool.error();
  EXPECT_EQ(pool.count(), 0);
}

}  // namespace
