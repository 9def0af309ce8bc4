#include "frontend/name_entry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "frontend/ranking.h"
#include "frontend_fixture.h"
#include "graphics/sprite.h"

namespace {

constexpr int kBackgroundSlot = 1101;
constexpr int kLineSlot = 1501;
constexpr int kBoxSlot = 1502;
const char kDefaultFile[] = "ABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\nMNO 60 6 0\n";

// Where a ten-frame MoveSpriteTo glide from pixel x0 towards x1 stops.
int GlideEnd(int x0, int x1) { return (x0 * 4096 + 10 * ((x1 - x0) * 4096 / 10)) >> 12; }

class NameEntryTest : public FrontendTest {
 protected:
  void SetUp() override {
    FrontendTest::SetUp();
    game->player.score = 123;
    game->itemsTaken = 7;
    game->itemsTotal = 20;
    Watch([this](uint32_t frame) {
      if (sys->updateLayer[2] == UpdateNameEntry) {
        lastEntryFrame = static_cast<int>(frame);
        entryFrames++;
        boxX[frame] = FixedToPixels(Slot(kBoxSlot)->x);
      }
      if (sys->updateLayer[2] == UpdateRanking) rankingFrames++;
    });
  }

  // Types on the name-entry screen, then leaves the ranking that follows.
  void Enter() {
    Hold(UpdateRanking, 2, Bit(ButtonZ));
    lastEntryFrame = -1;
    entryFrames = rankingFrames = 0;
    EnterHighScore(sys.get());
  }
  std::string SavedName(int row) const { return TheHighScores()->rows[row].name; }
  bool ScoreFileExists() const {
    struct stat info;
    return stat(ScorePath().c_str(), &info) == 0;
  }

