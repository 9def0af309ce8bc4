#include "frontend/interstitials.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "frontend_fixture.h"
#include "graphics/sprite.h"

namespace {

class InterstitialsTest : public FrontendTest {
 protected:
  // Copies of layer-2 slots 0..7 after the chosen frames.
  void Snap(std::vector<uint32_t> frames) {
    Watch([this, frames](uint32_t frame) {
      passes++;
      for (uint32_t f : frames)
        if (f == frame) shots[frame].assign(Slot(0), Slot(8));
    });
  }
  void ExpectCleanedUp() {
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

  int passes = 0;
  std::map<uint32_t, std::vector<Sprite>> shots;
};

TEST_F(InterstitialsTest, LivesScreenShowsTheIconAndCountForOneHundredTwentyOneFrames) {
  EXPECT_EQ(Text(FormatLivesText, 3), "x  3");
  EXPECT_EQ(Text(FormatLivesText, 12), "x 12");

  game->player.lives = 3;
  Sprite icon{};
  bool hooksInstalled = true;
  Watch([&](uint32_t frame) {
    passes++;
    hooksInstalled = hooksInstalled && sys->preUpdate && sys->drawBackground;
    if (frame == 0) icon = *Slot(601);
    // The count is drawn onto the screen by the background hook; it must
    // cope with a missing font.
    if (frame == 5) sys->drawBackground(sys.get());
  });
  ShowLivesScreen(sys.get());
  EXPECT_EQ(sys->timer.frameCount, 121u);
  EXPECT_EQ(passes, 122);
  EXPECT_TRUE(hooksInstalled);
  EXPECT_EQ(icon.inUse, 1);
  EXPECT_EQ(icon.visible, 1);
  EXPECT_EQ(icon.frame, 10);
  EXPECT_EQ(icon.bitmaps, game->charBitmaps);
  EXPECT_EQ(icon.x, PixelsToFixed(250));
  EXPECT_EQ(icon.y, PixelsToFixed(200));
  EXPECT_EQ(game->player.sprite, Slot(601)) << "the icon is kept as the player's sprite";
  ExpectCleanedUp();
}

TEST_F(InterstitialsTest, LevelClearSlidesInShowsTheLifeOfTheMomentAndLeavesAfterOneHundredForty) {
  EXPECT_EQ(Text(FormatLeftTime, 4321), "Left Time   4321");
  game->player.life = 4321;
  std::map<uint32_t, int> pictureX;
  std::map<uint32_t, int> pictureAlpha;
  Watch([&](uint32_t frame) {
    passes++;
    if (frame == 3) game->player.life = 17;  // the text keeps the life at the win
    if (Slot(1)->inUse) {
      pictureX[frame] = FixedToPixels(Slot(1)->x);
      pictureAlpha[frame] = Slot(1)->alpha;
    }
    if (frame == 0 || frame == 9 || frame == 100 || frame == 109) shots[frame].assign(Slot(0), Slot(8));
  });
  ShowLevelClear(sys.get());
  EXPECT_EQ(sys->timer.frameCount, 140u);
  EXPECT_EQ(passes, 141);

  const std::vector<Sprite>& start = shots[0];
  EXPECT_EQ(start[1].frame, 161);
  EXPECT_EQ(start[1].kind, KindBitmap);
  EXPECT_STREQ(start[2].text, "Level Clear!");
  EXPECT_STREQ(start[3].text, "Left Time   4321");
  for (int s = 1; s <= 3; s++) EXPECT_EQ(start[s].visible, 1);
  EXPECT_EQ(pictureX[0], 640 - 64) << "one tenth of the way in after the first frame";

  const std::vector<Sprite>& in = shots[9];
  EXPECT_EQ(in[2].x, PixelsToFixed(280));
  EXPECT_EQ(in[2].y, PixelsToFixed(80));
  EXPECT_EQ(in[3].x, PixelsToFixed(280));
  EXPECT_EQ(in[3].y, PixelsToFixed(140));
  EXPECT_STREQ(in[3].text, "Left Time   4321");
  for (uint32_t f = 9; f < 100; f++) {
    ASSERT_EQ(pictureX[f], 0) << f;
    ASSERT_EQ(pictureAlpha[f], 255) << f;
  }

  // Frame 100: the texts jump to their new start points and drop away.
  EXPECT_EQ(shots[100][2].x, PixelsToFixed(200) + (PixelsToFixed(100) / 10));
  EXPECT_EQ(shots[100][2].y, PixelsToFixed(160) + (PixelsToFixed(320) / 10));
  EXPECT_EQ(shots[109][2].x, PixelsToFixed(300));
  EXPECT_EQ(shots[109][2].y, PixelsToFixed(480));
  EXPECT_EQ(shots[109][3].x, PixelsToFixed(280));
  EXPECT_EQ(shots[109][3].y, PixelsToFixed(480));
  EXPECT_EQ(shots[100][1].effect, EffectFadeOut);
  EXPECT_LT(pictureAlpha[120], 255);
  EXPECT_GT(pictureAlpha[120], 0);
  EXPECT_EQ(pictureAlpha.count(139), 0u) << "the picture is gone after its 40-frame fade";
  ExpectCleanedUp();
}

TEST_F(InterstitialsTest, GameOverAndEndingFadeTheirPictureInAndLastFourHundredEightyFrames) {
  struct Screen {
    void (*show)(System*);
    int frame;
  };
  for (const Screen screen : {Screen{ShowGameOver, 162}, Screen{ShowEnding, 163}}) {
    SCOPED_TRACE(screen.frame);
    passes = 0;
    shots.clear();
    Snap({0, 60, 119, 479});
    screen.show(sys.get());
    EXPECT_EQ(sys->timer.frameCount, 480u);
    EXPECT_EQ(passes, 481);
    const Sprite& first = shots[0][1];
    EXPECT_EQ(first.inUse, 1);
    EXPECT_EQ(first.visible, 1);
    EXPECT_EQ(first.frame, screen.frame);
    EXPECT_EQ(first.x, 0);
    EXPECT_EQ(first.y, 0);
    EXPECT_EQ(first.alpha, 255 / 120);
    EXPECT_EQ(shots[60][1].alpha, 61 * 255 / 120);
    EXPECT_EQ(shots[119][1].effect, EffectNone);
    EXPECT_EQ(shots[479][1].inUse, 1);
    ExpectCleanedUp();
  }
}

TEST_F(InterstitialsTest, EscapeEndsEachScreenAtTheEndOfThatFrame) {
  for (void (*show)(System*) : {ShowLivesScreen, ShowLevelClear, ShowGameOver, ShowEnding}) {
    sys->quit = 0;
    passes = 0;
    Watch([&](uint32_t frame) {
      passes++;
      if (frame == 6) PushEscapeNow();
    });
    show(sys.get());
    EXPECT_EQ(sys->quit, 1);
    EXPECT_EQ(sys->timer.frameCount, 7u);
    EXPECT_EQ(passes, 8);
    ExpectCleanedUp();
  }
}

}  // namespace
