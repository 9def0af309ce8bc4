#include "graphics/sprite_draw.h"

#include <gtest/gtest.h>

#include "graphics/font.h"
#include "graphics/sprite_update.h"
#include "support/test_media.h"
#include "support/test_system.h"

namespace {

class SpriteDrawTest : public testing::Test {
 protected:
  void SetUp() override {
    SDL_Init(SDL_INIT_VIDEO);
    screen = CreateScreenSurface();
    list = CreateSpriteList(3072);
    set = CreateBitmapSet(256);
    SaveTestBitmap(dir.File("red.bmp"), 48, 48, {248, 0, 0}, {0, 0, 0});
    SaveTestBitmap(dir.File("blue.bmp"), 48, 48, {0, 0, 248}, {0, 0, 248});
    WriteFile(dir.File("list.txt"), "1 red.bmp\n2 blue.bmp opaque\n3 red.bmp opaque\n");
    LoadBitmapDir(set, (dir.path() + "/").c_str());
    SaveTestFontSheet(dir.File("font.bmp"));
    font = LoadFont(dir.File("font.bmp").c_str());
    ASSERT_NE(font, nullptr);
    font->advance = kFontAdvance;
  }
  void TearDown() override {
    DestroyFont(font);
    DestroyBitmapSet(set);
    DestroySpriteList(list);
    SDL_FreeSurface(screen);
  }
  Sprite* Bitmap(int frame, int px, int py) {
    Sprite* sprite = AllocSprite(list, set, 0);
    sprite->frame = frame;
    sprite->visible = 1;
    SetSpritePos(sprite, px, py);
    return sprite;
  }
  void Draw() {
    SDL_FillRect(screen, nullptr, 0);
    DrawSprites(list, screen);
  }
  static bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }
  // Channels are compared loosely: the two SDL libraries widen 5- and 6-bit
  // values back to 8 bits differently.
  static bool IsRed(Rgb c) { return c.r >= 240 && c.g < 8 && c.b < 8; }
  static bool IsGreen(Rgb c) { return c.g >= 240 && c.r < 8 && c.b < 8; }
  static bool IsBlue(Rgb c) { return c.b >= 240 && c.r < 8 && c.g < 8; }

  TempDir dir;
  SDL_Surface* screen = nullptr;
  SpriteList* list = nullptr;
  BitmapSet* set = nullptr;
  BitmapFont* font = nullptr;
};

TEST_F(SpriteDrawTest, CameraAppliesOnlyToCameraRelativeSprites) {
  Sprite* world = Bitmap(2, 700, 10);
  world->cameraRelative = 1;
  Sprite* screenSpace = Bitmap(2, 700, 100);
  list->cameraX = 320 * 4096;
  Draw();
  EXPECT_TRUE(IsBlue(PixelAt(screen, 380, 20)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 379, 20)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 639, 110))) << "x 700 is off the screen";
  (void)screenSpace;
  // A position of -1/4096 pixel draws at pixel -1; one far off does not wrap
  // round 16 bits onto the screen.
  list->cameraX = 0;
  world->x = -1;
  world->y = 200 * 4096;
  screenSpace->x = (65536 + 100) * 4096;
  Draw();
  EXPECT_TRUE(IsBlue(PixelAt(screen, 46, 210)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 47, 210)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 120, 110)));
}

TEST_F(SpriteDrawTest, BlackIsTransparentInKeyedBitmapsOnly) {
  Bitmap(2, 0, 0);
  Bitmap(1, 0, 0);  // drawn over: its black corner lets blue through
  Draw();
  EXPECT_TRUE(IsBlue(PixelAt(screen, 1, 1)));
  EXPECT_TRUE(IsRed(PixelAt(screen, 10, 10)));
  Bitmap(3, 100, 0);
  Draw();
  EXPECT_TRUE(IsBlack(PixelAt(screen, 101, 1))) << "an opaque bitmap draws its black";
}

