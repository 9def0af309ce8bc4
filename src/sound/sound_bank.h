// Numbered sound effects loaded from the sound list, one-shot playback and
// the one looping sound of a screen.
#pragma once

#include <SDL_mixer.h>

#include <cstdio>

#include "base/media_slots.h"

struct SoundBank {
  Mix_Chunk** chunks;
  int capacity;
  int loopChannel;
};

int OpenAudio();
int OpenAudioEx(int frequency, int format, int channels, int chunkSize);
int CloseAudio();

// What Mix_LoadWAV_RW makes of a WAV, from a copy of the stream in which
// every RIFF chunk that claims more bytes than the stream holds is cut to
// what it holds: SDL allocates a chunk's claimed length before reading it,
// and keeps what a short chunk holds anyway. Other formats are refused.
// The stream is always closed.
Mix_Chunk* LoadBoundedWAV(SDL_RWops* stream);

SoundBank* CreateSoundBank(int capacity);
void DestroySoundBank(SoundBank* bank);
int LoadSoundAt(SoundBank* bank, const char* path, int index);
// LoadSoundAt's work on an open stream (closed here; null for a file that did
// not open); `name` is what the failure message shows.
int LoadSoundRW(SoundBank* bank, SDL_RWops* stream, const char* name, int index);
int LoadSoundList(SoundBank* bank, const char* listPath, const char* dir);
int LoadSoundListStream(SoundBank* bank, FILE* list, const char* dir);
int LoadSoundDir(SoundBank* bank, const char* dir);
int PlaySound(SoundBank* bank, int slot);
int PlayLoop(SoundBank* bank, int slot);
void StopLoop(SoundBank* bank);

// Told of every one-shot sound the game asks for (replay traces list them).
using SoundObserver = void (*)(int slot, void* context);
void SetSoundObserver(SoundObserver observer, void* context);
