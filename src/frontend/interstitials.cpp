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

Sprite* clearPicture = nullptr;
Sprite* clearTitle = nullptr;
Sprite* clearTime = nullptr;
Sprite* finalPicture = nullptr;

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
    clearPicture = AllocSprite(layer, TheFrontState()->sysBitmaps, 0);
    if (clearPicture) {
      clearPicture->visible = 1;
      clearPicture->frame = FrameLevelClear;
    }
    Slide(clearPicture, kScreenWidth, 0, 0, 0);
    clearTitle = AllocTextSprite(layer, sys->font, 0);
    if (clearTitle) {
      clearTitle->visible = 1;
      std::snprintf(clearTitle->text, sizeof clearTitle->text, "Level Clear!");
    }
    Slide(clearTitle, 200, 480, 280, 80);
    clearTime = AllocTextSprite(layer, sys->font, 0);
    if (clearTime) {
      clearTime->visible = 1;
      FormatLeftTime(clearTime->text, sizeof clearTime->text, TheFrontState()->life);
    }
    Slide(clearTime, 200, 480, 280, 140);
  } else if (frame == kLeaveFrame) {
    if (clearPicture) FadeOutSprite(clearPicture, kPictureFade);
    // The texts jump up and drop off the bottom of the screen.
    Slide(clearTitle, 200, 160, 300, 480);
    Slide(clearTime, 200, 240, 280, 480);
  } else if (frame == kLevelClearEnd) {
    sys->sceneEnd = 1;
  }
}

void UpdateFinalScreen(System* sys, int pictureFrame) {
  const uint32_t frame = sys->timer.frameCount;
  if (frame == 0) {
    finalPicture = AllocSprite(sys->layers[LayerScreens], TheFrontState()->sysBitmaps, 0);
    if (!finalPicture) return;
    finalPicture->visible = 1;
    finalPicture->frame = pictureFrame;
    SetSpritePos(finalPicture, 0, 0);
    FadeInSprite(finalPicture, kFinalFadeIn);
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
