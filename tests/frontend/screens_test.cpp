// The front-end screens' rules that the pinned session does not reach:
// their texts, the title's first entry, the name's letters, Escape on every
// screen, and which results get a name entry. They run on the shared
// harness in a game folder of their own, with keys held on a screen's
// frames.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/scene.h"
#include "frontend/front_state.h"
#include "frontend/high_scores.h"
#include "frontend/interstitials.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "frontend/title_menu.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

namespace {

const char kDefaultFile[] = "ABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\nMNO 60 6 0\n";

class ScreenTest : public testing::Test {
 protected:
  void SetUp() override {
    harness.UseGameFolder();
    *front = FrontState{};
    front->sysBitmaps = game->sysBitmaps;
    front->charBitmaps = game->charBitmaps;
    harness.script = [this]() -> uint8_t {
      const auto found = keys.find({sys->updateLayer[2], sys->timer.frameCount});
      return found == keys.end() ? 0 : found->second;
    };
    harness.watch = [this] {
      entryFrames += sys->updateLayer[2] == UpdateNameEntry;
      rankingFrames += sys->updateLayer[2] == UpdateRanking;
      if (sys->timer.frameCount + 1 == escapeAt) PushKey(SDLK_ESCAPE);
    };
  }
  // Keys held in one frame of the screen known by its layer-2 callback.
  void Hold(SceneCallback screen, uint32_t frame, uint8_t bits) { keys[{screen, frame}] |= bits; }
  // Types on the name-entry screen, then leaves the ranking that follows.
  void Enter() {
    Hold(UpdateRanking, 2, kZ);
    entryFrames = rankingFrames = 0;
    EnterHighScore(sys);
  }

  GameHarness harness;
  System* sys = harness.sys();
  GameState* game = harness.game();
  FrontState* front = TheFrontState();
  std::map<std::pair<SceneCallback, uint32_t>, uint8_t> keys;
  uint32_t escapeAt = 0;  // the frame whose event poll sees Escape, when not 0
  int entryFrames = 0, rankingFrames = 0;
  const std::string scorePath = "Media/data/sc";
};

template <typename Value>
std::string Text(void (*format)(char*, size_t, Value), Value value) {
  char text[64];
  format(text, sizeof text, value);
  return text;
}

TEST(ScreenTexts, NumbersStandInTheirColumns) {
  EXPECT_EQ(Text(FormatLivesText, 3), "x  3");
  EXPECT_EQ(Text(FormatLivesText, 12), "x 12");
  EXPECT_EQ(Text(FormatLeftTime, 4321), "Left Time   4321");
  EXPECT_EQ(Text<const HighScoreEntry&>(FormatRankingRow, {"A C", 123456789, 100, 7}), "A C 100 123456789 07");
  char line[64];
  FormatNameEntryLine(line, sizeof line, 35, 123, 4);
  EXPECT_STREQ(line, "___  35%      12304");
  EXPECT_EQ(ItemPercent(7, 20), 35);
  EXPECT_EQ(ItemPercent(1, 3), 33);
  EXPECT_EQ(ItemPercent(5, 0), 0);
}

TEST_F(ScreenTest, TheTitleStartsOnContinueOnlyForAStoredLevelAboveZero) {
  const std::pair<const char*, int> cases[] = {{"0", MenuStart}, {"abc", MenuStart}, {"3", MenuContinue}};
  Hold(UpdateTitleMenu, 1, kZ);
  for (const auto& [level, expected] : cases) {
    front->storedLevel = level;
    ShowTitleMenu(sys);
    EXPECT_EQ(front->menuChoice, expected) << level;
  }
  front->storedLevel = nullptr;
  ShowTitleMenu(sys);
  EXPECT_EQ(front->menuChoice, MenuStart) << "no stored level at all";
}

TEST_F(ScreenTest, EscapeEndsEveryScreenAtTheEndOfThatFrame) {
  for (void (*show)(System*) : {ShowLivesScreen, ShowLevelClear, ShowGameOver, ShowEnding, ShowRanking}) {
    sys->quit = 0;
    escapeAt = 7;
    show(sys);
    EXPECT_EQ(sys->quit, 1);
    EXPECT_EQ(sys->timer.frameCount, 7u) << "the frame that saw it";
    EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  }
  EXPECT_EQ(ReadFile(scorePath), "") << "the ranking writes no score file";
  // The title keeps the choice it had.
  sys->quit = 0;
  front->menuChoice = MenuRanking;
  Hold(UpdateTitleMenu, 0, kDown);
  ShowTitleMenu(sys);
  EXPECT_EQ(front->menuChoice, MenuRanking);
  EXPECT_TRUE(harness.sounds.empty());
  // A title quit while it closed must not hand its countdown to the next.
  sys->quit = 0;
  keys.clear();
  Hold(UpdateTitleMenu, 0, kZ);
  escapeAt = 10;
  ShowTitleMenu(sys);
  sys->quit = 0;
  escapeAt = 0;
  keys.clear();
  Hold(UpdateTitleMenu, 0, kDown);
  Hold(UpdateTitleMenu, 20, kZ);
  ShowTitleMenu(sys);
  EXPECT_EQ(front->menuChoice, MenuContinue);
  EXPECT_EQ(sys->timer.frameCount, 120u);
  // The name entry saves the table unchanged, or writes the default rows.
  front->score = 123;
  PushKey(SDLK_ESCAPE);  // seen by the entry's first poll
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 2);
  EXPECT_EQ(ReadFile(scorePath), kDefaultFile);
  const std::string table = "ZZZ 900 90 1\nYYY 800 80 0\nXXX 700 70 0\nWWW 600 60 0\nVVV 100 10 0\n";
  WriteFile(scorePath, table);
  Enter();
  EXPECT_EQ(ReadFile(scorePath), table);
}

