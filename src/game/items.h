// The level's collectables: creation from the map, hiding in blocks, type
// changes under block magic and pick-up with its effect and score.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

inline constexpr int kItemTypeCount = 18;

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
// when it does not change).
int ChangedItemType(int type);
