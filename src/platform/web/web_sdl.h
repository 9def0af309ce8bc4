// What the browser build's SDL lacks or gets wrong, made good: colour keys
// kept as alpha, stdio streams, BMP and WAV bytes decoded by the browser,
// the mixer's format and the chunk of each channel, and SDL 1.2 key names.
// web_routes.h points the game's SDL calls here.
#pragma once

#include <SDL.h>
#include <SDL_mixer.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Once, before anything loads: the stream anchor and the key table.
void StartWebPlatform();

// Makes the pixels of the key colour transparent, once: the browser's blits
// know alpha, not keys. Flag 0 only forgets the key.
int SetColorKeyAsAlpha(SDL_Surface* surface, Uint32 flag, Uint32 key);
Uint32 ReadSurfaceColorKey(const SDL_Surface* surface);
Uint8 ReadSurfaceAlpha(const SDL_Surface* surface);

// A stream over an open file with working seek, read and close.
SDL_RWops* OpenFileRWops(FILE* file, SDL_bool autoclose);
// A BMP from the stream (which the caller has checked), decoded by the
// browser into a 32-bit surface; null when it cannot be.
SDL_Surface* LoadBmpInBrowser(SDL_RWops* stream, int freeStream);
// A chunk the browser's mixer can play, from checked WAV bytes; null when
// the mixer is not open or refuses them.
Mix_Chunk* LoadWavInBrowser(const uint8_t* data, size_t size);

int OpenMixer(int frequency, Uint16 format, int channels, int chunkSize);
void CloseMixer();
// Mix_QuerySpec's answer: 0 while the mixer is closed.
int QueryMixerSpec(int* frequency, Uint16* format, int* channels);
int PlayTrackedChannel(int channel, Mix_Chunk* chunk, int loops, int ticks);
int HaltTrackedChannel(int channel);
// The chunk last started on the channel, null once halted.
Mix_Chunk* GetChannelChunk(int channel);

// Key names as SDL 1.2 gives them, for the key settings.
const char* GetClassicKeyName(SDLKey key);
