#include "frontend/title_menu.h"

#include <cstdio>
#include <cstdlib>

#include "base/media_slots.h"
#include "engine/scene.h"
#include "frontend/front_state.h"
#include "graphics/sprite_update.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kCursorX = 250;
constexpr int kCursorY = 234;
constexpr int kEntryX = 280;
constexpr int kEntryY = 240;
constexpr int kEntryStep = 40;
constexpr int kStandStill = 300;  // a long zero-length glide: placed, not moving
constexpr int kSlideFrames = 10;
constexpr int kFadeFrames = 40;
constexpr int kClosingFrames = 100;

static_assert(sizeof TitleMenuScreen::entries / sizeof(Sprite*) == kMenuEntries, "a sprite per entry");

bool Moving(const Sprite* sprite) { return sprite && IsSpriteMoving(sprite); }

void FadeOut(Sprite* sprite) {
  if (sprite) FadeOutSprite(sprite, kFadeFrames);
}

int StartEntry(const FrontState* front) {
  const char* level = front->storedLevel;
  return level && std::atoi(level) != 0 ? MenuContinue : MenuStart;
}

void SetUpMenu(System* sys) {
  SpriteList* layer = sys->layers[LayerScreens];
  TitleMenuScreen& menu = TheFrontState()->titleMenu;
  menu = TitleMenuScreen{};
  menu.cursor = StartEntry(TheFrontState());
  if (sys->input) sys->input->typedKey = SDLK_UNKNOWN;  // an O pressed before the menu showed is not for it
  Sprite*& picture = menu.picture;
  Sprite*& cursorSprite = menu.cursorSprite;
  picture = AllocSprite(layer, TheFrontState()->sysBitmaps, 0);
  if (picture) {
    picture->visible = 1;
    picture->frame = FrameTitle;
    MoveSpriteTo(picture, 0, 0, 0, 0, kStandStill);
  }
  cursorSprite = AllocSprite(layer, TheFrontState()->sysBitmaps, 0);
  if (cursorSprite) {
    const int y = kCursorY + kEntryStep * menu.cursor;
    cursorSprite->visible = 1;
    cursorSprite->frame = FrameKey;
    MoveSpriteTo(cursorSprite, kCursorX, y, kCursorX, y, kStandStill);
  }
  for (int i = 0; i < kMenuEntries; i++) {
    Sprite* entry = menu.entries[i] = AllocTextSprite(layer, sys->font, 0);
    if (!entry) continue;
    const int y = kEntryY + kEntryStep * i;
    entry->visible = 1;
    std::snprintf(entry->text, sizeof entry->text, "%s", kMenuTexts[i]);
    MoveSpriteTo(entry, kEntryX, y, kEntryX, y, kStandStill);
  }
}

void SlideCursor(Sprite* cursorSprite, int dy) {
  if (!cursorSprite) return;
  const int x = FixedToPixels(cursorSprite->x);
  const int y = FixedToPixels(cursorSprite->y);
  MoveSpriteTo(cursorSprite, x, y, x, y + dy, kSlideFrames);
}

}  // namespace

void UpdateTitleMenu(System* sys) {
  TitleMenuScreen& menu = TheFrontState()->titleMenu;
  int& cursor = menu.cursor;
  Sprite* cursorSprite = menu.cursorSprite;
  // A menu left by quitting while it closed must not hand its countdown to
  // the next menu, which would then skip its own set-up.
  if (sys->timer.frameCount == 0) menu.closing = 0;
  if (menu.closing != 0) {
    if (--menu.closing == 0) sys->sceneEnd = 1;
    return;
  }
  if (sys->timer.frameCount == 0) {
    SetUpMenu(sys);
    cursorSprite = menu.cursorSprite;
  }
  InputState* input = sys->input;
  PollInput(input);

  if (cursorSprite) {
    if (IsSpriteMoving(cursorSprite))
      SetSpriteTrail(cursorSprite);
    else
      ClearSpriteEffect(cursorSprite);
  }

  if (input->pressed[ButtonZ] || input->enterPressed) {
    FadeOut(menu.picture);
    FadeOut(cursorSprite);
    for (int i = 0; i < kMenuEntries; i++)
      if (i != cursor) FadeOut(menu.entries[i]);
    menu.closing = kClosingFrames;
    TheFrontState()->menuChoice = cursor;
    PlaySound(sys->sound, SndMenuSelect);
  }
  const bool options = input->typedKey == SDLK_o || input->backPressed;
  input->typedKey = SDLK_UNKNOWN;
  if (options && menu.closing == 0) {
    TheFrontState()->menuChoice = MenuOptions;
    PlaySound(sys->sound, SndMenuSelect);
    sys->sceneEnd = 1;
    return;
  }

  // Up is looked at first: once it starts a slide, Down finds the cursor
  // moving and does nothing.
  bool moved = false;
  if (input->pressed[Up] && cursor >= 1 && !Moving(cursorSprite)) {
    cursor -= 1;
    SlideCursor(cursorSprite, -kEntryStep);
    moved = true;
  }
  if (!moved && input->pressed[Down] && cursor <= kMenuEntries - 2 && !Moving(cursorSprite)) {
    cursor += 1;
    SlideCursor(cursorSprite, kEntryStep);
  }
}

void ShowTitleMenu(System* sys) {
  sys->updateLayer[LayerScreens] = UpdateTitleMenu;
  RunScene(sys);
  ClearScene(sys, LayerScreens);
}
