#include "game/game_flow.h"

#include <cstdio>
#include <cstdlib>

#include "config/keyword_map.h"
#include "engine/scene.h"
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

enum MenuChoice { ChoiceStart = 0, ChoiceContinue = 1, ChoiceRanking = 2, ChoiceExit = 3 };

void StartNewGame(GameState* game) {
  game->player.lives = 3;
  game->player.magic = 5;
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
    ShowLevelClear(sys);
    game->level += 1;
    game->itemsPlaced = 0;
    player->score += player->life / 100;
    if (game->level == kLevelCount) {
      ShowEnding(sys);
      return 1;
    }
    return 0;
  }
  if (player->lives != 0) return 0;
  ShowGameOver(sys);
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
  ShowLivesScreen(sys);
  BeginAttemptRecording(sys);
  SetUpLevelAttempt(sys);
  PlayLoop(sys->sound, LoopLevel);
  RunScene(sys);
  EndAttemptRecording(sys);
  ClearScene(sys, 1);
  FlipAndClear(sys);
}

void RunGameFlow(System* sys) {
  GameState* game = sys->game;
  game->world = sys->layers[1];
  std::snprintf(game->mapDir, sizeof game->mapDir, "./Media/map/");
  while (!sys->quit) {
    StartNewGame(game);
    PlayLoop(sys->sound, LoopTitle);
    ShowTitleMenu(sys);
    if (game->menuChoice == ChoiceContinue) game->level = ContinueLevel(GetKeyword(game->config, "level"));
    if (game->menuChoice == ChoiceRanking) {
      ShowRanking(sys);
      continue;
    }
    if (game->menuChoice == ChoiceExit) return;
    PlayGame(sys);
    EnterHighScore(sys);
  }
}