TEST_F(SpriteDrawTest, AlphaBlendsWithinOneStepPerSpriteAndKeepsTheColourKey) {
  Bitmap(2, 0, 0);  // blue underneath
  Sprite* top = Bitmap(1, 0, 0);
  top->alpha = 128;
  Sprite* faint = Bitmap(1, 100, 0);  // the same picture, each with its own alpha
  faint->alpha = 64;
  Sprite* strong = Bitmap(1, 200, 0);
  strong->alpha = 192;
  Draw();
  EXPECT_NEAR(PixelAt(screen, 20, 20).r, 124, 9);
  EXPECT_NEAR(PixelAt(screen, 20, 20).b, 124, 9);
  EXPECT_NEAR(PixelAt(screen, 120, 20).r, 62, 9);
  EXPECT_NEAR(PixelAt(screen, 220, 20).r, 186, 9);
  EXPECT_TRUE(IsBlue(PixelAt(screen, 1, 1))) << "the colour key holds while blending";
  top->alpha = 255;
  Draw();
  EXPECT_TRUE(IsRed(PixelAt(screen, 20, 20)));
  top->alpha = 0;  // still blitted, fully transparent
  Draw();
  EXPECT_TRUE(IsBlue(PixelAt(screen, 20, 20)));
}

TEST_F(SpriteDrawTest, EmptySlotsFramesOutsideTheSetHiddenAndDelayedSpritesDrawNothing) {
  Bitmap(7, 0, 0);
  Bitmap(-1, 0, 0);
  Bitmap(256, 0, 0);
  Sprite* hidden = Bitmap(2, 0, 100);
  hidden->visible = 0;
  Sprite* waiting = Bitmap(2, 100, 100);
  waiting->delay = 1;
  Bitmap(1, 200, 200);
  Draw();
  EXPECT_TRUE(IsBlack(PixelAt(screen, 20, 20)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 20, 120)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 120, 120)));
  EXPECT_TRUE(IsRed(PixelAt(screen, 220, 220))) << "the rest of the layer still draws";
  EXPECT_EQ(BlitBitmap(set, screen, 7, 0, 0), -1);
  EXPECT_EQ(BlitBitmapAlpha(set, screen, 7, 0, 0, 100), -1);
  EXPECT_EQ(BlitBitmapAlpha(set, screen, 999, 0, 0, 100), -1);
}

TEST_F(SpriteDrawTest, TextAdvancesTwelvePixelsAndControlsDrawTheEmptyCell) {
  Sprite* text = AllocTextSprite(list, font, 0);
  text->visible = 1;
  SetSpritePos(text, 100, 50);
  std::snprintf(text->text, sizeof text->text, "AB");
  Draw();
  EXPECT_TRUE(IsRed(PixelAt(screen, 100, 55)));
  EXPECT_TRUE(IsGreen(PixelAt(screen, 112, 55)));
  EXPECT_TRUE(IsBlack(PixelAt(screen, 105, 55))) << "magenta is transparent";
  std::snprintf(text->text, sizeof text->text,
                " \n\x80\xff"
                "A");
  Draw();
  EXPECT_TRUE(IsRed(PixelAt(screen, 148, 55)));
  for (int x = 100; x < 148; x++) ASSERT_TRUE(IsBlack(PixelAt(screen, x, 55))) << x;
  text->text[0] = '\0';
  Draw();
  EXPECT_TRUE(IsBlack(PixelAt(screen, 100, 55)));
}

TEST_F(SpriteDrawTest, HalfTransparentTextThenOpaqueTextFromTheSameFontAndNothingWithoutATarget) {
  SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 248));
  DrawTextAlpha(font, "A", screen, 0, 0, 128);
  const Rgb blended = PixelAt(screen, 1, 1);
  EXPECT_NEAR(blended.r, 124, 9);
  EXPECT_NEAR(blended.b, 124, 9);
  EXPECT_TRUE(IsBlue(PixelAt(screen, 8, 1))) << "magenta stays invisible while blending";
  DrawText(font, "A", screen, 20, 0);
  EXPECT_TRUE(IsRed(PixelAt(screen, 21, 1)));
  DrawText(font, "A", nullptr, 40, 0);
  DrawText(font, nullptr, screen, 40, 0);
  DrawTextAlpha(nullptr, "A", screen, 40, 0, 128);
  EXPECT_TRUE(IsBlue(PixelAt(screen, 41, 1)));
}

}  // namespace
