#include "frontend/title_menu.h"

#include <gtest/gtest.h>

#include <vector>

#include "config/keyword_map.h"
#include "frontend_fixture.h"
#include "graphics/bitmap_set.h"
#include "graphics/sprite.h"

namespace {

// Allocated from start 0 in this order, so they take slots 1 to 6.
constexpr int kPictureSlot = 1;
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
    if (value) SetKeyword(config, "level", value);
    game->config = config;
  }
  void Choose(uint32_t frame, uint8_t extra = 0) { Hold(UpdateTitleMenu, frame, Bit(ButtonZ) | extra); }
  int CursorY() const { return FixedToPixels(Slot(kCursorSlot)->y); }
  // The cursor's pixel row after every frame, taken while the menu runs.
  void TrackCursor() {
    Watch([this](uint32_t frame) {
      if (sys->updateLayer[2] == UpdateTitleMenu && Slot(kCursorSlot)->inUse) cursorAt[frame] = CursorY();
    });
  }

  KeywordMap* config = nullptr;
  std::map<uint32_t, int> cursorAt;
};

TEST_F(TitleMenuTest, LaysOutPictureCursorAndTheFourEntries) {
  Choose(1);
  std::vector<Sprite> seen;
  Watch([&](uint32_t frame) {
    if (frame == 0) seen.assign(Slot(0), Slot(8));
  });
  ShowTitleMenu(sys.get());
  ASSERT_EQ(seen.size(), 8u);
  EXPECT_EQ(seen[0].inUse, 0);
  EXPECT_EQ(seen[7].inUse, 0);
  EXPECT_EQ(seen[kPictureSlot].frame, 150);
  EXPECT_EQ(seen[kPictureSlot].bitmaps, game->sysBitmaps);
  EXPECT_EQ(seen[kPictureSlot].kind, KindBitmap);
  EXPECT_EQ(FixedToPixels(seen[kPictureSlot].x), 0);
  EXPECT_EQ(FixedToPixels(seen[kPictureSlot].y), 0);
  EXPECT_EQ(seen[kCursorSlot].frame, 22);
  EXPECT_EQ(FixedToPixels(seen[kCursorSlot].x), 250);
  EXPECT_EQ(FixedToPixels(seen[kCursorSlot].y), 234);
  const char* texts[] = {"Start", "Continue", "Ranking", "Exit"};
  for (int i = 0; i < 4; i++) {
    const Sprite& entry = seen[kFirstEntrySlot + i];
    EXPECT_EQ(entry.kind, KindText);
    EXPECT_STREQ(entry.text, texts[i]);
    EXPECT_EQ(FixedToPixels(entry.x), 280);
    EXPECT_EQ(FixedToPixels(entry.y), 240 + 40 * i);
  }
  for (int s = kPictureSlot; s <= kFirstEntrySlot + 3; s++) {
    EXPECT_EQ(seen[s].visible, 1) << s;
    EXPECT_EQ(seen[s].vx | seen[s].vy, 0) << "placed, not moving: " << s;
  }
}

TEST_F(TitleMenuTest, CursorStartsOnContinueOnlyForANonZeroLevel) {
  struct Case {
    bool withMap;
    const char* level;
    int expected;
  };
  const Case cases[] = {{false, nullptr, MenuStart}, {true, nullptr, MenuStart}, {true, "0", MenuStart},
                        {true, "abc", MenuStart},    {true, "3", MenuContinue},  {true, "7", MenuContinue}};
  Choose(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.level ? c.level : "(none)");
    DestroyKeywordMap(config);
    config = nullptr;
    game->config = nullptr;
    if (c.withMap) SetLevel(c.level);
    game->menuChoice = -1;
    ReleaseKeys();
    ShowTitleMenu(sys.get());
    EXPECT_EQ(game->menuChoice, c.expected);
  }
}

