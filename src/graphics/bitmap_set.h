// Numbered tables of BMP surfaces filled from a directory's list file.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdio>

#ifdef __EMSCRIPTEN__
#include "platform/web/web_sdl.h"
#endif

struct BitmapSet {
  int count;
  SDL_Surface** bitmaps;
  int capacity;
  // Twins sharing each bitmap's pixels with per-surface alpha kept on, so a
  // blended blit never switches the shared bitmap's mode (which makes SDL
  // rebuild, and allocate, its blit set-up on every switch).
  SDL_Surface** blendBitmaps;
};

BitmapSet* CreateBitmapSet(int capacity);
void DestroyBitmapSet(BitmapSet* set);
// Loads a BMP into the slot, freeing what it held; 0, or -1 after printing the slot or load
// message (a failed load leaves the slot empty).
int LoadBitmapAt(BitmapSet* set, const char* path, int slot);
// LoadBitmapAt's work on an open stream (closed here; null for a file that
// did not open); `name` is what the failure message shows.
int LoadBitmapRW(BitmapSet* set, SDL_RWops* stream, const char* name, int slot);
// Makes black transparent in a loaded slot, as list lines without a third
// field ask.
void KeyBitmapBlack(BitmapSet* set, int slot);
// Loads the list.txt in `dir`, a folder path ending in '/'; 0, or -1 as LoadBitmapList does.
int LoadBitmapDir(BitmapSet* set, const char* dir);
// Loads every slot the list names from `dir`; 0 even when some fail, -1 after a message for a
// null set or a list that will not open.
int LoadBitmapList(BitmapSet* set, const char* listPath, const char* dir);
// The same on an open list; always 0.
int LoadBitmapListStream(BitmapSet* set, FILE* list, const char* dir);
// The surface in a slot, or null for an empty slot or one outside the set.
SDL_Surface* GetBitmap(const BitmapSet* set, int slot);
// The slot's blended twin, null likewise.
SDL_Surface* GetBlendBitmap(const BitmapSet* set, int slot);

// The game's bitmaps are at most a screen in size. SDL allocates what a BMP
// header claims before it reads a pixel, so a stream whose header claims a
// side longer than this, or more pixel bytes than it is allowed, is refused
// unread.
inline constexpr int kMaxBitmapSide = 4096;
// The decoded pixels of every bitmap set together (the game's own pictures
// take under 6 MiB); a picture that would pass it does not load.
inline constexpr size_t kBitmapBudget = size_t{64} << 20;
// SDL_LoadBMP_RW within those limits; the stream is always closed.
SDL_Surface* LoadBoundedBMP(SDL_RWops* stream, size_t allowance = kBitmapBudget);
// Bytes of decoded pixels the bitmap sets hold now.
size_t BitmapBytesHeld();

// The per-surface alpha and colour key, which the browser build's SDL keeps
// outside the pixel format.
#ifdef __EMSCRIPTEN__
inline Uint8 SurfaceAlpha(const SDL_Surface* surface) { return ReadSurfaceAlpha(surface); }
inline Uint32 SurfaceColorKey(const SDL_Surface* surface) { return ReadSurfaceColorKey(surface); }
#else
inline Uint8 SurfaceAlpha(const SDL_Surface* surface) { return surface->format->alpha; }
inline Uint32 SurfaceColorKey(const SDL_Surface* surface) { return surface->format->colorkey; }
#endif

// A surface sharing `surface`'s pixels, colour key and palette with
// per-surface alpha switched on; null when it cannot be made.
SDL_Surface* CreateBlendTwin(SDL_Surface* surface);

// Blits every bitmap once onto the target so SDL sets up each blit before
// play rather than during it; the caller clears the target afterwards.
void PrimeBitmapSet(const BitmapSet* set, SDL_Surface* target);
// Clips `target` to its top-left pixel and returns the clip it had. SDL sets
// a blit up (and run-length encodes a keyed picture) whatever its size, so
// priming through one pixel costs what one pixel does.
SDL_Rect ClipToOnePixel(SDL_Surface* target);
