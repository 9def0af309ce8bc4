#include "flow/game_flow.h"

#include <cstdio>
#include <cstdlib>

#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/options_screen.h"
#include "frontend/front_state.h"
#include "frontend/interstitials.h"
#include "frontend/name_entry.h"
#include "frontend/ranking.h"
#include "frontend/title_menu.h"
#include "game/game_state.h"
#include "game/level_attempt.h"
#include "game/recording.h"
#include "graphics/bitmap_set.h"
#include "sound/sound_bank.h"

namespace {

// The screens see the game only through these plain values, handed over
// before each of them.
void HandToScreens(const GameState* game) {
  FrontState* front = TheFrontState();
  front->sysBitmaps = game->sysBitmaps;
  front->charBitmaps = game->charBitmaps;
  front->storedLevel = GetKeyword(game->config, "level");
  front->lives = game->player.lives;
  front->life = game->player.life;
  front->score = game->player.score;
  front->scoreTail = game->scoreTail;
  front->itemsTaken = game->itemsTaken;
  front->itemsTotal = game->itemsTotal;
  front->menuChoice = game->menuChoice;
}

void Show(System* sys, void (*screen)(System*)) {
  HandToScreens(sys->game);
  screen(sys);
}

void StartNewGame(GameState* game) {
  game->player.lives = kStartLives;
  game->player.magic = kStartMagic;
  game->player.score = 0;
  game->level = 0;
  game->itemsPlaced = 0;
  game->itemsTotal = 0;
  game->itemsTaken = 0;
}

// Returns 1 when the game is over (won, lost or quit).
int AfterAttempt(System* sys) {
  GameState* game = sys->game;
  Player* player = &game->player;
  if (game->levelCleared) {
    Show(sys, ShowLevelClear);
    game->level += 1;
    game->itemsPlaced = 0;
    player->score += player->life / 100;
    if (game->level == kLevelCount) {
      Show(sys, ShowEnding);
      return 1;
    }
    return 0;
  }
  if (player->lives != 0) return 0;
  Show(sys, ShowGameOver);
  if (game->level < kLevelCount) {
    char value[16];
    std::snprintf(value, sizeof value, "%d", game->level);
    SetKeyword(game->config, "level", value);
  }
  return 1;
}

void PlayGame(System* sys) {
  GameState* game = sys->game;
  while (!sys->quit && game->player.lives > 0) {
    PlayLevelAttempt(sys);
    if (AfterAttempt(sys)) break;
  }
}

}  // namespace

int ContinueLevel(const char* stored) {
  if (!stored) return 0;
  const long level = std::strtol(stored, nullptr, 10);
  // Only an edited file holds anything else; it must not name a missing map.
  if (level < 0) return 0;
  if (level >= kLevelCount) return kLevelCount - 1;
  return static_cast<int>(level);
}

void PlayLevelAttempt(System* sys) {
  GameState* game = sys->game;
  StopLoop(sys->sound);
  std::snprintf(game->mapPath, sizeof game->mapPath, "%.1000smap%d.map", game->mapDir, game->level + 1);
  game->levelCleared = 0;
  LoadBitmapDir(game->sysBitmaps, game->mapDir);
  // Only the system set changed; the lives screen clears what this draws.
  if (sys->screen) PrimeBitmapSet(game->sysBitmaps, sys->screen);
  Show(sys, ShowLivesScreen);
  game->player.sprite = TheFrontState()->livesIcon;  // until the set-up gives the player its own
  BeginAttemptRecording(sys);
  SetUpLevelAttempt(sys);
  PlayLoop(sys->sound, LoopLevel);
  RunScene(sys);
  EndAttemptRecording(sys);
  ClearScene(sys, LayerWorld);
  FlipAndClear(sys);
}

void RunGameFlow(System* sys) {
  GameState* game = sys->game;
  game->world = sys->layers[LayerWorld];
  std::snprintf(game->mapDir, sizeof game->mapDir, "%s", kMapDir);
  while (!sys->quit) {
    StartNewGame(game);
    PlayLoop(sys->sound, LoopTitle);
    // The options screen comes and goes over the title's music.
    for (;;) {
      Show(sys, ShowTitleMenu);
      game->menuChoice = TheFrontState()->menuChoice;
      if (game->menuChoice != MenuOptions || sys->quit) break;
      ShowOptions(sys);
    }
    if (game->menuChoice == MenuOptions) return;  // the window closed on the options screen
    if (game->menuChoice == MenuContinue) game->level = ContinueLevel(GetKeyword(game->config, "level"));
    if (game->menuChoice == MenuRanking) {
      Show(sys, ShowRanking);
      continue;
    }
    if (game->menuChoice == MenuExit) return;
    PlayGame(sys);
    Show(sys, EnterHighScore);
  }
}
