// Numbered sound effects loaded from the sound list, one-shot playback and
// the one looping sound of a screen.
#pragma once

#include <SDL_mixer.h>

#include <cstdint>
#include <cstdio>

#include "base/media_slots.h"

struct SoundBank {
  Mix_Chunk** chunks;
  int capacity;
  int loopChannel;
  int soundVolume, musicVolume;  // 0 to MIX_MAX_VOLUME: one-shot sounds, and the loop
  int muted;
};

// 22050 Hz, 16-bit stereo, 512-sample chunks; 1 when open, 0 after printing the failure.
int OpenAudio();
// The same with the mixer's arguments (Hz, AUDIO_ format, channels, samples per chunk).
int OpenAudioEx(int frequency, int format, int channels, int chunkSize);
// 0, or -1 when the audio was not open.
int CloseAudio();

// A sound far longer than any the game ships (its longest loop is 2.4 MB)
// would take seconds and hundreds of megabytes to convert, or crash the
// conversion: files and converted sounds past these sizes are refused.
inline constexpr long kMaxSoundFileBytes = 64L << 20;
inline constexpr uint64_t kMaxSoundBytes = 64u << 20;  // in the mixer's format, about 6 minutes

// What Mix_LoadWAV_RW makes of a WAV, from a copy of the stream in which
// every RIFF chunk that claims more bytes than the stream holds is cut to
// what it holds: SDL allocates a chunk's claimed length before reading it,
// and keeps what a short chunk holds anyway. Other formats, and sounds past
// the bounds above, are refused. The stream is always closed.
Mix_Chunk* LoadBoundedWAV(SDL_RWops* stream);

SoundBank* CreateSoundBank(int capacity);
void DestroySoundBank(SoundBank* bank);
// Loads a WAV into the slot, freeing what it held (a loop playing it stops); 0, or -1 after a
// message (a failed load leaves the slot empty).
int LoadSoundAt(SoundBank* bank, const char* path, int index);
// LoadSoundAt's work on an open stream (closed here; null for a file that did
// not open); `name` is what the failure message shows.
int LoadSoundRW(SoundBank* bank, SDL_RWops* stream, const char* name, int index);
// Loads every slot the list names from `dir`; 0 even when some fail, -1 after a message for a
// null bank or a list that will not open.
int LoadSoundList(SoundBank* bank, const char* listPath, const char* dir);
// The same on an open list; always 0.
int LoadSoundListStream(SoundBank* bank, FILE* list, const char* dir);
// Loads the list.txt in `dir`, a folder path ending in '/'; 0, or -1 as LoadSoundList does.
int LoadSoundDir(SoundBank* bank, const char* dir);
int PlaySound(SoundBank* bank, int slot);
// Stops the loop playing and loops the slot's sound; its channel, or -1 for an empty slot (nothing
// then plays).
int PlayLoop(SoundBank* bank, int slot);
void StopLoop(SoundBank* bank);
// The volumes (clamped to 0 to MIX_MAX_VOLUME) and mute, for what plays now and from now on.
void SetVolumes(SoundBank* bank, int sound, int music, int muted);

// Told of every one-shot sound the game asks for (replay traces list them).
using SoundObserver = void (*)(int slot, void* context);
void SetSoundObserver(SoundObserver observer, void* context);
