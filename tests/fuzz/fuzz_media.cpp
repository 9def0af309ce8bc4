// Picture and sound files as the game uses them. As a BMP: loaded into a
// bitmap slot and keyed on black, blitted opaque and blended at and around
// the screen's edges, then loaded as the font sheet and drawn as text. As a
// WAV: loaded into a sound slot, played once and as the level's loop, halted
// and freed, with the dummy audio device open.
#include "fuzz_support.h"
#include "graphics/font.h"
#include "graphics/sprite_draw.h"
#include "sound/sound_bank.h"

namespace {

SDL_Surface* screen;

constexpr int kSlot = 7;
constexpr int kPlaces[][2] = {{0, 0}, {300, 200}, {-20, -20}, {630, 470}, {-4000, 100}, {100, 32000}};

void UseAsPicture(const uint8_t* data, size_t size) {
  BitmapSet* set = CreateBitmapSet(16);
  if (LoadBitmapRW(set, SDL_RWFromConstMem(data, static_cast<int>(size)), "fuzz.bmp", kSlot) == 0) {
    KeyBitmapBlack(set, kSlot);
    for (const auto& place : kPlaces) {
      BlitBitmap(set, screen, kSlot, place[0], place[1]);
      BlitBitmapAlpha(set, screen, kSlot, place[0], place[1], 128);
    }
    PrimeBitmapSet(set, screen);
  }
  DestroyBitmapSet(set);
  // The font as InitSystem loads it: 16 x 16 cells keyed on magenta, a
  // 12-pixel pen step; every byte value drawn.
  BitmapFont* font = LoadFontRW(SDL_RWFromConstMem(data, static_cast<int>(size)), "fuzz.bmp", 16, 16, 255, 0, 255);
  if (!font) return;
  font->advance = kFontAdvance;
  char text[256];
  for (int i = 0; i < 255; i++) text[i] = static_cast<char>(i + 1);
  text[255] = '\0';
  DrawText(font, text, screen, -8, 0);
  DrawText(font, text + 200, screen, 0, 470);
  DrawTextAlpha(font, text + 30, screen, 4, 100, 100);
  PrimeFont(font, screen);
  DestroyFont(font);
}

void UseAsSound(const uint8_t* data, size_t size) {
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
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  screen = OpenDummyScreenAndAudio();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UseAsPicture(data, size);
  UseAsSound(data, size);
  return 0;
}
