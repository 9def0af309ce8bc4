#include "game/items.h"

#include <climits>
#include <cstring>

#include "game/enemy_table.h"
#include "game/grid.h"
#include "sound/sound_bank.h"

namespace {

struct ItemRule {
  int score;
  void (*effect)(Player* player);
};

void NoEffect(Player*) {}
void DoubleLife(Player* p) { p->life = p->life > INT_MAX / 2 ? INT_MAX : p->life * 2; }
void LifeTo5000(Player* p) { p->life = 5000; }
void MagicPlus1(Player* p) { p->magic = AddCapped(p->magic, 1, kMaxMagic); }
void ExtraLife(Player* p) { p->lives = AddCapped(p->lives, 1, kMaxLives); }
void FireBonusPlus1(Player* p) { p->fireBonus = AddCapped(p->fireBonus, 1, kMaxFireBonus); }
void FireBonusPlus2(Player* p) { p->fireBonus = AddCapped(p->fireBonus, 2, kMaxFireBonus); }
void MagicPlus5(Player* p) { p->magic = AddCapped(p->magic, 5, kMaxMagic); }

// Indexed by item type; type 0 is the free slot.
const ItemRule kItemRules[kItemTypeCount + 1] = {
    {0, NoEffect},       {5, NoEffect},       {10, NoEffect},  {20, NoEffect},   {40, NoEffect},
    {100, NoEffect},     {200, NoEffect},     {500, NoEffect}, {1000, NoEffect}, {5, NoEffect},
    {10, NoEffect},      {0, DoubleLife},     {0, LifeTo5000}, {0, MagicPlus1},  {0, ExtraLife},
    {0, FireBonusPlus1}, {0, FireBonusPlus2}, {0, MagicPlus5}, {0, MagicPlus5},
};

bool ValidType(int type) { return type >= 1 && type <= kItemTypeCount; }

Sprite* NewItemSprite(System* sys, Item* item) {
  GameState* game = sys->game;
  Sprite* sprite = AllocSprite(game->world, game->sysBitmaps, SlotItems);
  item->sprite = sprite;
  item->spriteSerial = sprite ? sprite->serial : 0;
  if (!sprite) return nullptr;
  sprite->frame = FrameItemBase + item->type;
  SetSpritePos(sprite, item->tileX * kCellSize, item->tileY * kCellSize);
  sprite->cameraRelative = 1;
  return sprite;
}

}  // namespace

int ChangedItemType(int type) {
  switch (type) {
    case 6:
      return 16;
    case 9:
      return 13;
    case 10:
      return 17;
    case 13:
      return 6;
    case 16:
      return 9;
    case 17:
      return 18;
    case 18:
      return 10;
    default:
      return type;
  }
}

void ClearItems(System* sys) { std::memset(sys->game->items, 0, sizeof(sys->game->items)); }

void ResetItem(System*, Item* item) {
  if (ItemOwnsSprite(item)) ResetSprite(item->sprite);
  std::memset(item, 0, sizeof(Item));
}

Item* FindFreeItem(System* sys) {
  for (Item& item : sys->game->items)
    if (item.type == 0) return &item;
  return nullptr;
}

Item* FindItemAt(System* sys, int column, int row) {
  for (Item& item : sys->game->items)
    if (item.type != 0 && item.tileX == column && item.tileY == row) return &item;
  return nullptr;
}

Item* AddItem(System* sys, int type, int column, int row, int hidden) {
  // Types with no picture and no rule are not items at all.
  if (!ValidType(type)) return nullptr;
  Item* item = FindFreeItem(sys);
  if (!item) return nullptr;
  item->type = type;
  item->tileX = column;
  item->tileY = row;
  item->hidden = hidden;
  item->changes = (type == 9 || type == 10) ? 1 : 0;
  if (Sprite* sprite = NewItemSprite(sys, item)) sprite->visible = 1;
  return item;
}

void RestoreItemSprites(System* sys) {
  GameState* game = sys->game;
  for (Item& item : game->items) {
    if (item.type == 0) continue;
    Sprite* sprite = NewItemSprite(sys, &item);
    const int code = TileCodeAt(game, item.tileX, item.tileY);
    if (item.hidden == 0 && code != TileBlock && code != TileCracked) {
      if (sprite) sprite->visible = 1;
    } else {
      item.hidden = 1;
      if (sprite) sprite->visible = 0;
    }
  }
}

void RevealItemAt(System* sys, int column, int row) {
  Item* item = FindItemAt(sys, column, row);
  if (!item || item->hidden == 0) return;
  item->hidden = 0;
  if (ItemOwnsSprite(item)) item->sprite->visible = 1;
}

int TryPickUpItem(System* sys, Item* item) {
  GameState* game = sys->game;
  Player* player = &game->player;
  if (player->dying != 0 || player->clearTimer != 0 || item->hidden != 0) return 0;
  if (!ItemOwnsSprite(item)) return 0;
  if (!BoxesOverlap(FixedToPixels(item->sprite->x), FixedToPixels(item->sprite->y), FixedToPixels(player->x),
                    FixedToPixels(player->y)))
    return 0;
  PlaySound(sys->sound, SndItem);
  const ItemRule& rule = kItemRules[ValidType(item->type) ? item->type : 0];
  rule.effect(player);
  player->score = AddCapped(player->score, rule.score, kMaxScore);
  ResetItem(sys, item);
  game->itemsTaken += 1;
  return 1;
}

void UpdateItems(System* sys) {
  for (Item& item : sys->game->items)
    if (item.type != 0) TryPickUpItem(sys, &item);
}
