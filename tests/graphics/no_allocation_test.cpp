#include <gtest/gtest.h>

#include "graphics/font.h"
#include "graphics/sprite_draw.h"
#include "graphics/sprite_update.h"
#include "support/alloc_counter.h"
#include "support/test_bitmaps.h"
#include "support/test_system.h"

namespace {

TEST(NoAllocation, UpdatingAndDrawingABusyLayerAllocatesNothing) {
  if (!AllocationCounter::Available()) GTEST_SKIP() << "needs the sanitizer runtime's allocation hooks";
  SDL_Init(SDL_INIT_VIDEO);
  TempDir dir;
  SaveTestBitmap(dir.File("a.bmp"), 48, 48, {200, 100, 0}, {0, 0, 0});
  WriteFile(dir.File("list.txt"), "1 a.bmp\n");
  BitmapSet* set = CreateBitmapSet(256);
  LoadBitmapDir(set, (dir.path() + "/").c_str());
  SDL_Surface* screen = CreateScreenSurface();
  SpriteList* list = CreateSpriteList(3072);
  for (int i = 0; i < 400; i++) {
    Sprite* sprite = AllocSprite(list, set, 100);
    sprite->frame = 1;
    sprite->visible = 1;
    sprite->cameraRelative = 1;
    SetSpritePos(sprite, (i % 20) * 48, (i / 20) * 48);
    if (i % 3 == 0) sprite->alpha = 100;
    if (i % 5 == 0) {
      sprite->vx = 2048;
      SetSpriteTrail(sprite);
    }
    if (i % 7 == 0) {
      AddSpriteAnimStep(sprite, 1, 2, AnimLoop);
      AddSpriteAnimStep(sprite, 2, 2, AnimLoop);
    }
  }
  SaveTestFontSheet(dir.File("font.bmp"));
  BitmapFont* font = LoadFont(dir.File("font.bmp").c_str());
  for (int i = 0; i < 4; i++) {
    Sprite* text = AllocTextSprite(list, font, 1500);
    text->visible = 1;
    std::snprintf(text->text, sizeof text->text, "AB %d", i);
    if (i % 2) FadeInSprite(text, 200);
  }
  PrimeBitmapSet(set, screen);  // as loading does for the game's sets
  PrimeFont(font, screen);
  AllocationCounter counter;
  for (int frame = 0; frame < 120; frame++) {
    UpdateSprites(list);
    DrawSprites(list, screen);
  }
  EXPECT_EQ(counter.Count(), 0);
  DestroySpriteList(list);
  SDL_FreeSurface(screen);
  DestroyBitmapSet(set);
  DestroyFont(font);
}

}  // namespace
