// Drawing a sprite layer onto the screen, and the two bitmap blitters.
#pragma once

#include <SDL.h>

#include "graphics/bitmap_set.h"
#include "graphics/sprite.h"

// Draws every visible sprite in use and past its delay, in slot order, camera-relative ones less
// the list's camera; a null list or target draws nothing.
void DrawSprites(const SpriteList* list, SDL_Surface* target);
// Draws a slot's bitmap with its top-left at pixel (x, y); -1 for an empty slot, else 0.
int BlitBitmap(const BitmapSet* set, SDL_Surface* target, int index, int x, int y);
// The same blended, alpha 0 (clear) to 255 (opaque).
int BlitBitmapAlpha(const BitmapSet* set, SDL_Surface* target, int index, int x, int y, int alpha);
