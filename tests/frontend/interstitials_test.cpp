#include "frontend/interstitials.h"

#include "frontend/screen_test.h"

namespace {

class InterstitialsTest : public ScreenTest {
 protected:
  // Runs the screen, keeping the look of slots 1 to 3 and the picture's
  // alpha after every frame.
  void Run(void (*show)(System*)) {
    passes = 0;
    looks.clear();
    alpha.clear();
    watch = [this](uint32_t frame) {
      passes++;
      looks[frame] = Looks(1, 3);
      alpha[frame] = Slot(1)->alpha;
      game->player.life = 5;  // read once, at the start
    };
    show(sys);
    ExpectCleanedUp();
  }
  static std::string Text(void (*format)(char*, size_t, int), int value) {
    char text[64];
    format(text, sizeof text, value);
    return text;
  }
  using Looked = std::vector<std::string>;

  int passes = 0;
  std::map<uint32_t, Looked> looks;
  std::map<uint32_t, int> alpha;
};

TEST_F(InterstitialsTest, LivesScreenShowsTheIconAndCountForOneHundredTwentyOneFrames) {
  EXPECT_EQ(Text(FormatLivesText, 3), "x  3");
  EXPECT_EQ(Text(FormatLivesText, 12), "x 12");
  game->player.lives = 3;
  std::string icon;
  watch = [&](uint32_t frame) {
    passes++;
    if (frame == 0) icon = Look(*Slot(601));
    EXPECT_TRUE(sys->preUpdate && sys->drawBackground);
    if (frame == 5) sys->drawBackground(sys);  // draws the count
  };
  ShowLivesScreen(sys);
  EXPECT_EQ(passes, 122);
  EXPECT_EQ(icon, "#10 250,200");
  EXPECT_EQ(game->player.sprite, Slot(601)) << "the icon is kept as the player's sprite";
  ExpectCleanedUp();
}

TEST_F(InterstitialsTest, LevelClearShowsTheLifeOfItsFirstFrameAndEachScreenLastsItsTime) {
  EXPECT_EQ(Text(FormatLeftTime, 4321), "Left Time   4321");
  game->player.life = 777;
  Run(ShowLevelClear);
  EXPECT_EQ(passes, 141);
  EXPECT_EQ(looks[50][2], "'Left Time    777' 280,140");
  EXPECT_EQ(looks[139][0], "free") << "the picture is gone after its 40-frame fade";
  using Show = void (*)(System*);
  for (const auto& [show, look] : {std::pair<Show, const char*>{ShowGameOver, "#162 0,0"}, {ShowEnding, "#163 0,0"}}) {
    Run(show);
    EXPECT_EQ(passes, 481);
    EXPECT_EQ(looks[479][0], look);
    EXPECT_EQ(alpha[479], 119 * 255 / 120) << "a finished fade-in keeps its last alpha";
  }
}

TEST_F(InterstitialsTest, EscapeEndsEachScreenAtTheEndOfThatFrame) {
  for (void (*show)(System*) : {ShowLivesScreen, ShowLevelClear, ShowGameOver, ShowEnding}) {
    sys->quit = 0;
    watch = [&](uint32_t frame) {
      if (frame == 6) PushEscape();
    };
    show(sys);
    EXPECT_EQ(sys->quit, 1);
    EXPECT_EQ(sys->timer.frameCount, 7u);
    EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  }
}

}  // namespace
