// LoadBoundedWAV of sound/sound_bank.h: a WAV's bytes checked, decoded and
// converted to the mixer's format.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sound/riff_checks.h"
#include "sound/sound_bank.h"
#ifdef __EMSCRIPTEN__
#include "platform/web/web_sdl.h"
#endif

#ifndef __EMSCRIPTEN__
namespace {

// SDL_mixer 1.2 converts a sound in a buffer sized for the sound's length
// masked down to whole sample frames, a mask right only for power-of-two
// frame sizes, and then copies the unmasked length in: six channels, or a
// partial last frame, overrun it. RIFF sounds are decoded by SDL and
// converted here the same way, into a buffer that holds what is copied.
Mix_Chunk* LoadRiffChunk(SDL_RWops* stream) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  if (!Mix_QuerySpec(&frequency, &format, &channels)) {
    SDL_RWclose(stream);
    return nullptr;
  }
  SDL_AudioSpec loaded;
  Uint8* wave = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV_RW(stream, 1, &loaded, &wave, &length)) return nullptr;
  Uint8* samples = nullptr;
  Uint32 size = 0;
  if (loaded.format != format || loaded.channels != channels || loaded.freq != frequency) {
    SDL_AudioCVT cvt;
    if (SDL_BuildAudioCVT(&cvt, loaded.format, loaded.channels, loaded.freq, format, static_cast<Uint8>(channels),
                          frequency) < 0) {
      SDL_FreeWAV(wave);
      return nullptr;
    }
    const Uint32 frame = static_cast<Uint32>(((loaded.format & 0xFF) / 8) * loaded.channels);
    cvt.len = static_cast<int>(length & ~(frame - 1u));
    const size_t room = static_cast<size_t>(cvt.len) * (cvt.len_mult > 1 ? cvt.len_mult : 1);
    cvt.buf = static_cast<Uint8*>(SDL_calloc(1, room > 0 ? room : 1));
    if (cvt.buf) {
      if (cvt.len > 0) std::memcpy(cvt.buf, wave, static_cast<size_t>(cvt.len));
      if (SDL_ConvertAudio(&cvt) < 0) {
        SDL_free(cvt.buf);
        cvt.buf = nullptr;
      }
    }
    samples = cvt.buf;
    size = static_cast<Uint32>(cvt.len_cvt);
  } else {
    samples = static_cast<Uint8*>(SDL_malloc(length > 0 ? length : 1));
    if (samples && length > 0) std::memcpy(samples, wave, length);
    size = length;
  }
  SDL_FreeWAV(wave);
  if (!samples) return nullptr;
  auto* chunk = static_cast<Mix_Chunk*>(SDL_malloc(sizeof(Mix_Chunk)));
  if (!chunk) {
    SDL_free(samples);
    return nullptr;
  }
  chunk->allocated = 1;  // Mix_FreeChunk frees the samples too
  chunk->abuf = samples;
  chunk->alen = size;
  chunk->volume = MIX_MAX_VOLUME;
  return chunk;
}

}  // namespace
#endif

Mix_Chunk* LoadBoundedWAV(SDL_RWops* stream) {
  if (!stream) return nullptr;
  const int start = SDL_RWtell(stream);
  const int end = SDL_RWseek(stream, 0, RW_SEEK_END);
  Mix_Chunk* chunk = nullptr;
  if (start >= 0 && end >= start && end - start <= kMaxSoundFileBytes &&
      SDL_RWseek(stream, start, RW_SEEK_SET) == start) {
    const size_t size = static_cast<size_t>(end - start);
    auto* data = static_cast<uint8_t*>(std::malloc(size > 0 ? size : 1));
    if (data && (size == 0 || SDL_RWread(stream, data, size, 1) == 1)) {
      // Only WAVs: the mixer's loaders for the other formats it recognises
      // (AIFF, Creative Voice, Ogg, FLAC) leak what they read from a
      // malformed file, and the game names no such files.
      if (IsRiff(data, size)) {
        CutRiffChunks(data, size);
        if (ConvertedSoundBytes(data, size) <= kMaxSoundBytes)
#ifdef __EMSCRIPTEN__
          // The browser decodes and converts; a chunk made here could not play.
          chunk = LoadWavInBrowser(data, size);
#else
          chunk = LoadRiffChunk(SDL_RWFromConstMem(data, static_cast<int>(size)));
#endif
      }
    }
    std::free(data);
  }
  SDL_RWclose(stream);
  return chunk;
}
