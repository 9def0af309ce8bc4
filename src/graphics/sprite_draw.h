// Drawing a sprite layer onto the screen, and the two bitmap blitters.
#pragma once

#include <SDL.h>

#include "graphics/bitmap_set.h"
#include "graphics/sprite.h"

void DrawSprites(const SpriteList* list, SDL_Surface* target);
int BlitBitmap(const BitmapSet* set, SDL_Surface* target, int index, int x, int y);
int BlitBitmapAlpha(const BitmapSet* set, SDL_Surface* target, int index, int x, int y, int alpha);
