// The settings and score files when Media/data/ is missing, refuses new
// files, or sits on a full disk: the game goes on through its real start,
// end and name-entry paths, prints its messages, and keeps what it can: the
// old files whole and this session's values in memory.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "config/keyword_map.h"
#include "engine/game_resources.h"
#include "engine/messages.h"
#include "engine/scene.h"
#include "frontend/high_scores.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "game/game_state.h"
#include "input/input.h"
#include "sound/sound_bank.h"
#include "support/test_system.h"

namespace {

enum class Data { Missing, IsAFile, TempNameTaken, DiskFull };

const char* Name(Data data) {
  switch (data) {
    case Data::Missing:
      return "missing";
    case Data::IsAFile:
      return "a file";
    case Data::TempNameTaken:
      return "temporary name taken";
    case Data::DiskFull:
      return "disk full";
  }
  return "?";
}

constexpr char kOldConfig[] = "#\nlevel\t\t\t\t4\nvolume\t\t\t\t7\n";
constexpr char kOldScores[] = "OLD 500 50 1\nABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\n";

class MediaDataTest : public testing::TestWithParam<Data> {
 protected:
  void SetUp() override {
    clock.Install();
    ASSERT_EQ(getcwd(oldDir, sizeof oldDir), oldDir);
    // The game's own pictures, sounds and maps beside the data folder.
    const std::string media = std::string(oldDir) + "/Media/";
    ASSERT_EQ(mkdir(dir.File("Media").c_str(), 0700), 0);
    for (const char* sub : {"bmp", "wav", "map"})
      ASSERT_EQ(symlink((media + sub).c_str(), dir.File(std::string("Media/") + sub).c_str()), 0);
    const std::string data = dir.File("Media/data");
    switch (GetParam()) {
      case Data::Missing:
        break;
      case Data::IsAFile:
        WriteFile(data, "not a folder");
        break;
      case Data::TempNameTaken:  // as root, permissions never refuse a file
        ASSERT_EQ(mkdir(data.c_str(), 0700), 0);
        ASSERT_EQ(mkdir((data + "/config.tmp").c_str(), 0700), 0);
        ASSERT_EQ(mkdir((data + "/sc.tmp").c_str(), 0700), 0);
        break;
      case Data::DiskFull:  // every write to the temporary files fails with ENOSPC
        ASSERT_EQ(mkdir(data.c_str(), 0700), 0);
        ASSERT_EQ(symlink("/dev/full", (data + "/config.tmp").c_str()), 0);
        ASSERT_EQ(symlink("/dev/full", (data + "/sc.tmp").c_str()), 0);
        break;
    }
    if (HasOldFiles()) {
      WriteFile(data + "/config", kOldConfig);
      WriteFile(data + "/sc", kOldScores);
    }
    ASSERT_EQ(chdir(dir.path().c_str()), 0);
    game = TheGameState();
    std::memset(game, 0, sizeof(GameState));
    sys->game = game;
    SetScoreFilePath(nullptr);
    SetInputSource(sys->input, Source, this);
  }
  void TearDown() override {
    ClearAllScenes(sys.get());
    FakeClock::Uninstall();
    ASSERT_EQ(chdir(oldDir), 0);
  }
  bool HasOldFiles() const { return GetParam() == Data::TempNameTaken || GetParam() == Data::DiskFull; }

  // Confirms the name at once and leaves the ranking at once.
  static uint8_t Source(InputState*, void* context) {
    auto* self = static_cast<MediaDataTest*>(context);
    const uint32_t frame = self->sys->timer.frameCount;
    if (self->sys->updateLayer[2] == UpdateNameEntry) return frame == 5 ? 1u << ButtonC : 0;
    if (self->sys->updateLayer[2] == UpdateRanking) return frame == 5 ? 1u << ButtonZ : 0;
    return 0;
  }

  FakeClock clock;
  TempDir dir;
  char oldDir[4096];
  TestSystem sys;
  GameState* game = nullptr;
};

TEST_P(MediaDataTest, TheSettingsAreReportedKeptInPlayAndTheOldFileStaysWhole) {
  std::string err;
  {
    CapturedStream captured(stderr);
    LoadGameResources(sys.get());
    SetKeyword(game->config, "level", "6");  // a game over this session
    EXPECT_STREQ(GetKeyword(game->config, "level"), "6");
    UnloadGameResources(sys.get());
    err = captured.Text();
  }
  char opened[256], created[256];
  std::snprintf(opened, sizeof opened, msg::MsgConfigOpen, kConfigPath);
  std::snprintf(created, sizeof created, msg::MsgCannotCreate, kConfigPath);
  EXPECT_EQ(err.find(opened) != std::string::npos, !HasOldFiles()) << err;
  EXPECT_NE(err.find(created), std::string::npos) << err;
  if (HasOldFiles()) {
    EXPECT_EQ(ReadFile(kConfigPath), kOldConfig);
  }
}

TEST_P(MediaDataTest, ANewHighScoreIsReportedRankedAndTheOldFileStaysWhole) {
  sys->sound = CreateSoundBank(256);
  game->player.score = 1000;
  game->itemsTotal = 4;
  game->itemsTaken = 2;
  std::string err;
  {
    CapturedStream captured(stderr);
    EnterHighScore(sys.get());
    err = captured.Text();
  }
  DestroySoundBank(sys->sound);
  sys->sound = nullptr;
  EXPECT_NE(err.find(msg::MsgScoreSave), std::string::npos) << err;
  // The ranking shown after the entry holds the result, above the old rows.
  const HighScoreEntry& best = TheHighScores()->rows[0];
  EXPECT_EQ(best.score, 1000);
  EXPECT_EQ(TheHighScores()->rows[1].score, HasOldFiles() ? 500 : 100);
  if (HasOldFiles()) {
    EXPECT_EQ(ReadFile(kScoreFilePath), kOldScores);
  }
}

INSTANTIATE_TEST_SUITE_P(Data, MediaDataTest,
                         testing::Values(Data::Missing, Data::IsAFile, Data::TempNameTaken, Data::DiskFull),
                         [](const testing::TestParamInfo<Data>& info) {
                           std::string name = Name(info.param);
                           for (char& c : name)
                             if (c == ' ') c = '_';
                           return name;
                         });

}  // namespace
