#include "frontend/title_menu.h"

#include <gtest/gtest.h>

#include "config/keyword_map.h"
#include "frontend_fixture.h"

namespace {

// Picture, cursor and the four entries take slots 1 to 6 in that order.
constexpr int kCursorSlot = 2;
constexpr int kFirstEntrySlot = 3;

class TitleMenuTest : public FrontendTest {
 protected:
  void TearDown() override {
    DestroyKeywordMap(config);
    FrontendTest::TearDown();
  }
  void SetLevel(const char* value) {
    if (!config) config = CreateKeywordMap(8);
    SetKeyword(config, "level", value);
    game->config = config;
  }
  void Choose(uint32_t frame, uint8_t extra = 0) { Hold(UpdateTitleMenu, frame, Bit(ButtonZ) | extra); }
  // Runs the menu, keeping the cursor's pixel row after every frame.
  void Show() {
    Watch([this](uint32_t frame) { cursorAt[frame] = FixedToPixels(Slot(kCursorSlot)->y); });
    ShowTitleMenu(sys.get());
  }

  KeywordMap* config = nullptr;
  std::map<uint32_t, int> cursorAt;
};

TEST_F(TitleMenuTest, CursorStartsOnContinueOnlyForANonZeroLevelBelowTheEntries) {
  std::vector<std::string> layout;
  Watch([&](uint32_t frame) {
    if (frame == 0) layout = Looks(0, 7);
  });
  Choose(1);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(layout, (std::vector<std::string>{"free", "#150 0,0", "#22 250,234", "'Start' 280,240",
                                              "'Continue' 280,280", "'Ranking' 280,320", "'Exit' 280,360", "free"}));
  EXPECT_EQ(game->menuChoice, MenuStart) << "no configuration map";

  const std::pair<const char*, int> cases[] = {
      {nullptr, MenuStart}, {"0", MenuStart}, {"abc", MenuStart}, {"3", MenuContinue}};
  for (const auto& [level, expected] : cases) {
    DestroyKeywordMap(config);
    config = CreateKeywordMap(8);
    game->config = config;
    if (level) SetLevel(level);
    game->menuChoice = -1;
    ReleaseKeys();
    ShowTitleMenu(sys.get());
    EXPECT_EQ(game->menuChoice, expected) << (level ? level : "no level key");
  }
}

TEST_F(TitleMenuTest, UpOnStartAndDownOnExitDoNothingAndHeldKeysStepEveryElevenFrames) {
  Hold(UpdateTitleMenu, 0, 9, Bit(Up));
  Hold(UpdateTitleMenu, 10, 60, Bit(Down));
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

TEST_F(TitleMenuTest, UpWinsOverDownAndAChoiceTakesTheEntryTheCursorSlidesTo) {
  SetLevel("3");
  Hold(UpdateTitleMenu, 0, Bit(Up) | Bit(Down));
  Choose(20);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuStart);

  SetLevel("0");  // on Start only Down can act
  ReleaseKeys();
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuContinue);

  script.clear();
  Hold(UpdateTitleMenu, 0, Bit(Down));
  Choose(3);
  Show();
  EXPECT_EQ(game->menuChoice, MenuContinue);
  EXPECT_LT(cursorAt[3], 274) << "the choice came before the slide ended";

  // A move in the frame of the choice still slides the cursor; the choice
  // stays what was under it.
  script.clear();
  Choose(0, Bit(Down));
  ReleaseKeys();
  Show();
  EXPECT_EQ(game->menuChoice, MenuStart);
  EXPECT_EQ(cursorAt[9], 274);
}

TEST_F(TitleMenuTest, TheChosenTextStaysWhileTheRestFadesAndTheSceneEndsAHundredFramesLater) {
  Hold(UpdateTitleMenu, 0, Bit(Down));
  Hold(UpdateTitleMenu, 11, Bit(Down));
  Choose(30);
  Choose(50, Bit(Up));  // the closing frames take no input
  Hold(UpdateTitleMenu, 60, Bit(Down));
  std::map<uint32_t, std::vector<Sprite>> at;
  int passes = 0;
  Watch([&](uint32_t frame) {
    passes++;
    if (frame == 50 || frame == 69 || frame == 130) at[frame].assign(Slot(0), Slot(8));
  });
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuRanking);
  EXPECT_EQ(Sounds(SndMenuSelect), 1);
  EXPECT_EQ(sys->timer.frameCount, 130u);
  EXPECT_EQ(passes, 131);

  const int chosen = kFirstEntrySlot + MenuRanking;
  for (int s = 1; s <= 6; s++) {
    if (s == chosen) continue;
    EXPECT_EQ(at[50][s].effect, EffectFadeOut) << s;
    EXPECT_LT(at[50][s].alpha, 255) << s;
    EXPECT_EQ(at[69][s].inUse, 0) << "forty frames of fading free it: " << s;
  }
  EXPECT_EQ(at[50][chosen].effect, EffectNone);
  EXPECT_EQ(at[130][chosen].alpha, 255);
  EXPECT_EQ(Look(at[130][chosen]), "'Ranking' 280,320");
  EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  EXPECT_EQ(sys->updateLayer[2], nullptr);
}

TEST_F(TitleMenuTest, EscapeEndsTheMenuInThatFrameKeepingTheLastChoice) {
  game->menuChoice = MenuRanking;
  EscapeAt(UpdateTitleMenu, 5);
  Hold(UpdateTitleMenu, 0, Bit(Down));
  ShowTitleMenu(sys.get());
  EXPECT_EQ(sys->quit, 1);
  EXPECT_EQ(sys->timer.frameCount, 5u);
  EXPECT_EQ(game->menuChoice, MenuRanking);
  EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  EXPECT_TRUE(sounds.empty());

  // A menu quit while closing must not hand its countdown to the next one.
  sys->quit = 0;
  script.clear();
  Choose(0);
  EscapeAt(UpdateTitleMenu, 10);
  ShowTitleMenu(sys.get());
  sys->quit = 0;
  escapes.clear();
  script.clear();
  Hold(UpdateTitleMenu, 0, Bit(Down));
  Choose(20);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuContinue);
  EXPECT_EQ(sys->timer.frameCount, 120u);
}

}  // namespace
