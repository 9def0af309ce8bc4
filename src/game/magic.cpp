#include "game/magic.h"

#include "game/enemy_behaviours.h"
#include "game/grid.h"
#include "game/items.h"
#include "game/tile_collision.h"
#include "graphics/sprite_update.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kFireballSpeed = 16384;
constexpr int kFireballLife = 100;
constexpr int kSparkLife = 20;

// 1 when the object's sprite stands in the cell (its pixel position / 48).
bool StandsInCell(const Item& object, int column, int row) {
  if (!ItemOwnsSprite(&object)) return false;
  return CellOf(FixedToPixels(object.sprite->x)) == column && CellOf(FixedToPixels(object.sprite->y)) == row;
}

void AnimateTile(Sprite* tile, int first, int ticks, int then) {
  ResetSpriteAnim(tile);
  AddSpriteAnimStep(tile, first, ticks, AnimStop);
  AddSpriteAnimStep(tile, then, ticks, AnimStop);
}

CellProbe MagicProbe(const Player* player) {
  return ProbeAt(FixedToPixels(player->x + 16 * player->vx), FixedToPixels(player->y + 16 * player->vy));
}

}  // namespace

void BlockMagicCell(const Player* player, int* column, int* row) {
  const CellProbe at = MagicProbe(player);
  // The cell in front: from the far half of a cell, two on.
  *row = at.r + (at.fy > kCellHalf ? 1 : 0) + (player->crouching ? 1 : 0);
  if (player->facing == 0) {
    *column = at.fx >= kCellHalf ? at.c + 2 : at.c + 1;
  } else {
    *column = at.fx < kCellHalf ? at.c - 1 : at.c;
  }
}

void UseBlockMagic(System* sys) {
  GameState* game = sys->game;
  Player* player = &game->player;
  int column, row;
  BlockMagicCell(player, &column, &row);
  // Standing, the player steps flush with its own cell first.
  const CellProbe at = MagicProbe(player);
  if (player->facing == 0) {
    if (at.fx < kCellHalf && !player->crouching && at.fx > kCellInset)
      player->x = PixelsToFixed(kCellSize * at.c + kCellInset);
  } else {
    if (at.fx >= kCellHalf && !player->crouching && at.fx < kCellFar)
      player->x = PixelsToFixed(kCellSize * at.c + kCellFar);
  }

  int blocked = 0;
  if (StandsInCell(game->key, column, row)) blocked = 1;
  if (StandsInCell(game->door, column, row)) blocked = 1;
  if (MagicHitsEnemy(sys, column, row)) blocked = 1;
  if (Item* item = FindItemAt(sys, column, row); item && item->hidden == 0) {
    blocked = 1;
    if (item->changes) {
      item->type = ChangedItemType(item->type);
      if (item->sprite) item->sprite->frame = FrameItemBase + item->type;
    }
  }
  const int code = TileCodeAt(game, column, row);
  if (code == TileWall || code == TileNoMagic) blocked = 1;

  if (!blocked && code != TileBlock && code != TileCracked) {
    MakeBlockAnim(sys, column, row);
    PlaySound(sys->sound, SndMakeBlock);
  } else if (code == TileBlock || (!blocked && code == TileCracked)) {
    BreakBlock(sys, column, row);
    PlaySound(sys->sound, SndMagicBreak);
  } else {
    blocked = 1;
  }
  if (!blocked) SpawnSparks(sys, kCellSize * column, kCellSize * row);
}

void MakeBlockAnim(System* sys, int column, int row) {
  if (Sprite* tile = TileAt(sys->game, column, row)) AnimateTile(tile, TileChange, 16, TileBlock);
}

void BreakBlock(System* sys, int column, int row) {
  Sprite* tile = TileAt(sys->game, column, row);
  if (!tile) return;
  AnimateTile(tile, TileChange, 12, TileEmpty);
  RevealItemAt(sys, column, row);
  PlaySound(sys->sound, SndBlockHit);
}

void ShootFireball(System* sys) {
  GameState* game = sys->game;
  Player* player = &game->player;
  if (player->magic == 0) return;
  player->magic -= 1;
  const int direction = player->facing == 1 ? -1 : 1;
  // Half a cell ahead; a crouching player throws it lower.
  const int offsetX = kCellHalf * direction;
  const int offsetY = player->crouching ? kCellInset : 0;

  int slot = 0;
  while (slot < kFireballSlots && LiveFireball(game, slot)) slot++;
  if (slot == kFireballSlots) return;  // the charge is spent all the same
  Sprite* fireball = AllocSprite(game->world, game->sysBitmaps, SlotFireballs);
  game->fireballs[slot] = fireball;
  game->fireballSerials[slot] = fireball ? fireball->serial : 0;
  if (!fireball) return;
  const Sprite* body = player->sprite;
  const Fixed12 baseX = body ? body->x : player->x;
  const Fixed12 baseY = body ? body->y : player->y;
  fireball->x = baseX + PixelsToFixed(offsetX);
  fireball->y = baseY + PixelsToFixed(offsetY);
  fireball->visible = 1;
  fireball->cameraRelative = 1;
  fireball->life = kFireballLife + player->fireBonus;
  fireball->vx = direction * kFireballSpeed;
  fireball->vy = 0;
  SetFireballAnim(fireball);
  PlaySound(sys->sound, SndShot);
}

void UpdateFireballs(System* sys) {
  GameState* game = sys->game;
  for (int i = 0; i < kFireballSlots; i++) {
    Sprite* fireball = LiveFireball(game, i);
    if (!fireball) continue;
    const int turned = TileTurn(sys, fireball) + TileCorner(sys, fireball);
    if (turned) SetFireballAnim(fireball);
  }
}

void SetFireballAnim(Sprite* sprite) {
  int base = FrameFireball;
  if (sprite->vx < 0) base = FrameFireball + 2;
  if (sprite->vy > 0) base = FrameFireball + 4;
  if (sprite->vy < 0) base = FrameFireball + 6;
  ResetSpriteAnim(sprite);
  AddSpriteAnimStep(sprite, base, 4, AnimLoop);
  AddSpriteAnimStep(sprite, base + 1, 4, AnimLoop);
  AddSpriteAnimStep(sprite, base, 1, AnimLoop);
}

void SpawnSparks(System* sys, int px, int py) {
  GameState* game = sys->game;
  static const struct {
    int dx, dy, vx, vy;
  } kPieces[4] = {{0, 0, -2048, -2048}, {24, 0, 2048, -2048}, {0, 24, -2048, 2048}, {24, 24, 2048, 2048}};
  for (const auto& piece : kPieces) {
    Sprite* spark = AllocSprite(game->world, game->sysBitmaps, SlotSparks);
    if (!spark) return;
    AddSpriteAnimStep(spark, FrameSpark, 4, AnimLoop);
    AddSpriteAnimStep(spark, FrameSpark + 1, 4, AnimLoop);
    AddSpriteAnimStep(spark, FrameSpark + 1, 1, AnimLoop);
    spark->visible = 1;
    spark->cameraRelative = 1;
    spark->life = kSparkLife;
    spark->x = PixelsToFixed(px + piece.dx);
    spark->y = PixelsToFixed(py + piece.dy);
    spark->vx = piece.vx;
    spark->vy = piece.vy;
  }
}