TEST_F(ScreenTest, LettersCycleThroughTheAlphabetWithOneSharedIndex) {
  struct Case {
    const char* what;
    std::vector<std::pair<uint32_t, uint8_t>> presses;
    const char* name;
  };
  const Case cases[] = {
      {"confirm at once", {}, "___"},
      {"Down three times", {{0, kDown}, {8, kDown}, {16, kDown}}, "C__"},
      {"then Right and Down", {{0, kDown}, {8, kDown}, {16, kDown}, {24, kRight}, {36, kDown}}, "CD_"},
      {"Up at the start", {{0, kUp}}, "9__"},
      {"Down on the third letter", {{0, kRight}, {12, kRight}, {24, kDown}, {32, kDown}, {40, kUp}}, "__9"},
      {"Right stops at the third letter", {{0, kRight}, {12, kRight}, {24, kRight}, {36, kUp}}, "__9"},
      {"Left goes back", {{0, kRight}, {12, kLeft}, {24, kLeft}, {36, kUp}}, "9__"},
      {"input waits for the delay", {{0, kDown}, {7, kDown}, {8, kDown}}, "B__"},
      {"Up then Down in one frame", {{0, kDown}, {8, kUp | kDown}}, "A__"},
  };
  front->score = 123;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    keys.clear();
    std::remove(scorePath.c_str());
    for (const auto& [frame, bits] : c.presses) Hold(UpdateNameEntry, frame, bits);
    Hold(UpdateNameEntry, 60, kC);
    Enter();
    EXPECT_EQ(std::string(TheHighScores()->rows[0].name), c.name);
  }
}

TEST_F(ScreenTest, OnlyAResultThatEntersTheTableGetsTheNameEntryAndItsMusic) {
  std::vector<Uint8> silence(4096);
  sys->sound = CreateSoundBank(256);
  Mix_Chunk* loop = Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size()));
  ASSERT_NE(loop, nullptr);
  sys->sound->chunks[LoopHighScore] = loop;
  front->score = 59;
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 0);
  EXPECT_EQ(sys->sound->loopChannel, -1);
  EXPECT_EQ(ReadFile(scorePath), "") << "no file is written";
  const std::string table = "A 500 5 0\r\nB 400 4 0\r\nC 300 3 0\r\nD 200 2 0\r\nE 124 1 0\r\n";
  WriteFile(scorePath, table);
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 0);
  EXPECT_EQ(ReadFile(scorePath), table);
  front->score = 124;  // equal to the last row is good enough
  front->itemsTaken = 7;
  front->itemsTotal = 20;
  Hold(UpdateNameEntry, 0, kC);
  Enter();
  EXPECT_EQ(ReadFile(scorePath), "A 500 5 0\nB 400 4 0\nC 300 3 0\nD 200 2 0\n___ 124 35 0\n");
  ASSERT_NE(sys->sound->loopChannel, -1);
  EXPECT_EQ(Mix_GetChunk(sys->sound->loopChannel), loop) << "it sounds on through the ranking";
  StopLoop(sys->sound);
  DestroySoundBank(sys->sound);
  sys->sound = nullptr;
}

}  // namespace
