// The level's collectables: creation from the map, hiding in blocks, type
// changes under block magic and pick-up with its effect and score.
#pragma once

#include "engine/system.h"
#include "game/game_state.h"

inline constexpr int kItemTypeCount = 18;

void ClearItems(System* sys);
void ResetItem(System* sys, Item* item);
Item* FindFreeItem(System* sys);
Item* FindItemAt(System* sys, int column, int row);
Item* AddItem(System* sys, int type, int column, int row, int hidden);
void RestoreItemSprites(System* sys);
void RevealItemAt(System* sys, int column, int row);
int TryPickUpItem(System* sys, Item* item);
void UpdateItems(System* sys);
// The type block magic turns an item of this type into (the type itself
// when it does not change).
int ChangedItemType(int type);
