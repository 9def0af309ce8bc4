#include "game/items.h"

#include <climits>
#include <cstring>

#include "game/enemy_table.h"
#include "game/grid.h"
#include "sound/sound_bank.h"

namespace {

void NoEffect(Player*) {}
void DoubleLife(Player* p) { p->life = p->life > INT_MAX / 2 ? INT_MAX : p->life * 2; }
void LifeTo5000(Player* p) { p->life = 5000; }
void MagicPlus1(Player* p) { p->magic = AddCapped(p->magic, 1, kMaxMagic); }
void ExtraLife(Player* p) { p->lives = AddCapped(p->lives, 1, kMaxLives); }
void FireBonusPlus1(Player* p) { p->fireBonus = AddCapped(p->fireBonus, 1, kMaxFireBonus); }
void FireBonusPlus2(Player* p) { p->fireBonus = AddCapped(p->fireBonus, 2, kMaxFireBonus); }
void MagicPlus5(Player* p) { p->magic = AddCapped(p->magic, 5, kMaxMagic); }

// Indexed by item type; type 0 is the free slot. Changes run in two rings:
// prism orb, mana flask, ruby, twin flame; star crystal, mana potion, spell book.
const ItemKind kItemKinds[kItemTypeCount + 1] = {
    {"item", 0, NoEffect, ItemNone, 0},
    {"copper coin", 5, NoEffect, ItemCopperCoin, 0},
    {"silver coin", 10, NoEffect, ItemSilverCoin, 0},
    {"gold coin", 20, NoEffect, ItemGoldCoin, 0},
    {"coin stack", 40, NoEffect, ItemCoinStack, 0},
    {"sapphire", 100, NoEffect, ItemSapphire, 0},
    {"ruby", 200, NoEffect, ItemTwinFlame, 0},
    {"chalice", 500, NoEffect, ItemChalice, 0},
    {"crown", 1000, NoEffect, ItemCrown, 0},
    {"prism orb", 5, NoEffect, ItemManaFlask, 1},
    {"star crystal", 10, NoEffect, ItemManaPotion, 1},
    {"hourglass of double time", 0, DoubleLife, ItemDoubleTime, 0},
    {"hourglass", 0, LifeTo5000, ItemHourglass, 0},
    {"mana flask", 0, MagicPlus1, ItemRuby, 0},
    {"heart", 0, ExtraLife, ItemHeart, 0},
    {"flame", 0, FireBonusPlus1, ItemFlame, 0},
    {"twin flame", 0, FireBonusPlus2, ItemPrismOrb, 0},
    {"mana potion", 0, MagicPlus5, ItemSpellBook, 0},
    {"spell book", 0, MagicPlus5, ItemStarCrystal, 0},
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

const ItemKind& ItemKindOf(int type) { return kItemKinds[ValidType(type) ? type : ItemNone]; }

int ChangedItemType(int type) { return ValidType(type) ? ItemKindOf(type).changesTo : type; }

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
  item->changes = ItemKindOf(type).changesFromStart;
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
  const ItemKind& kind = ItemKindOf(item->type);
  kind.effect(player);
  player->score = AddCapped(player->score, kind.score, kMaxScore);
  ResetItem(sys, item);
  game->itemsTaken += 1;
  return 1;
}

void UpdateItems(System* sys) {
  for (Item& item : sys->game->items)
    if (item.type != 0) TryPickUpItem(sys, &item);
}
