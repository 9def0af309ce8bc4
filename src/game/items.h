// The level's collectables: creation from the map, hiding in blocks, type
// changes under block magic and pick-up with its effect and score.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

// What an item is; its picture is frame FrameItemBase + type. 0 marks a free slot.
enum ItemType {
  ItemNone = 0,
  ItemCopperCoin = 1,
  ItemSilverCoin = 2,
  ItemGoldCoin = 3,
  ItemCoinStack = 4,
  ItemSapphire = 5,
  ItemRuby = 6,
  ItemChalice = 7,
  ItemCrown = 8,
  ItemPrismOrb = 9,
  ItemStarCrystal = 10,
  ItemDoubleTime = 11,
  ItemHourglass = 12,
  ItemManaFlask = 13,
  ItemHeart = 14,
  ItemFlame = 15,
  ItemTwinFlame = 16,
  ItemManaPotion = 17,
  ItemSpellBook = 18,
};
inline constexpr int kItemTypeCount = 18;

// Everything an item type decides, one row a type.
struct ItemKind {
  const char* name;                // as the tools print it
  int score;                       // score units (shown with two more zeros)
  void (*effect)(Player* player);  // what taking it does besides the score
  ItemType changesTo;              // what block magic makes of it (itself when nothing)
  int changesFromStart;            // 1: block magic changes it from the start (the item's `changes`)
};

// The row of a type; type 0 and types outside 1..18 get the free slot's row (no score, no effect).
const ItemKind& ItemKindOf(int type);

// Empties the item table; the sprites are not freed.
void ClearItems(System* sys);
// Frees the item's slot and, while it still owns it, its sprite.
void ResetItem(System* sys, Item* item);
// The first free slot, or null when the table is full.
Item* FindFreeItem(System* sys);
// The item in the cell, hidden or not, or null.
Item* FindItemAt(System* sys, int column, int row);
// An item of type 1..18 at a cell with a visible sprite (callers hide a hidden one's); null for
// another type or a full table.
Item* AddItem(System* sys, int type, int column, int row, int hidden);
// New sprites for the items of a retry, the level layer having been cleared; an item under a
// block is hidden again.
void RestoreItemSprites(System* sys);
// Shows the hidden item in the cell, if there is one.
void RevealItemAt(System* sys, int column, int row);
// 1 when the player touches the visible item and takes it (effect, score, sound; the item is
// freed); 0 while the player is dying or clearing.
int TryPickUpItem(System* sys, Item* item);
// Tries every item for a pick-up.
void UpdateItems(System* sys);
// The type block magic turns an item of this type into (the type itself
// when it does not change): its kind's changesTo.
int ChangedItemType(int type);