  int lastEntryFrame = -1;
  int entryFrames = 0;
  int rankingFrames = 0;
  std::map<uint32_t, int> boxX;
};

TEST_F(NameEntryTest, TheLineShowsUnderscoresPercentageAndScoreAndEverythingFadesIn) {
  EXPECT_EQ(ItemPercent(7, 20), 35);
  EXPECT_EQ(ItemPercent(1, 3), 33);
  EXPECT_EQ(ItemPercent(5, 0), 0);
  char line[64];
  FormatNameEntryLine(line, sizeof line, 35, 123, 0);
  EXPECT_STREQ(line, "___  35%      12300");

  std::vector<std::string> layout;
  std::vector<int> alphas;
  Watch([&, inner = watch](uint32_t frame) {
    inner(frame);
    if (frame != 0 || sys->updateLayer[2] != UpdateNameEntry) return;
    layout = {Look(*Slot(kBackgroundSlot)), Look(*Slot(kLineSlot)), Look(*Slot(kBoxSlot))};
    for (int s : {kBackgroundSlot, kLineSlot, kBoxSlot}) alphas.push_back(Slot(s)->alpha);
  });
  Hold(UpdateNameEntry, 30, Bit(ButtonC));
  Enter();
  EXPECT_EQ(layout, (std::vector<std::string>{"#165 0,0", "'___  35%      12300' 200,160", "#180 196,156"}));
  EXPECT_EQ(alphas, (std::vector<int>{255 / 60, 255 / 60, 255 / 60})) << "all fade in over 60 frames";

  // A name left untouched is entered as underscores.
  EXPECT_EQ(ReadFile(ScorePath()), "___ 123 35 0\nABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\n");
  EXPECT_EQ(lastEntryFrame, 90) << "the screen closes 60 frames after the confirm";
  EXPECT_EQ(rankingFrames, 3) << "the ranking follows until ButtonZ";
  EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  EXPECT_EQ(sys->updateLayer[2], nullptr);
}

TEST_F(NameEntryTest, LettersCycleThroughTheAlphabetWithOneSharedIndex) {
  struct Case {
    const char* what;
    std::vector<std::pair<uint32_t, uint8_t>> presses;
    const char* name;
  };
  const uint8_t up = Bit(Up), down = Bit(Down), left = Bit(Left), right = Bit(Right);
  const Case cases[] = {
      {"confirm at once", {{0, Bit(ButtonC)}}, "___"},
      {"Down three times", {{0, down}, {8, down}, {16, down}}, "C__"},
      {"then Right and Down", {{0, down}, {8, down}, {16, down}, {24, right}, {36, down}}, "CD_"},
      {"Up at the start", {{0, up}}, "9__"},
      {"Down on the third letter", {{0, right}, {12, right}, {24, down}, {32, down}, {40, up}}, "__9"},
      {"Right stops at the third letter", {{0, right}, {12, right}, {24, right}, {36, up}}, "__9"},
      {"Left goes back", {{0, right}, {12, left}, {24, left}, {36, up}}, "9__"},
      {"input waits for the delay", {{0, down}, {7, down}, {8, down}}, "B__"},
      {"Up then Down in one frame", {{0, down}, {8, up | down}}, "A__"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    script.clear();
    std::remove(ScorePath().c_str());
    for (const auto& [frame, bits] : c.presses) Hold(UpdateNameEntry, frame, bits);
    Hold(UpdateNameEntry, 60, Bit(ButtonC));
    Enter();
    EXPECT_EQ(SavedName(0), c.name);
  }
}

TEST_F(NameEntryTest, HeldKeysRepeatEveryEightFramesAndTheBoxFollowsThePosition) {
  Hold(UpdateNameEntry, 0, 16, Bit(Down));
  Hold(UpdateNameEntry, 17, 59, Bit(Right));
  Hold(UpdateNameEntry, 60, Bit(Up));
  Hold(UpdateNameEntry, 70, Bit(ButtonC));
  Enter();
  // Up on the third letter goes on from the C set on the first.
  EXPECT_EQ(SavedName(0), "C_B");
  // The glide's truncated step leaves the box a pixel short, and the next
  // glide starts from where it stopped.
  const int second = GlideEnd(196, 208);
  const int third = GlideEnd(second, 220);
  EXPECT_EQ(boxX[23], 196);
  EXPECT_EQ(boxX[32], 196 + 9 * (12 * 4096 / 10) / 4096);
  EXPECT_EQ(boxX[33], second) << "one letter right after the ten-frame slide";
  EXPECT_EQ(boxX[45], third) << "held Right moves again after twelve frames";
  EXPECT_EQ(boxX[69], third) << "no fourth letter";
}

TEST_F(NameEntryTest, ASecondConfirmInTheClosingFramesEntersNothingMore) {
  Hold(UpdateNameEntry, 0, Bit(ButtonC));
  Hold(UpdateNameEntry, 10, Bit(ButtonC));
  Hold(UpdateNameEntry, 20, Bit(Down));
  Hold(UpdateNameEntry, 30, Bit(ButtonC));
  Enter();
  EXPECT_EQ(ReadFile(ScorePath()), "___ 123 35 0\nABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\n");
  EXPECT_EQ(lastEntryFrame, 60) << "a second confirm restarted the countdown";
}

TEST_F(NameEntryTest, EscapeSavesTheTableUnchangedOrCreatesTheDefaults) {
  PushEscapeNow();
  Enter();
  EXPECT_EQ(entryFrames, 1);
  EXPECT_EQ(rankingFrames, 1);
  EXPECT_EQ(ReadFile(ScorePath()), kDefaultFile);

  const std::string table = "ZZZ 900 90 1\nYYY 800 80 0\nXXX 700 70 0\nWWW 600 60 0\nVVV 100 10 0\n";
  WriteFile(ScorePath(), table);
  Enter();
  EXPECT_EQ(entryFrames, 1);
  EXPECT_EQ(ReadFile(ScorePath()), table);
}

TEST_F(NameEntryTest, AResultBelowTheLastRowShowsNoScreenAndLeavesTheFileAlone) {
  game->player.score = 59;
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 0);
  EXPECT_FALSE(ScoreFileExists());

  const std::string table = "A 500 5 0\r\nB 400 4 0\r\nC 300 3 0\r\nD 200 2 0\r\nE 124 1 0\r\n";
  WriteFile(ScorePath(), table);
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 0);
  EXPECT_EQ(ReadFile(ScorePath()), table);

  // Equal to the last row is good enough.
  game->player.score = 124;
  Hold(UpdateNameEntry, 0, Bit(ButtonC));
  Enter();
  EXPECT_EQ(ReadFile(ScorePath()), "A 500 5 0\nB 400 4 0\nC 300 3 0\nD 200 2 0\n___ 124 35 0\n");
}

TEST_F(NameEntryTest, TheHighScoreLoopStartsWithTheNameEntry) {
  std::vector<Uint8> silence(4096);
  sys->sound = CreateSoundBank(256);
  Mix_Chunk* loop = Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size()));
  ASSERT_NE(loop, nullptr);
  sys->sound->chunks[LoopHighScore] = loop;
  game->player.score = 59;
  Enter();
  EXPECT_EQ(sys->sound->loopChannel, -1) << "no loop without a name entry";

  game->player.score = 123;
  Hold(UpdateNameEntry, 0, Bit(ButtonC));
  Enter();
  ASSERT_NE(sys->sound->loopChannel, -1);
  EXPECT_EQ(Mix_GetChunk(sys->sound->loopChannel), loop) << "it sounds on through the ranking";
  StopLoop(sys->sound);
  DestroySoundBank(sys->sound);
  sys->sound = nullptr;
}

}  // namespace
