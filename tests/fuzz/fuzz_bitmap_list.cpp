// Bitmap lists: every line naming a slot and a file in the seed bitmaps'
// folder, or in one that does not exist, then the blits set up as the game
// primes them.
#include "fuzz_support.h"

namespace {

SDL_Surface* screen;
char bitmapDir[512];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  UseDummyDrivers();
  SDL_Init(SDL_INIT_VIDEO);
  screen = CreateScreen();
  std::snprintf(bitmapDir, sizeof bitmapDir, "%sbmp/", kCorpusDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the folder so both kinds of path stay in play.
  const char* dir = size && (data[0] & 1) ? "/nonexistent/runeblock/" : bitmapDir;
  BitmapSet* set = CreateBitmapSet(256);
  {
    ByteStream list(data, size);
    LoadBitmapListStream(set, list.get(), dir);
  }
  // A twin shares its bitmap's pixels; one left over from a replaced bitmap
  // would point at freed ones.
  for (int slot = 0; slot < set->capacity; slot++)
    if (set->blendBitmaps[slot] && set->blendBitmaps[slot]->pixels != set->bitmaps[slot]->pixels) std::abort();
  PrimeBitmapSet(set, screen);
  DestroyBitmapSet(set);
  return 0;
}
