// mapview: draws a whole level (960 x 960) with its tiles, items (hidden ones
// faint), enemies, spawners, key, door and the player's start as one BMP.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "engine/system.h"
#include "flow/game_resources.h"
#include "flow/headless.h"
#include "game/game_state.h"
#include "game/grid.h"
#include "game/level_attempt.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "graphics/sprite_draw.h"
#include "graphics/sprite_update.h"

namespace {

// Spawners are not enemies yet: show what they will make, half transparent.
void MarkSpawners(System* sys) {
  GameState* game = sys->game;
  for (int i = 0; i < game->spawnerCount; i++) {
    const EnemySpawner& spawner = game->spawners[i];
    Sprite* mark = AllocSprite(game->world, game->enemyBitmaps, SlotEnemies);
    if (!mark) return;
    mark->frame = spawner.type == EnemyWalker ? 20 : 60;
    mark->x = spawner.x;
    mark->y = spawner.y;
    mark->cameraRelative = 1;
    mark->visible = 1;
    mark->alpha = 128;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr,
                 "usage: mapview MAP OUT.bmp\nDraws the whole level MAP as one 960 x 960 picture, run from the folder "
                 "that holds Media/.\n");
    return 2;
  }
  System* sys = StartHeadlessGame(HeadlessPictures | HeadlessConsole);
  if (!sys) return 1;
  GameState* game = sys->game;
  game->world = sys->layers[1];
  game->player.lives = kStartLives;
  std::snprintf(game->mapPath, sizeof game->mapPath, "%s", argv[1]);
  SetUpLevelAttempt(sys);
  MarkSpawners(sys);
  // Hidden items show faintly; enemies show their first animation frame.
  for (const Item& item : game->items)
    if (item.type && item.hidden && item.sprite) {
      item.sprite->visible = 1;
      item.sprite->alpha = 110;
    }
  for (const Enemy& enemy : game->enemies)
    if (enemy.type && enemy.sprite && enemy.sprite->animStep >= 0) enemy.sprite->frame = enemy.sprite->anim[0].frame;

  SDL_Surface* picture = SDL_CreateRGBSurface(SDL_SWSURFACE, kLevelPixels, kLevelPixels, 16, 0xF800, 0x07E0, 0x001F, 0);
  SDL_FillRect(picture, nullptr, SDL_MapRGB(picture->format, 24, 20, 40));
  // The backdrop is screen-fixed in play; tile it behind the whole level.
  for (int y = 0; y < kLevelPixels; y += kScreenHeight)
    for (int x = 0; x < kLevelPixels; x += kScreenWidth) BlitBitmap(game->sysBitmaps, picture, FrameBackdrop, x, y);
  SpriteList* world = game->world;
  world->cameraX = world->cameraY = 0;
  for (int i = 0; i < world->capacity; i++) {
    Sprite& s = world->sprites[i];
    if (s.inUse && s.cameraRelative != 1) s.visible = 0;  // backdrop and status lines
  }
  DrawSprites(world, picture);
  const int rc = SDL_SaveBMP(picture, argv[2]);
  if (rc != 0) std::fprintf(stderr, "mapview: cannot write %s\n", argv[2]);
  SDL_FreeSurface(picture);
  StopHeadlessGame(sys);
  return rc == 0 ? 0 : 1;
}
