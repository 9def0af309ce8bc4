#include "frontend/interstitials.h"

#include <gtest/gtest.h>

#include "frontend_fixture.h"

namespace {

class InterstitialsTest : public FrontendTest {
 protected:
  // Runs the screen, keeping the look of slots 1 to 3 (and the picture's
  // alpha) after every frame.
  void Run(void (*show)(System*)) {
    passes = 0;
    looks.clear();
    alpha.clear();
    Watch([this](uint32_t frame) {
      passes++;
      looks[frame] = Looks(1, 3);
      alpha[frame] = Slot(1)->alpha;
    });
    show(sys.get());
    EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
    EXPECT_EQ(sys->updateLayer[2], nullptr);
    EXPECT_EQ(sys->preUpdate, nullptr);
    EXPECT_EQ(sys->drawBackground, nullptr);
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
  Watch([&](uint32_t frame) {
    passes++;
    if (frame == 0) icon = Look(*Slot(601));
    EXPECT_TRUE(sys->preUpdate && sys->drawBackground);
    if (frame == 5) sys->drawBackground(sys.get());  // draws the count; copes without a font
  });
  ShowLivesScreen(sys.get());
  EXPECT_EQ(sys->timer.frameCount, 121u);
  EXPECT_EQ(passes, 122);
  EXPECT_EQ(icon, "#10 250,200");
  EXPECT_EQ(game->player.sprite, Slot(601)) << "the icon is kept as the player's sprite";
  EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  EXPECT_EQ(sys->preUpdate, nullptr);
  EXPECT_EQ(sys->drawBackground, nullptr);
}

TEST_F(InterstitialsTest, LevelClearSlidesInShowsTheLifeOfTheMomentAndLeavesAfterOneHundredForty) {
  EXPECT_EQ(Text(FormatLeftTime, 4321), "Left Time   4321");
  game->player.life = 4321;
  Run(ShowLevelClear);
  EXPECT_EQ(sys->timer.frameCount, 140u);
  EXPECT_EQ(passes, 141);
  // One tenth of each slide after the first frame.
  EXPECT_EQ(looks[0], (Looked{"#161 576,0", "'Level Clear!' 208,440", "'Left Time   4321' 208,446"}));
  EXPECT_EQ(looks[9], (Looked{"#161 0,0", "'Level Clear!' 280,80", "'Left Time   4321' 280,140"}));
  for (uint32_t f = 9; f < 100; f++) {
    ASSERT_EQ(looks[f], looks[9]) << f;
    ASSERT_EQ(alpha[f], 255) << f;
  }
  // The texts jump to new start points and drop off the bottom.
  EXPECT_EQ(looks[100][1], "'Level Clear!' 210,192");
  EXPECT_EQ(looks[109], (Looked{"#161 0,0", "'Level Clear!' 300,480", "'Left Time   4321' 280,480"}));
  EXPECT_LT(alpha[120], 255);
  EXPECT_GT(alpha[120], 0);
  EXPECT_EQ(looks[139][0], "free") << "the picture is gone after its 40-frame fade";
}

TEST_F(InterstitialsTest, LeftTimeIsTakenOnceAtTheStart) {
  game->player.life = 777;
  Watch([&](uint32_t frame) {
    game->player.life = 5;
    if (frame == 50) {
      EXPECT_STREQ(Slot(3)->text, "Left Time    777");
    }
  });
  ShowLevelClear(sys.get());
}

TEST_F(InterstitialsTest, GameOverAndEndingFadeTheirPictureInAndLastFourHundredEightyFrames) {
  using Show = void (*)(System*);
  for (const auto& [show, look] : {std::pair<Show, const char*>{ShowGameOver, "#162 0,0"}, {ShowEnding, "#163 0,0"}}) {
    SCOPED_TRACE(look);
    Run(show);
    EXPECT_EQ(sys->timer.frameCount, 480u);
    EXPECT_EQ(passes, 481);
    EXPECT_EQ(looks[0][0], look);
    EXPECT_EQ(looks[479][0], look);
    EXPECT_EQ(alpha[0], 255 / 120);
    EXPECT_EQ(alpha[60], 61 * 255 / 120);
    EXPECT_EQ(alpha[479], 119 * 255 / 120) << "a finished fade-in keeps its last alpha";
  }
}

TEST_F(InterstitialsTest, EscapeEndsEachScreenAtTheEndOfThatFrame) {
  for (void (*show)(System*) : {ShowLivesScreen, ShowLevelClear, ShowGameOver, ShowEnding}) {
    sys->quit = 0;
    Watch([&](uint32_t frame) {
      if (frame == 6) PushEscapeNow();
    });
    show(sys.get());
    EXPECT_EQ(sys->quit, 1);
    EXPECT_EQ(sys->timer.frameCount, 7u);
    EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  }
}

}  // namespace