TEST_F(TitleMenuTest, UpOnStartAndDownOnExitDoNothingAndHeldKeysStepEveryElevenFrames) {
  TrackCursor();
  Hold(UpdateTitleMenu, 0, 9, Bit(Up));
  Hold(UpdateTitleMenu, 10, 60, Bit(Down));
  Choose(70);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuExit);
  EXPECT_EQ(cursorAt[9], 234) << "Up on Start moved the cursor";
  // Down from frame 10: slides start in frames 10, 21 and 32.
  EXPECT_EQ(cursorAt[18], 270);
  EXPECT_EQ(cursorAt[19], 274);
  EXPECT_EQ(cursorAt[29], 310);
  EXPECT_EQ(cursorAt[30], 314);
  EXPECT_EQ(cursorAt[41], 354);
  EXPECT_EQ(cursorAt[69], 354) << "Down on Exit moved the cursor";
}

TEST_F(TitleMenuTest, UpWinsOverDownExceptOnStart) {
  SetLevel("3");
  Hold(UpdateTitleMenu, 0, Bit(Up) | Bit(Down));
  Choose(20);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuStart);

  SetLevel("0");
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuContinue);
}

TEST_F(TitleMenuTest, AChoiceWhileTheCursorSlidesTakesTheEntryItSlidesTo) {
  TrackCursor();
  Hold(UpdateTitleMenu, 0, Bit(Down));
  Choose(3);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuContinue);
  EXPECT_LT(cursorAt[3], 274) << "the choice came before the slide ended";

  // A move in the frame of the choice still slides the cursor, but the
  // choice stays what was under it.
  cursorAt.clear();
  Choose(0, Bit(Down));
  script.erase({UpdateTitleMenu, 3});
  ReleaseKeys();
  ShowTitleMenu(sys.get());
  EXPECT_EQ(game->menuChoice, MenuStart);
  EXPECT_EQ(cursorAt[9], 274);
}

TEST_F(TitleMenuTest, TheChosenTextStaysWhileTheRestFadesAndTheSceneEndsAHundredFramesLater) {
  Hold(UpdateTitleMenu, 0, Bit(Down));
  Hold(UpdateTitleMenu, 11, Bit(Down));
  Choose(30);
  // The closing frames take no input.
  Choose(50, Bit(Up));
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

  const std::vector<Sprite>& fading = at[50];
  for (int s : {kPictureSlot, kCursorSlot, kFirstEntrySlot, kFirstEntrySlot + 1, kFirstEntrySlot + 3}) {
    EXPECT_EQ(fading[s].effect, EffectFadeOut) << s;
    EXPECT_LT(fading[s].alpha, 255) << s;
  }
  EXPECT_EQ(fading[kFirstEntrySlot + 2].alpha, 255);
  EXPECT_EQ(fading[kFirstEntrySlot + 2].effect, EffectNone);
  // Forty frames of fading, counted from the choice, free the faded sprites.
  for (int s : {kPictureSlot, kCursorSlot, kFirstEntrySlot}) EXPECT_EQ(at[69][s].inUse, 0) << s;
  EXPECT_EQ(at[130][kFirstEntrySlot + 2].inUse, 1);
  EXPECT_EQ(at[130][kFirstEntrySlot + 2].alpha, 255);

  EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  EXPECT_EQ(sys->updateLayer[2], nullptr);
}

TEST_F(TitleMenuTest, TheSlidingCursorLeavesATrailThatStopsWithIt) {
  // Only a sprite with an image source drops copies; an empty set will do.
  BitmapSet* bitmaps = CreateBitmapSet(256);
  game->sysBitmaps = bitmaps;
  Hold(UpdateTitleMenu, 0, Bit(Down));
  Choose(40);
  std::map<uint32_t, int> effect;
  int trailCopies = 0;
  Watch([&](uint32_t frame) {
    effect[frame] = Slot(kCursorSlot)->effect;
    for (int s = 1800; s < 1820; s++) trailCopies += frame == 9 && Slot(s)->inUse;
  });
  ShowTitleMenu(sys.get());
  EXPECT_EQ(effect[5], EffectTrail);
  EXPECT_EQ(effect[20], EffectNone);
  EXPECT_GE(trailCopies, 2);
  DestroyBitmapSet(bitmaps);
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
}

TEST_F(TitleMenuTest, AMenuLeftByQuittingWhileClosingDoesNotSpoilTheNextMenu) {
  Choose(0);
  EscapeAt(UpdateTitleMenu, 10);
  ShowTitleMenu(sys.get());
  EXPECT_EQ(sys->timer.frameCount, 10u);

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
