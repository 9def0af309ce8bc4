// Numbered tables of BMP surfaces filled from a directory's list file.
#pragma once

#include <SDL.h>

#include <cstdio>

struct BitmapSet {
  int count;
  SDL_Surface** bitmaps;
  int capacity;
};

BitmapSet* CreateBitmapSet(int capacity);
void DestroyBitmapSet(BitmapSet* set);
int LoadBitmapAt(BitmapSet* set, const char* path, int slot);
int LoadBitmapDir(BitmapSet* set, const char* dir);
int LoadBitmapList(BitmapSet* set, const char* listPath, const char* dir);
int LoadBitmapListStream(BitmapSet* set, FILE* list, const char* dir);
// The surface in a slot, or null for an empty slot or one outside the set.
SDL_Surface* GetBitmap(const BitmapSet* set, int slot);
