#include "flow/game_resources.h"

#include <cstring>

#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/comforts.h"
#include "flow/game_flow.h"
#include "game/game_state.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "sound/sound_bank.h"

namespace {

BitmapSet* LoadBitmapSet(const char* dir) {
  BitmapSet* set = CreateBitmapSet(256);
  LoadBitmapDir(set, dir);
  return set;
}

}  // namespace

void LoadGameResources(System* sys) {
  GameState* game = sys->game;
  game->sysBitmaps = LoadBitmapSet(kSysBitmapDir);
  game->charBitmaps = LoadBitmapSet(kCharBitmapDir);
  game->enemyBitmaps = LoadBitmapSet(kEnemyBitmapDir);
  sys->sound = CreateSoundBank(256);
  LoadSoundDir(sys->sound, kSoundDir);
  game->config = TakeSettings();
  PrimeBlits(sys);
}

void PrimeBlits(System* sys) {
  if (!sys->screen) return;
  GameState* game = sys->game;
  PrimeBitmapSet(game->sysBitmaps, sys->screen);
  PrimeBitmapSet(game->charBitmaps, sys->screen);
  PrimeBitmapSet(game->enemyBitmaps, sys->screen);
  PrimeFont(sys->font, sys->screen);
  SDL_FillRect(sys->screen, nullptr, SDL_MapRGB(sys->screen->format, 0, 0, 0));
}

void UnloadGameResources(System* sys) {
  GameState* game = sys->game;
  DestroyBitmapSet(game->sysBitmaps);
  DestroyBitmapSet(game->charBitmaps);
  DestroyBitmapSet(game->enemyBitmaps);
  DestroySoundBank(sys->sound);
  SaveKeywordFile(game->config, kConfigPath);
  DestroyKeywordMap(game->config);
  // Cleared so a later run in the same process starts from nothing.
  game->sysBitmaps = game->charBitmaps = game->enemyBitmaps = nullptr;
  game->config = nullptr;
  sys->sound = nullptr;
}

void RunGame(System* sys) {
  sys->game = TheGameState();
  std::memset(sys->game, 0, sizeof(GameState));
  LoadGameResources(sys);
  LoadComforts(sys);
  DelayOnFrameClock(1000);
  RunGameFlow(sys);
  SetSceneKeyHook(nullptr);
  UnloadGameResources(sys);
  ClearAllScenes(sys);
}
