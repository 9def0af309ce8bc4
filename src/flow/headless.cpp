#include "flow/headless.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/console_text.h"
#include "engine/scene.h"
#include "flow/game_resources.h"
#include "game/game_state.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"

namespace {

BitmapSet* NewSet(const char* dir) {
  BitmapSet* set = CreateBitmapSet(256);
  if (dir) LoadBitmapDir(set, dir);
  return set;
}

// The font's measures without its picture: text sprites, and the trails only
// text with a font leaves, are made as with the picture.
BitmapFont* MeasuresOnlyFont() {
  auto* font = static_cast<BitmapFont*>(std::calloc(1, sizeof(BitmapFont)));
  if (!font) return nullptr;
  font->glyphWidth = font->glyphHeight = 16;
  LayoutFontGlyphs(font, 16);
  font->advance = kFontAdvance;
  return font;
}

}  // namespace

System* StartHeadlessGame(int options) {
#ifndef __EMSCRIPTEN__  // a browser has no terminal to convert for
  if (options & HeadlessConsole) UseLocaleConsole();
#endif
  setenv("SDL_VIDEODRIVER", "dummy", 0);
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  System* sys = CreateSystem();
  if (!sys) return nullptr;
  const bool screenless = options & HeadlessScreenless;
  InitSystemParts(sys, screenless ? 0 : SystemScreen);
  if (screenless) sys->font = MeasuresOnlyFont();
  bool usable = (screenless || sys->screen) && sys->input && (!screenless || sys->font);
  for (SpriteList* layer : sys->layers) usable = usable && layer;
  if (!usable) {
    DestroySystem(sys);
    return nullptr;
  }
  const bool withPictures = (options & HeadlessPictures) && !screenless;
  GameState* game = TheGameState();
  std::memset(game, 0, sizeof(GameState));
  sys->game = game;
  game->sysBitmaps = NewSet(withPictures ? kSysBitmapDir : nullptr);
  game->charBitmaps = NewSet(withPictures ? kCharBitmapDir : nullptr);
  game->enemyBitmaps = NewSet(withPictures ? kEnemyBitmapDir : nullptr);
  if (!game->sysBitmaps || !game->charBitmaps || !game->enemyBitmaps) {
    StopHeadlessGame(sys);
    return nullptr;
  }
  ResetHeadlessGame(sys);
  if (withPictures) {
    LoadBitmapDir(game->sysBitmaps, game->mapDir);
    PrimeBlits(sys);
  }
  return sys;
}

void ResetHeadlessGame(System* sys) {
  ClearAllScenes(sys);
  sys->quit = sys->sceneEnd = sys->endCountdown = 0;
  GameState* game = sys->game;
  BitmapSet* sets[3] = {game->sysBitmaps, game->charBitmaps, game->enemyBitmaps};
  KeywordMap* config = game->config;
  std::memset(game, 0, sizeof(GameState));
  game->sysBitmaps = sets[0];
  game->charBitmaps = sets[1];
  game->enemyBitmaps = sets[2];
  game->config = config;
  game->world = sys->layers[LayerWorld];
  game->player.lives = kStartLives;
  game->player.magic = kStartMagic;
  std::snprintf(game->mapDir, sizeof game->mapDir, "%s", kMapDir);
}

void StopHeadlessGame(System* sys) {
  if (!sys) return;
  GameState* game = sys->game;
  ClearAllScenes(sys);
  DestroyBitmapSet(game->sysBitmaps);
  DestroyBitmapSet(game->charBitmaps);
  DestroyBitmapSet(game->enemyBitmaps);
  std::memset(game, 0, sizeof(GameState));
  DestroySystem(sys);
}
