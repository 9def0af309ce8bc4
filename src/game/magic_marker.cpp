#include "game/magic_marker.h"

#include "engine/scene.h"
#include "game/grid.h"
#include "game/level_frame.h"
#include "game/magic.h"
#include "graphics/sprite_draw.h"

void DrawMagicMarker(System* sys) {
  const GameState* game = sys->game;
  const SpriteList* world = sys->layers[LayerWorld];
  if (!game || !world || !sys->screen || sys->updateLayer[LayerWorld] != UpdateGameFrame) return;
  if (sys->layerFlags[LayerWorld] & LayerNoUpdate) return;
  const Player& player = game->player;
  if (!player.sprite || player.dying || player.clearTimer != 0 || game->levelCleared) return;
  int column, row;
  BlockMagicCell(&player, &column, &row);
  if (!InGrid(column, row)) return;
  // Placed as the tile sprites are, less the layer's camera.
  const int x = kCellSize * column - FixedToPixels(world->cameraX);
  const int y = kCellSize * row - FixedToPixels(world->cameraY);
  BlitBitmap(game->sysBitmaps, sys->screen, FrameMagicMarker, x, y);
}
