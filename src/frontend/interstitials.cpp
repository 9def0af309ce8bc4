#include "frontend/interstitials.h"

#include <cstdio>

#include "base/media_slots.h"
#include "engine/scene.h"
#include "frontend/front_state.h"
#include "graphics/font.h"
#include "graphics/sprite_update.h"

namespace {

constexpr int kIconStart = 600;  // the player's own region of the layer
constexpr int kIconX = 250;
constexpr int kIconY = 200;
constexpr int kLivesTextX = 300;
constexpr int kLivesTextY = 200;

constexpr int kSlideFrames = 10;
constexpr int kLeaveFrame = 100;
constexpr int kPictureFade = 40;
constexpr int kFinalFadeIn = 120;

// These screens' record inside FrontState, by a short name; the state lives there.
InterstitialScreen& shown = TheFrontState()->interstitials;

void Slide(Sprite* sprite, int x0, int y0, int x1, int y1) {
  if (sprite) MoveSpriteTo(sprite, x0, y0, x1, y1, kSlideFrames);
}

void LivesTimer(System* sys) {
  if (sys->timer.frameCount >= kLivesScreenEnd) sys->sceneEnd = 1;
}

void DrawLives(System* sys) {
  if (!sys->screen) return;
  SDL_FillRect(sys->screen, nullptr, SDL_MapRGB(sys->screen->format, 0, 0, 0));
  char text[32];
  FormatLivesText(text, sizeof text, TheFrontState()->lives);
  DrawText(sys->font, text, sys->screen, kLivesTextX, kLivesTextY);
}

void UpdateLevelClear(System* sys) {
  SpriteList* layer = sys->layers[LayerScreens];
  const uint32_t frame = sys->timer.frameCount;
  if (frame == 0) {
    shown.clearPicture = AllocSprite(layer, TheFrontState()->sysBitmaps, 0);
    if (shown.clearPicture) {
      shown.clearPicture->visible = 1;
      shown.clearPicture->frame = FrameLevelClear;
    }
    Slide(shown.clearPicture, kScreenWidth, 0, 0, 0);
    shown.clearTitle = AllocTextSprite(layer, sys->font, 0);
    if (shown.clearTitle) {
      shown.clearTitle->visible = 1;
      std::snprintf(shown.clearTitle->text, sizeof shown.clearTitle->text, "Level Clear!");
    }
    Slide(shown.clearTitle, 200, 480, 280, 80);
    shown.clearTime = AllocTextSprite(layer, sys->font, 0);
    if (shown.clearTime) {
      shown.clearTime->visible = 1;
      FormatLeftTime(shown.clearTime->text, sizeof shown.clearTime->text, TheFrontState()->life);
    }
    Slide(shown.clearTime, 200, 480, 280, 140);
  } else if (frame == kLeaveFrame) {
    if (shown.clearPicture) FadeOutSprite(shown.clearPicture, kPictureFade);
    // The texts jump up and drop off the bottom of the screen.
    Slide(shown.clearTitle, 200, 160, 300, 480);
    Slide(shown.clearTime, 200, 240, 280, 480);
  } else if (frame == kLevelClearEnd) {
    sys->sceneEnd = 1;
  }
}

void UpdateFinalScreen(System* sys, int pictureFrame) {
  const uint32_t frame = sys->timer.frameCount;
  if (frame == 0) {
    shown.finalPicture = AllocSprite(sys->layers[LayerScreens], TheFrontState()->sysBitmaps, 0);
    if (!shown.finalPicture) return;
    shown.finalPicture->visible = 1;
    shown.finalPicture->frame = pictureFrame;
    SetSpritePos(shown.finalPicture, 0, 0);
    FadeInSprite(shown.finalPicture, kFinalFadeIn);
  } else if (frame == kFinalScreenEnd) {
    sys->sceneEnd = 1;
  }
}

void UpdateGameOver(System* sys) { UpdateFinalScreen(sys, FrameGameOver); }
void UpdateEnding(System* sys) { UpdateFinalScreen(sys, FrameEnding); }

void RunOnLayer(System* sys, SceneCallback update) {
  sys->updateLayer[LayerScreens] = update;
  RunScene(sys);
  ClearScene(sys, LayerScreens);
}

}  // namespace

void FormatLivesText(char* out, size_t size, int lives) { std::snprintf(out, size, "x %2d", lives); }

void FormatLeftTime(char* out, size_t size, int life) { std::snprintf(out, size, "Left Time %6d", life); }

void ShowLivesScreen(System* sys) {
  sys->preUpdate = LivesTimer;
  sys->drawBackground = DrawLives;
  FrontState* front = TheFrontState();
  Sprite* icon = front->livesIcon = AllocSprite(sys->layers[LayerScreens], front->charBitmaps, kIconStart);
  if (icon) {
    icon->x = PixelsToFixed(kIconX);
    icon->y = PixelsToFixed(kIconY);
    icon->visible = 1;
    icon->frame = FramePlayerStand;
  }
  RunScene(sys);
  ClearScene(sys, LayerScreens);
}

void ShowLevelClear(System* sys) { RunOnLayer(sys, UpdateLevelClear); }
void ShowGameOver(System* sys) { RunOnLayer(sys, UpdateGameOver); }
void ShowEnding(System* sys) { RunOnLayer(sys, UpdateEnding); }
