#include "frontend/title_menu.h"

#include "config/keyword_map.h"
#include "frontend/screen_test.h"
#include "sound/sound_bank.h"

namespace {

// Picture, cursor and the four entries take slots 1 to 6 in that order.
constexpr int kCursorSlot = 2;
constexpr int kFirstEntrySlot = 3;

class TitleMenuTest : public ScreenTest {
 protected:
  void Choose(uint32_t frame, uint8_t extra = 0) { Hold(UpdateTitleMenu, frame, kZ | extra); }
  // Runs the menu, keeping the cursor's pixel row after every frame.
  void Show() {
    watch = [this](uint32_t frame) { cursorAt[frame] = FixedToPixels(Slot(kCursorSlot)->y); };
    ShowTitleMenu(sys);
  }
  std::map<uint32_t, int> cursorAt;
};

TEST_F(TitleMenuTest, TheCursorStartsOnContinueOnlyForAStoredLevelAboveZero) {
  const std::pair<const char*, int> cases[] = {{"0", MenuStart}, {"abc", MenuStart}, {"3", MenuContinue}};
  for (const auto& [level, expected] : cases) {
    SetKeyword(game->config, "level", level);
    ReleaseKeys();
    Choose(1);
    ShowTitleMenu(sys);
    EXPECT_EQ(game->menuChoice, expected) << level;
  }
  game->config = nullptr;
  ReleaseKeys();
  ShowTitleMenu(sys);
  EXPECT_EQ(game->menuChoice, MenuStart) << "no settings at all";
}

TEST_F(TitleMenuTest, UpOnStartAndDownOnExitDoNothingAndHeldKeysStepEveryElevenFrames) {
  Hold(UpdateTitleMenu, 0, 9, kUp);
  Hold(UpdateTitleMenu, 10, 60, kDown);
  Choose(70);
  Show();
  EXPECT_EQ(game->menuChoice, MenuExit);
  EXPECT_EQ(cursorAt[9], 234) << "Up on Start moved the cursor";
  // Slides of ten frames start in frames 10, 21 and 32.
  EXPECT_EQ(cursorAt[18], 270);
  EXPECT_EQ(cursorAt[19], 274);
  EXPECT_EQ(cursorAt[29], 310);
  EXPECT_EQ(cursorAt[30], 314);
  EXPECT_EQ(cursorAt[41], 354);
  EXPECT_EQ(cursorAt[69], 354) << "Down on Exit moved the cursor";
}

TEST_F(TitleMenuTest, UpWinsOverDownAndAChoiceTakesTheEntryUnderTheCursor) {
  SetKeyword(game->config, "level", "3");
  Hold(UpdateTitleMenu, 0, kUp | kDown);
  Choose(20);
  ShowTitleMenu(sys);
  EXPECT_EQ(game->menuChoice, MenuStart);

  SetKeyword(game->config, "level", "0");  // on Start only Down can act
  ReleaseKeys();
  ShowTitleMenu(sys);
  EXPECT_EQ(game->menuChoice, MenuContinue);

  keys.clear();
  Hold(UpdateTitleMenu, 0, kDown);
  Choose(3);
  Show();
  EXPECT_EQ(game->menuChoice, MenuContinue);
  EXPECT_LT(cursorAt[3], 274) << "the choice came before the slide ended";

  // A move in the frame of the choice still slides the cursor; the choice
  // stays what was under it.
  keys.clear();
  Choose(0, kDown);
  ReleaseKeys();
  Show();
  EXPECT_EQ(game->menuChoice, MenuStart);
  EXPECT_EQ(cursorAt[9], 274);
}

TEST_F(TitleMenuTest, TheChosenTextStaysWhileTheRestFadesAndTheClosingFramesTakeNoInput) {
  Hold(UpdateTitleMenu, 0, kDown);
  Hold(UpdateTitleMenu, 11, kDown);
  Choose(30);
  Choose(50, kUp);
  Hold(UpdateTitleMenu, 60, kDown);
  std::vector<Sprite> closing;
  watch = [&](uint32_t frame) {
    if (frame == 69) closing.assign(Slot(0), Slot(8));
  };
  ShowTitleMenu(sys);
  EXPECT_EQ(game->menuChoice, MenuRanking);
  EXPECT_EQ(harness.CountSound(SndMenuSelect), 1);
  EXPECT_EQ(sys->timer.frameCount, 130u) << "a hundred frames after the choice";
  for (int s = 1; s <= 6; s++)
    EXPECT_EQ(Look(closing[s]), s == kFirstEntrySlot + MenuRanking ? "'Ranking' 280,320" : "free") << s;
  ExpectCleanedUp();
}

TEST_F(TitleMenuTest, EscapeEndsTheMenuInThatFrameKeepingTheLastChoice) {
  game->menuChoice = MenuRanking;
  EscapeAt(UpdateTitleMenu, 5);
  Hold(UpdateTitleMenu, 0, kDown);
  ShowTitleMenu(sys);
  EXPECT_EQ(sys->quit, 1);
  EXPECT_EQ(sys->timer.frameCount, 5u);
  EXPECT_EQ(game->menuChoice, MenuRanking);
  EXPECT_TRUE(harness.sounds.empty());
  ExpectCleanedUp();

  // A menu quit while closing must not hand its countdown to the next one.
  sys->quit = 0;
  keys.clear();
  Choose(0);
  EscapeAt(UpdateTitleMenu, 10);
  ShowTitleMenu(sys);
  sys->quit = 0;
  escapes.clear();
  keys.clear();
  Hold(UpdateTitleMenu, 0, kDown);
  Choose(20);
  ShowTitleMenu(sys);
  EXPECT_EQ(game->menuChoice, MenuContinue);
  EXPECT_EQ(sys->timer.frameCount, 120u);
}

}  // namespace
