// The bitmap and sound lists: every line naming a slot and a file in the
// seed pictures' or sounds' folder, or in one that does not exist; then the
// blits set up as the game primes them and each loaded sound played.
#include "fuzz_support.h"
#include "sound/sound_bank.h"

namespace {

SDL_Surface* screen;
char bitmapDir[512], soundDir[512];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  screen = OpenDummyScreenAndAudio();
  std::snprintf(bitmapDir, sizeof bitmapDir, "%sbmp/", kCorpusDir);
  std::snprintf(soundDir, sizeof soundDir, "%swav/", kCorpusDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // The first byte picks the folders so both kinds of path stay in play.
  const bool missing = size && (data[0] & 1);
  BitmapSet* set = CreateBitmapSet(256);
  SoundBank* bank = CreateSoundBank(256);
  {
    ByteStream list(data, size);
    LoadBitmapListStream(set, list.get(), missing ? "/nonexistent/runeblock/" : bitmapDir);
  }
  {
    ByteStream list(data, size);
    LoadSoundListStream(bank, list.get(), missing ? "/nonexistent/runeblock/" : soundDir);
  }
  // A twin shares its bitmap's pixels; one left over from a replaced bitmap
  // would point at freed ones.
  for (int slot = 0; slot < set->capacity; slot++)
    if (set->blendBitmaps[slot] && set->blendBitmaps[slot]->pixels != set->bitmaps[slot]->pixels) std::abort();
  PrimeBitmapSet(set, screen);
  for (int slot = 0; slot < bank->capacity; slot++)
    if (bank->chunks[slot]) PlaySound(bank, slot);
  PlayLoop(bank, LoopLevel);
  StopLoop(bank);
  Mix_HaltChannel(-1);
  DestroySoundBank(bank);
  DestroyBitmapSet(set);
  if (BitmapBytesHeld() != 0) std::abort();  // the picture budget lost count
  return 0;
}
