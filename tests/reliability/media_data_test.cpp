// The settings and score files when Media/data/ is missing, is a file, or
// holds the old files: the game goes on through its real start, end and
// name-entry paths, prints its messages, and keeps what it can: the files
// saved over the old ones where it may, this session's values in memory
// where it may not.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "base/messages.h"
#include "config/keyword_map.h"
#include "flow/game_resources.h"
#include "frontend/front_state.h"
#include "frontend/high_scores.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "graphics/bitmap_set.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

namespace {

enum class Data { Missing, IsAFile, OldFiles };

constexpr char kOldConfig[] = "#\nlevel\t\t\t\t4\nvolume\t\t\t\t7\n";
constexpr char kOldScores[] = "OLD 500 50 1\nABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\n";

class MediaDataTest : public testing::TestWithParam<Data> {
 protected:
  void SetUp() override {
    harness.UseGameFolder(true);
    ASSERT_EQ(rmdir("Media/data"), 0);
    if (GetParam() == Data::IsAFile) WriteFile("Media/data", "not a folder");
    if (HasOldFiles()) {
      ASSERT_EQ(mkdir("Media/data", 0700), 0);
      WriteFile(kConfigPath, kOldConfig);
      WriteFile(kScoreFilePath, kOldScores);
    }
    sys->game->config = nullptr;  // the game's own start-up makes it
    // Confirms the name at once and leaves the ranking at once.
    harness.script = [this]() -> uint8_t {
      const uint32_t frame = sys->timer.frameCount;
      if (sys->updateLayer[2] == UpdateNameEntry) return frame == 5 ? kC : 0;
      if (sys->updateLayer[2] == UpdateRanking) return frame == 5 ? kZ : 0;
      return 0;
    };
  }
  bool HasOldFiles() const { return GetParam() == Data::OldFiles; }
  bool SavesFail() const { return !HasOldFiles(); }

  GameHarness harness;
  System* sys = harness.sys();
};

TEST_P(MediaDataTest, TheSettingsAreReportedKeptInPlayAndSavedWhereTheyMayBe) {
  for (BitmapSet** set : {&sys->game->sysBitmaps, &sys->game->charBitmaps, &sys->game->enemyBitmaps}) {
    DestroyBitmapSet(*set);  // the game's start-up makes its own
    *set = nullptr;
  }
  const std::string err = OutputOf(stderr, [&] {
    LoadGameResources(sys);
    SetKeyword(sys->game->config, "level", "6");  // a game over this session
    EXPECT_STREQ(GetKeyword(sys->game->config, "level"), "6");
    UnloadGameResources(sys);
  });
  char opened[256], created[256];
  std::snprintf(opened, sizeof opened, msg::MsgConfigOpen, kConfigPath);
  std::snprintf(created, sizeof created, msg::MsgCannotCreate, kConfigPath);
  EXPECT_EQ(err.find(opened) != std::string::npos, !HasOldFiles()) << err;
  EXPECT_EQ(err.find(created) != std::string::npos, SavesFail()) << err;
  if (HasOldFiles()) {
    EXPECT_EQ(ReadFile(kConfigPath), "#\nlevel\t\t\t\t6\nvolume\t\t\t\t7\n");
  }
}

TEST_P(MediaDataTest, ANewHighScoreIsReportedRankedAndSavedWhereItMayBe) {
  FrontState* front = TheFrontState();
  *front = FrontState{};
  front->score = 1000;
  front->itemsTotal = 4;
  front->itemsTaken = 2;
  const std::string err = OutputOf(stderr, [&] { EnterHighScore(sys); });
  EXPECT_EQ(err.find(msg::MsgScoreSave) != std::string::npos, SavesFail()) << err;
  // The ranking shown after the entry holds the result, above the old rows.
  EXPECT_EQ(TheHighScores()->rows[0].score, 1000);
  EXPECT_EQ(TheHighScores()->rows[1].score, HasOldFiles() ? 500 : 100);
  if (HasOldFiles()) {
    // Saved, the result stands first and the old last row drops out.
    const std::string old = kOldScores, scores = ReadFile(kScoreFilePath);
    EXPECT_EQ(scores.substr(scores.find('\n') + 1), old.substr(0, old.find("JKL")));
  }
}

std::string CaseName(const testing::TestParamInfo<Data>& info) {
  static const char* const kNames[] = {"missing", "a_file", "old_files"};
  return kNames[static_cast<int>(info.param)];
}

INSTANTIATE_TEST_SUITE_P(Data, MediaDataTest, testing::Values(Data::Missing, Data::IsAFile, Data::OldFiles), CaseName);

}  // namespace
