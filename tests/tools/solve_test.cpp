// The level solver on small maps made for the purpose: a fair room, a room
// with a pit of magic-proof cells beside the start, and a sealed door. What
// it calls a solution must clear the level when replayed by the game, and
// what it calls a trap must hold the player in the cell it names.
#include <gtest/gtest.h>

#include "game/recording.h"
#include "game/replay.h"
#include "solve/level_search.h"
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

SearchResult Solve(GameHarness* harness, const MapSpec& layout, long budget = 300000) {
  harness->UseGameFolder();
  harness->WriteMap(1, MapText(layout));
  SearchLimits limits;
  limits.budget = budget;
  limits.maxPlaces = 200;
  return SearchLevel(harness->sys(), 0, nullptr, limits);
}

ReplayOutcome Replay(GameHarness* harness, std::vector<uint8_t> inputs) {
  Recording recording{kRecordingVersion, {}, inputs.data(), inputs.size()};
  NewGameAttemptStart(&recording.start, 0);
  ReplayOutcome outcome{};
  RunReplay(harness->sys(), &recording, nullptr, &outcome);
  return outcome;
}

TEST(Solve, AFairRoomIsSolvedWithNoTrapAndTheSolutionClearsIt) {
  GameHarness harness;
  const SearchResult result = Solve(&harness, FairRoom());
  ASSERT_TRUE(result.solved);
  EXPECT_TRUE(result.traps.empty());
  EXPECT_TRUE(result.complete);
  EXPECT_GT(result.jumps, 0);  // the stone is in the way
  EXPECT_EQ(Replay(&harness, result.solution).result, ReplayCleared);
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

}  // namespace
