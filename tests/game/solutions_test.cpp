// The recorded solutions of the eight levels: each replays through the real
// level set-up and scene loop and must clear its level in exactly the
// recorded number of passes with the recorded state checksum. A change to the
// rules or to a map that alters play shows up here; when that change is
// meant, record the solution again and say why in the commit.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/recording.h"
#include "game/replay.h"
#include "graphics/bitmap_set.h"
#include "support/test_system.h"

namespace {

struct Solution {
  int level;  // 1-based, as in the file names
  int frames;
  int life;   // left when the door was entered
  int lives;  // three, or four once an extra life was taken
  uint64_t checksum;
};

constexpr Solution kSolutions[] = {
    {1, 1193, 9038, 3, 0x84cc9b1217dc4a53ull}, {2, 1517, 17603, 3, 0x3c7b178a7cc9de1bull},
    {3, 1920, 8311, 3, 0xa208c5eb21c1fc57ull}, {4, 1083, 9148, 3, 0x1d0b46b4619cfc74ull},
    {5, 1756, 8475, 3, 0xc45f5a61db434deeull}, {6, 3026, 7205, 4, 0xc3a56c76a5430af1ull},
    {7, 2954, 7277, 3, 0x1b2c3df32414f369ull}, {8, 3821, 13288, 3, 0x631ff6ee669289aeull},
};

std::string SolutionPath(int level, const char* extension) {
  return "tests/data/solutions/level" + std::to_string(level) + extension;
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::vector<uint8_t> data;
  FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return data;
  uint8_t chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, file)) > 0) data.insert(data.end(), chunk, chunk + n);
  std::fclose(file);
  return data;
}

class SolutionReplay : public ::testing::TestWithParam<Solution> {
 protected:
  void SetUp() override {
    game_ = TheGameState();
    std::memset(game_, 0, sizeof(GameState));
    sys_->game = game_;
    game_->sysBitmaps = CreateBitmapSet(256);
    game_->charBitmaps = CreateBitmapSet(256);
    game_->enemyBitmaps = CreateBitmapSet(256);
    std::snprintf(game_->mapDir, sizeof game_->mapDir, "./Media/map/");
  }
  void TearDown() override {
    DestroyBitmapSet(game_->sysBitmaps);
    DestroyBitmapSet(game_->charBitmaps);
    DestroyBitmapSet(game_->enemyBitmaps);
    std::memset(game_, 0, sizeof(GameState));
  }

  TestSystem sys_;
  GameState* game_ = nullptr;
};

TEST_P(SolutionReplay, ClearsTheLevelAsRecorded) {
  const Solution& s = GetParam();
  const std::vector<uint8_t> data = ReadBytes(SolutionPath(s.level, ".rbr"));
  ASSERT_FALSE(data.empty()) << SolutionPath(s.level, ".rbr");
  Recording recording;
  char error[128] = "";
  ASSERT_EQ(ParseRecording(data.data(), data.size(), &recording, error, sizeof error), 0) << error;
  EXPECT_EQ(recording.start.level, s.level - 1);

  ReplayOutcome outcome{};
  RunReplay(sys_.get(), &recording, nullptr, &outcome);
  FreeRecording(&recording);

  EXPECT_EQ(outcome.result, ReplayCleared) << "level " << s.level;
  EXPECT_EQ(outcome.frames, s.frames) << "level " << s.level;
  EXPECT_EQ(outcome.life, s.life) << "level " << s.level;
  EXPECT_EQ(outcome.lives, s.lives) << "level " << s.level;
  EXPECT_EQ(outcome.checksum, s.checksum) << "level " << s.level << ": checksum " << std::hex << outcome.checksum;
}

TEST_P(SolutionReplay, RecordingIsWhatItsScriptSays) {
  const Solution& s = GetParam();
  const std::vector<uint8_t> script = ReadBytes(SolutionPath(s.level, ".script"));
  ASSERT_FALSE(script.empty()) << SolutionPath(s.level, ".script");
  const std::string text(script.begin(), script.end());
  std::vector<uint8_t> inputs(1 << 16);
  const long count = ParseInputScript(text.c_str(), inputs.data(), inputs.size());
  ASSERT_GT(count, 0);
  inputs.resize(static_cast<size_t>(count));

  const std::vector<uint8_t> data = ReadBytes(SolutionPath(s.level, ".rbr"));
  Recording recording;
  char error[128] = "";
  ASSERT_EQ(ParseRecording(data.data(), data.size(), &recording, error, sizeof error), 0) << error;
  const std::vector<uint8_t> recorded(recording.inputs, recording.inputs + recording.inputCount);
  AttemptStart fresh{};
  NewGameAttemptStart(&fresh, s.level - 1);
  const AttemptStart start = recording.start;
  FreeRecording(&recording);

  EXPECT_EQ(recorded, inputs);
  // A new game's first attempt: three lives, five charges, nothing taken.
  EXPECT_EQ(start.level, fresh.level);
  EXPECT_EQ(start.lives, fresh.lives);
  EXPECT_EQ(start.magic, fresh.magic);
  EXPECT_EQ(start.score, fresh.score);
  EXPECT_EQ(start.itemsPlaced, fresh.itemsPlaced);
  EXPECT_EQ(start.itemCount, fresh.itemCount);
  EXPECT_EQ(start.heldAtStart, fresh.heldAtStart);
  EXPECT_EQ(start.setupInput, fresh.setupInput);
}

INSTANTIATE_TEST_SUITE_P(Levels, SolutionReplay, ::testing::ValuesIn(kSolutions),
                         [](const ::testing::TestParamInfo<Solution>& info) {
                           return "Level" + std::to_string(info.param.level);
                         });

}  // namespace
