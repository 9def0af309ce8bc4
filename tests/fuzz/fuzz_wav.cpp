// WAV files as the game uses them: loaded into a sound slot, played once and
// as the level's loop, halted and freed, with the dummy audio device open.
#include "fuzz_support.h"
#include "sound/sound_bank.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  UseDummyDrivers();
  SDL_Init(SDL_INIT_VIDEO);
  OpenAudio();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SoundBank* bank = CreateSoundBank(256);
  if (LoadSoundRW(bank, SDL_RWFromConstMem(data, static_cast<int>(size)), "fuzz.wav", SndShot) == 0) {
    PlaySound(bank, SndShot);
    bank->chunks[LoopLevel] = bank->chunks[SndShot];
    PlayLoop(bank, LoopLevel);
    bank->chunks[LoopLevel] = nullptr;
    StopLoop(bank);
    Mix_HaltChannel(-1);
  }
  DestroySoundBank(bank);
  return 0;
}
