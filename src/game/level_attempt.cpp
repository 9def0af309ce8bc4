#include "game/level_attempt.h"

#include <cstdio>
#include <cstring>

#include "engine/scene.h"
#include "game/game_state.h"
#include "game/level_frame.h"
#include "game/level_loader.h"
#include "graphics/sprite_update.h"

namespace {

constexpr int kIntroStart = 1500;
constexpr int kIntroEnd = 130;  // the world starts moving after this frame

Sprite* IntroSprite(System* sys, bool text) {
  SpriteList* layer = sys->layers[LayerScreens];
  Sprite* sprite =
      text ? AllocTextSprite(layer, sys->font, kIntroStart) : AllocSprite(layer, sys->game->sysBitmaps, kIntroStart);
  if (!sprite) return nullptr;
  if (!text) sprite->frame = FrameOverlay;
  sprite->visible = 1;
  return sprite;
}

void BeginAttemptSetUp(System* sys) {
  GameState* game = sys->game;
  Player* player = &game->player;
  CreateTileSprites(sys);
  player->sprite = AllocSprite(game->world, game->charBitmaps, SlotPlayer);
  if (player->sprite) {
    player->sprite->frame = FramePlayerStand;
    ResetSpriteAnim(player->sprite);
  }
  player->actionTimer = 0;
  player->dying = 0;
  player->clearTimer = 0;
  // Last attempt's fireballs: their sprites went with the cleared layer.
  for (int i = 0; i < kFireballSlots; i++)
    if (Sprite* fireball = LiveFireball(game, i)) ResetSprite(fireball);
}

void FinishAttemptSetUp(System* sys) {
  sys->updateLayer[LayerWorld] = UpdateGameFrame;
  FreezeLayer(sys, LayerWorld);
  sys->updateLayer[LayerScreens] = LevelIntroUpdate;
  ShowTiles(sys, 1);
  UpdateGameFrame(sys);
}

}  // namespace

void SetUpLevelAttempt(System* sys) {
  BeginAttemptSetUp(sys);
  LoadLevel(sys);
  FinishAttemptSetUp(sys);
}

void SetUpLevelAttemptFrom(System* sys, FILE* map) {
  BeginAttemptSetUp(sys);
  LoadLevelStream(sys, map);
  FinishAttemptSetUp(sys);
}

void StartLevelIntro(System* sys, LevelIntro* intro) {
  std::memset(intro, 0, sizeof(LevelIntro));
  if (Sprite* backdrop = IntroSprite(sys, false)) {
    backdrop->delay = 20;
    FadeOutSprite(backdrop, 80);
    intro->backdrop = backdrop;
  }
  if (Sprite* cover = IntroSprite(sys, false)) cover->life = 20;
  if (Sprite* text = IntroSprite(sys, true)) {
    std::snprintf(text->text, sizeof text->text, "Level %d", sys->game->level + 1);
    MoveSpriteTo(text, 0, 280, 280, 200, 10);
    SetSpriteTrail(text);
    text->delay = 20;
    intro->text = text;
  }
}

void LevelIntroUpdate(System* sys) {
  const uint32_t frame = sys->timer.frameCount;
  if (frame == 0) StartLevelIntro(sys, &sys->game->intro);
  if (frame == 45 && sys->game->intro.text) ClearSpriteEffect(sys->game->intro.text);
  if (frame == 110 && sys->game->intro.text) FadeOutSprite(sys->game->intro.text, 20);
  if (frame > kIntroEnd) {
    ResetLayerFlags(sys, LayerWorld);
    ClearScene(sys, LayerScreens);
  }
}
