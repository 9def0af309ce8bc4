#include "game/game_flow.h"

#include <cstdio>

#include "engine/scene.h"
#include "game/game_state.h"
#include "game/level_attempt.h"
#include "graphics/bitmap_set.h"
#include "sound/sound_bank.h"

void RunGameFlow(System* sys) {
  GameState* game = sys->game;
  game->world = sys->layers[1];
  std::snprintf(game->mapDir, sizeof game->mapDir, "./Media/map/");
  game->player.lives = 3;
  game->player.magic = 5;
  while (!sys->quit && game->player.lives > 0) {
    StopLoop(sys->sound);
    if (std::snprintf(game->mapPath, sizeof game->mapPath, "%smap%d.map", game->mapDir, game->level + 1) < 0) break;
    game->levelCleared = 0;
    LoadBitmapDir(game->sysBitmaps, game->mapDir);
    SetUpLevelAttempt(sys);
    PlayLoop(sys->sound, LoopLevel);
    RunScene(sys);
    ClearScene(sys, 1);
    FlipAndClear(sys);
    if (game->levelCleared) break;
  }
}
