// Sound lists: every line naming a slot and a file in the seed sounds'
// folder, or in one that does not exist, then each loaded slot played.
#include "fuzz_support.h"
#include "sound/sound_bank.h"

namespace {

char soundDir[512];

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  UseDummyDrivers();
  SDL_Init(SDL_INIT_VIDEO);
  OpenAudio();
  std::snprintf(soundDir, sizeof soundDir, "%swav/", kCorpusDir);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const char* dir = size && (data[0] & 1) ? "/nonexistent/runeblock/" : soundDir;
  SoundBank* bank = CreateSoundBank(256);
  {
    ByteStream list(data, size);
    LoadSoundListStream(bank, list.get(), dir);
  }
  for (int slot = 0; slot < bank->capacity; slot++)
    if (bank->chunks[slot]) PlaySound(bank, slot);
  PlayLoop(bank, LoopLevel);
  StopLoop(bank);
  Mix_HaltChannel(-1);
  DestroySoundBank(bank);
  return 0;
}
