#include "frontend/name_entry.h"

#include "frontend/high_scores.h"
#include "frontend/ranking.h"
#include "frontend/screen_test.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kBoxSlot = 1502;
const char kDefaultFile[] = "ABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\nMNO 60 6 0\n";

// Where a ten-frame MoveSpriteTo glide from pixel x0 towards x1 stops.
int GlideEnd(int x0, int x1) { return (x0 * 4096 + 10 * ((x1 - x0) * 4096 / 10)) >> 12; }

class NameEntryTest : public ScreenTest {
 protected:
  void SetUp() override {
    ScreenTest::SetUp();
    game->player.score = 123;
    game->itemsTaken = 7;
    game->itemsTotal = 20;
    watch = [this](uint32_t frame) {
      if (sys->updateLayer[2] == UpdateNameEntry) {
        lastEntryFrame = static_cast<int>(frame);
        entryFrames++;
        boxX[frame] = FixedToPixels(Slot(kBoxSlot)->x);
      }
      if (sys->updateLayer[2] == UpdateRanking) rankingFrames++;
    };
  }
  // Types on the name-entry screen, then leaves the ranking that follows.
  void Enter() {
    Hold(UpdateRanking, 2, kZ);
    lastEntryFrame = -1;
    entryFrames = rankingFrames = 0;
    EnterHighScore(sys);
  }
  std::string SavedName(int row) const { return TheHighScores()->rows[row].name; }

  int lastEntryFrame = -1;
  int entryFrames = 0;
  int rankingFrames = 0;
  std::map<uint32_t, int> boxX;
};

TEST_F(NameEntryTest, AnUntouchedNameIsEnteredAsUnderscoresWithTheItemPercentage) {
  EXPECT_EQ(ItemPercent(7, 20), 35);
  EXPECT_EQ(ItemPercent(1, 3), 33);
  EXPECT_EQ(ItemPercent(5, 0), 0);
  Hold(UpdateNameEntry, 30, kC);
  Enter();
  // A name left untouched is entered as underscores.
  EXPECT_EQ(ReadFile(scorePath), "___ 123 35 0\nABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\n");
  EXPECT_EQ(lastEntryFrame, 90) << "the screen closes 60 frames after the confirm";
  EXPECT_EQ(rankingFrames, 3) << "the ranking follows until ButtonZ";
  ExpectCleanedUp();
}

TEST_F(NameEntryTest, LettersCycleThroughTheAlphabetWithOneSharedIndex) {
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
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    keys.clear();
    std::remove(scorePath.c_str());
    for (const auto& [frame, bits] : c.presses) Hold(UpdateNameEntry, frame, bits);
    Hold(UpdateNameEntry, 60, kC);
    Enter();
    EXPECT_EQ(SavedName(0), c.name);
  }
}

TEST_F(NameEntryTest, HeldKeysRepeatEveryEightFramesAndTheBoxFollowsThePosition) {
  Hold(UpdateNameEntry, 0, 16, kDown);
  Hold(UpdateNameEntry, 17, 59, kRight);
  Hold(UpdateNameEntry, 60, kUp);
  Hold(UpdateNameEntry, 70, kC);
  Enter();
  EXPECT_EQ(SavedName(0), "C_B") << "Up on the third letter goes on from the C set on the first";
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
  Hold(UpdateNameEntry, 0, kC);
  Hold(UpdateNameEntry, 10, kC);
  Hold(UpdateNameEntry, 20, kDown);
  Hold(UpdateNameEntry, 30, kC);
  Enter();
  EXPECT_EQ(ReadFile(scorePath), "___ 123 35 0\nABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\n");
  EXPECT_EQ(lastEntryFrame, 60) << "a second confirm restarted the countdown";
}

TEST_F(NameEntryTest, EscapeSavesTheTableUnchangedOrCreatesTheDefaults) {
  PushEscape();
  Enter();
  EXPECT_EQ(entryFrames, 1);
  EXPECT_EQ(rankingFrames, 1);
  EXPECT_EQ(ReadFile(scorePath), kDefaultFile);

  const std::string table = "ZZZ 900 90 1\nYYY 800 80 0\nXXX 700 70 0\nWWW 600 60 0\nVVV 100 10 0\n";
  WriteFile(scorePath, table);
  Enter();
  EXPECT_EQ(entryFrames, 1);
  EXPECT_EQ(ReadFile(scorePath), table);
}

TEST_F(NameEntryTest, OnlyAResultThatEntersTheTableShowsTheScreenAndItsMusic) {
  std::vector<Uint8> silence(4096);
  sys->sound = CreateSoundBank(256);
  Mix_Chunk* loop = Mix_QuickLoad_RAW(silence.data(), static_cast<Uint32>(silence.size()));
  ASSERT_NE(loop, nullptr);
  sys->sound->chunks[LoopHighScore] = loop;
  game->player.score = 59;
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 0);
  EXPECT_EQ(sys->sound->loopChannel, -1);
  EXPECT_EQ(ReadFile(scorePath), "") << "no file is written";

  const std::string table = "A 500 5 0\r\nB 400 4 0\r\nC 300 3 0\r\nD 200 2 0\r\nE 124 1 0\r\n";
  WriteFile(scorePath, table);
  Enter();
  EXPECT_EQ(entryFrames + rankingFrames, 0);
  EXPECT_EQ(ReadFile(scorePath), table);

  game->player.score = 124;  // equal to the last row is good enough
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
