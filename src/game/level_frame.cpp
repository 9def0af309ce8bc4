#include "game/level_frame.h"

#include <cstdio>

#include "game/enemy_table.h"
#include "game/game_state.h"
#include "game/items.h"
#include "game/magic.h"
#include "game/player.h"
#include "graphics/sprite_update.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kClearFrames = 100;
constexpr int kWipeSquare = 16;

int ScreenWidth(const System* sys) { return sys->screen ? sys->screen->w : kScreenWidth; }
int ScreenHeight(const System* sys) { return sys->screen ? sys->screen->h : kScreenHeight; }

void StartDeathOverlay(System* sys) {
  Sprite* overlay = AllocSprite(sys->layers[LayerScreens], sys->game->sysBitmaps, SlotStatus);
  if (overlay) {
    SetSpritePos(overlay, 0, 0);
    overlay->frame = FrameOverlay;
    overlay->visible = 1;
    overlay->delay = 50;
    FadeInSprite(overlay, 100);
    overlay->life = kDeathFrames;
  }
  PlayDeathAnim(sys);
}

bool PlayerTouches(const Player* player, const Item& object) {
  if (!ItemOwnsSprite(&object)) return false;
  return BoxesOverlap(FixedToPixels(player->x), FixedToPixels(player->y), FixedToPixels(object.sprite->x),
                      FixedToPixels(object.sprite->y));
}

}  // namespace

void UpdateGameFrame(System* sys) {
  GameState* game = sys->game;
  Player* player = &game->player;
  if (player->life > 0 && game->levelCleared == 0) player->life -= 1;
  if (player->life <= 0 && !player->dying) {
    player->dying = 1;
    player->deathTimer = kDeathFrames;
  }
  if (player->dying) {
    if (player->deathTimer == kDeathFrames) StartDeathOverlay(sys);
    player->deathTimer -= 1;
    if (player->deathTimer <= 0) {
      player->lives -= 1;
      sys->sceneEnd = 1;
    }
  }
  if (player->clearTimer > 0) {
    player->clearTimer -= 1;
    if (player->clearTimer == 0) sys->sceneEnd = 1;
  }
  UpdateStatusLine(sys);
  if (UpdatePlayer(sys)) CheckKeyAndDoor(sys);
  UpdateCamera(sys);
  UpdateFireballs(sys);
  UpdateSpawners(sys);
  UpdateEnemies(sys);
  UpdateItems(sys);
}

void UpdateCamera(System* sys) {
  GameState* game = sys->game;
  SpriteList* world = game->world;
  if (!world) return;
  const int w = ScreenWidth(sys);
  const int h = ScreenHeight(sys);
  const int camX = ClampCameraAxis(FixedToPixels(game->player.x) - (w - kCellSize) / 2, w);
  const int camY = ClampCameraAxis(FixedToPixels(game->player.y) - (h - kCellSize) / 2, h);
  world->cameraX = PixelsToFixed(camX);
  world->cameraY = PixelsToFixed(camY);
}

void UpdateStatusLine(System* sys) {
  GameState* game = sys->game;
  const Player& player = game->player;
  if (Sprite* line = game->statusLine1)
    std::snprintf(line->text, sizeof line->text, "Life %6d Score %6d%02d", player.life, player.score, game->scoreTail);
  if (Sprite* line = game->statusLine2) std::snprintf(line->text, sizeof line->text, "Magic x %3d", player.magic);
}

void CheckKeyAndDoor(System* sys) {
  GameState* game = sys->game;
  Player* player = &game->player;
  if (PlayerTouches(player, game->key)) {
    ResetSprite(game->key.sprite);
    if (ItemOwnsSprite(&game->door)) game->door.sprite->frame = FrameDoorOpen;
    PlaySound(sys->sound, SndKeyTaken);
  }
  if (ItemOwnsSprite(&game->door) && game->door.sprite->frame == FrameDoorOpen && PlayerTouches(player, game->door)) {
    game->levelCleared = 1;
    player->clearTimer = kClearFrames;
    if (player->sprite) player->sprite->visible = 0;
    StartClearWipe(sys);
  }
}

void StartClearWipe(System* sys) {
  const int w = ScreenWidth(sys);
  const int h = ScreenHeight(sys);
  SpriteList* world = sys->layers[LayerWorld];
  if (!world) return;
  // The squares take the layer's last slots, so that every one is drawn over
  // all the level shows; a lower start would wrap the last columns round to
  // the slots under the tiles.
  const int squares = ((w + kWipeSquare - 1) / kWipeSquare) * ((h + kWipeSquare - 1) / kWipeSquare);
  const int start = squares < world->capacity ? world->capacity - 1 - squares : 0;
  for (int sx = 0, column = 0; sx < w; sx += kWipeSquare, column++)
    for (int sy = 0; sy < h; sy += kWipeSquare) {
      Sprite* square = AllocSprite(world, sys->game->sysBitmaps, start);
      if (!square) return;
      square->frame = FrameWipe;
      square->visible = 1;
      square->delay = 2 * column;
      SetSpritePos(square, sx, sy);
      FadeInSprite(square, 10);
    }
}
