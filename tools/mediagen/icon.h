// The game's icon for desktop menus: a glowing rune block, as the player
// makes them in play.
#pragma once

#include "image.h"

inline constexpr int kIconBaseSize = 64;

// `size` is a multiple of kIconBaseSize; larger icons are the base drawing
// scaled up by whole pixels, so they stay as crisp as the game's sprites.
bool IconSizeValid(int size);
Image DrawIcon(int size);
