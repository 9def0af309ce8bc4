#include "game/level_loader.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/text_lines.h"
#include "game/enemy_table.h"
#include "game/grid.h"
#include "game/items.h"
#include "graphics/sprite_update.h"

namespace {

constexpr int kEnemyFields = 5;

// Map positions are cell indices; anything else in a file is pulled into
// the grid so no later arithmetic on it can overflow.
int ClampCell(int value) { return value < 0 ? 0 : value >= kGridSize ? kGridSize - 1 : value; }

void ResetGrid(GameState* game) {
  for (int column = 0; column < kGridSize; column++)
    for (int row = 0; row < kGridSize; row++) {
      Sprite* tile = game->tiles[column][row];
      if (!tile) continue;
      const bool ring = column == 0 || column == kGridSize - 1 || row == 0 || row == kGridSize - 1;
      tile->frame = ring ? TileWall : TileEmpty;
      tile->visible = 0;
      SetSpritePos(tile, column * kCellSize, row * kCellSize);
      tile->cameraRelative = 1;
    }
}

// Returns the number of codes read.
int ReadTiles(GameState* game, FILE* map) {
  int code = 0;
  int read = 0;
  for (int n = 0; n < kGridSize * kGridSize; n++) {
    // A section that ends early repeats the last code read; before the first
    // one, cells keep their reset codes.
    if (std::fscanf(map, "%d ", &code) == 1) read++;
    Sprite* tile = game->tiles[n % kGridSize][n / kGridSize];
    if (tile && read > 0) tile->frame = code;
  }
  return read;
}

void ReadItems(System* sys, FILE* map) {
  GameState* game = sys->game;
  for (;;) {
    int type = 0, column = 0, row = 0, hidden = 0;
    const int fields = std::fscanf(map, "%d %d %d %d\n", &type, &column, &row, &hidden);
    // The list ends at its -1 record, at the end of the file, or at anything
    // that is not a whole record.
    if (fields < 1 || type == -1 || fields < 4) break;
    if (game->itemsPlaced) continue;
    // A type with no item behind it is not counted: it could never be taken.
    if (type < 1 || type > kItemTypeCount) continue;
    game->itemsTotal = AddCapped(game->itemsTotal, 1, INT_MAX);
    Item* item = AddItem(sys, type, ClampCell(column), ClampCell(row), hidden);
    if (item && hidden != 0 && item->sprite) item->sprite->visible = 0;
  }
}

int ParseMapNumber(const char* token) {
  errno = 0;
  const long value = std::strtol(token, nullptr, 10);
  if (value > 1000000) return 1000000;
  if (value < -1000000) return -1000000;
  return static_cast<int>(value);
}

void ReadEnemies(System* sys, FILE* map) {
  LineReader reader;
  reader.file = map;
  int values[kEnemyFields] = {0, 0, 0, 0, 0};
  while (char* line = ReadLine(&reader)) {
    if (IsSkippedLine(line)) continue;
    char* rest = line;
    for (int i = 0; i < kEnemyFields; i++) {
      rest += std::strspn(rest, " \t\r\n");
      if (!*rest) break;
      char* end = rest + std::strcspn(rest, " \t\r\n");
      const char saved = *end;
      *end = '\0';
      values[i] = ParseMapNumber(rest);
      *end = saved;
      rest = end;
    }
    AddMapEnemy(sys, values[0], ClampCell(values[1]), ClampCell(values[2]), values[3], values[4]);
  }
}

Sprite* PlaceWorldSprite(System* sys, int start, int frame, int column, int row) {
  GameState* game = sys->game;
  Sprite* sprite = AllocSprite(game->world, game->sysBitmaps, start);
  if (!sprite) return nullptr;
  sprite->frame = frame;
  SetSpritePos(sprite, column * kCellSize, row * kCellSize);
  sprite->visible = 1;
  sprite->cameraRelative = 1;
  return sprite;
}

void TakeSprite(Item* object, Sprite* sprite) {
  std::memset(object, 0, sizeof(Item));
  object->sprite = sprite;
  object->spriteSerial = sprite ? sprite->serial : 0;
}

Sprite* AddStatusLine(System* sys, int y) {
  Sprite* line = AllocTextSprite(sys->game->world, sys->font, SlotStatus);
  if (!line) return nullptr;
  SetSpritePos(line, 0, y);
  line->visible = 1;
  return line;
}

}  // namespace

void CreateTileSprites(System* sys) {
  GameState* game = sys->game;
  for (int row = 0; row < kGridSize; row++)
    for (int column = 0; column < kGridSize; column++)
      game->tiles[column][row] = AllocSprite(game->world, game->sysBitmaps, SlotTiles);
}

void ShowTiles(System* sys, int flag) {
  GameState* game = sys->game;
  for (int column = 0; column < kGridSize; column++)
    for (int row = 0; row < kGridSize; row++)
      if (Sprite* tile = game->tiles[column][row]) tile->visible = flag;
}

void LoadLevel(System* sys) {
  FILE* map = OpenRegularFile(sys->game->mapPath);
  if (!map) ReportDiagnostic(msg::MsgOpenFailed, sys->game->mapPath);
  LoadLevelStream(sys, map);
  if (map) std::fclose(map);
}

void LoadLevelStream(System* sys, FILE* map) {
  GameState* game = sys->game;
  Player* player = &game->player;
  ResetGrid(game);
  ClearEnemies(sys);
  int header[6] = {1, 1, 1, 1, 1, 1};
  if (map) {
    const int codes = ReadTiles(game, map);
    const int positions = std::fscanf(map, "\n%d %d %d %d %d %d\n", &header[0], &header[1], &header[2], &header[3],
                                      &header[4], &header[5]);
    // The level is played all the same (an empty map clears at once), but
    // not without a word. Tiles that stop short leave nothing for the
    // positions either, so one message says where the map gave out.
    if (codes < kGridSize * kGridSize)
      ReportDiagnostic(msg::MsgMapTiles, game->mapPath);
    else if (positions != 6)
      ReportDiagnostic(msg::MsgMapPositions, game->mapPath);
    if (game->itemsPlaced == 0)
      ClearItems(sys);
    else
      RestoreItemSprites(sys);
    ReadItems(sys, map);
    game->itemsPlaced = 1;
    ReadEnemies(sys, map);
  } else if (game->itemsPlaced == 0) {
    ClearItems(sys);  // no map, no items: none of an earlier level linger
  } else {
    RestoreItemSprites(sys);
  }
  for (int& value : header) value = ClampCell(value);

  player->x = PixelsToFixed(header[0] * kCellSize);
  player->y = PixelsToFixed(header[1] * kCellSize);
  player->vx = 0;
  player->vy = 0;
  if (player->sprite) player->sprite->cameraRelative = 1;
  if (player->magic <= kStartMagic) player->magic = kStartMagic;
  TakeSprite(&game->key, PlaceWorldSprite(sys, SlotItems, FrameKey, header[4], header[5]));
  TakeSprite(&game->door, PlaceWorldSprite(sys, SlotItems, FrameDoorClosed, header[2], header[3]));
  player->life = kStartLife;

  if (Sprite* backdrop = AllocSprite(game->world, game->sysBitmaps, SlotBackdrop)) {
    backdrop->frame = FrameBackdrop;
    backdrop->visible = 1;
  }
  game->statusLine1 = AddStatusLine(sys, 0);
  game->statusLine2 = AddStatusLine(sys, 463);
}
