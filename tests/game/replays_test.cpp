// Every committed recording replays pass for pass as it was recorded: the
// fingerprint of the whole game state after each pass (player, grid, enemies,
// items, fireballs, every sprite's frame and place, the sounds) must match
// the list beside it. The solutions are also their scripts, start a new game
// and clear their levels. The shipped levels' solutions come from the
// solver; the retired first levels, with every kind of enemy in them, keep
// their solutions and explorations as goldens of the rules. When a change to
// the rules or a map is meant, write the lists again with `replay --hashes`
// (see the README) and say why in the commit.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "game/recording.h"
#include "game/replay.h"
#include "game/state_hash.h"
#include "support/game_harness.h"

namespace {

namespace fs = std::filesystem;

constexpr char kRetiredMaps[] = "tests/data/retired/maps/";

TEST(Replays, EveryRecordingReplaysToItsCommittedFingerprints) {
  std::vector<fs::path> recordings;
  for (const char* dir : {"tests/data/solutions", "tests/data/retired/solutions", "tests/data/retired/explore"})
    for (const auto& entry : fs::directory_iterator(dir))
      if (entry.path().extension() == ".rbr") recordings.push_back(entry.path());
  std::sort(recordings.begin(), recordings.end());
  ASSERT_EQ(recordings.size(), 3u * kLevelCount);
  for (fs::path path : recordings) {
    SCOPED_TRACE(path.string());
    GameHarness harness;
    Recording recording;
    char error[128] = "";
    ASSERT_EQ(LoadRecordingFile(path.c_str(), &recording, error, sizeof error), 0) << error;
    std::vector<uint32_t> hashes;
    const ReplayObserver observer = {
        [](System* sys, int, const int* sounds, int count, void* context) {
          static_cast<std::vector<uint32_t>*>(context)->push_back(PassHash(sys, sounds, count));
        },
        &hashes, 0};
    const bool retired = path.string().find("/retired/") != std::string::npos;
    if (retired) std::snprintf(harness.sys()->game->mapDir, sizeof harness.sys()->game->mapDir, "%s", kRetiredMaps);
    ReplayOutcome outcome{};
    RunReplay(harness.sys(), &recording, &observer, &outcome);

    const std::vector<std::string> expected = ReadLines(path.replace_extension(".hashes"));
    for (size_t pass = 0; pass < std::min(expected.size(), hashes.size()); pass++)
      ASSERT_EQ(std::stoul(expected[pass], nullptr, 16), hashes[pass]) << "the state first differs after pass " << pass;
    EXPECT_EQ(hashes.size(), expected.size()) << "passes replayed";

    if (path.parent_path().filename() == "solutions") {
      std::vector<uint8_t> scripted(1 << 16);
      const long count =
          ParseInputScript(ReadFile(path.replace_extension(".script")).c_str(), scripted.data(), scripted.size());
      ASSERT_GT(count, 0);
      scripted.resize(static_cast<size_t>(count));
      EXPECT_EQ(std::vector<uint8_t>(recording.inputs, recording.inputs + recording.inputCount), scripted);
      // A new game's first attempt: three lives, five charges, nothing taken.
      AttemptStart fresh{};
      NewGameAttemptStart(&fresh, recording.start.level);
      EXPECT_EQ(std::memcmp(&recording.start, &fresh, sizeof fresh), 0);
      EXPECT_EQ(outcome.result, ReplayCleared);
    }
    FreeRecording(&recording);
  }
}

}  // namespace
