#include "sound/sound_bank.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "base/byte_order.h"
#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/text_lines.h"
#ifdef __EMSCRIPTEN__
#include "platform/web/web_sdl.h"
#endif

namespace {

// The audio device and the one listener to played sounds, for the whole run:
// OpenAudio and CloseAudio set `open`, SetSoundObserver the observer.
struct AudioState {
  int open;  // the mixer is open
  SoundObserver observer;
  void* observerContext;
};
AudioState audio = {0, nullptr, nullptr};

Mix_Chunk* ChunkAt(SoundBank* bank, int slot) {
  if (!bank || slot < 0 || slot >= bank->capacity) return nullptr;
  return bank->chunks[slot];
}

// Both SDL's loader and the mixer take a bare "WAVE" header, without the
// RIFF one before it, as a WAV too.
bool IsRiff(const uint8_t* data, size_t size) {
  return size >= 4 && (std::memcmp(data, "RIFF", 4) == 0 || std::memcmp(data, "WAVE", 4) == 0);
}

// Cuts the RIFF size and each chunk's length to the bytes that follow it.
void CutRiffChunks(uint8_t* data, size_t size) {
  size_t at = 4;
  if (std::memcmp(data, "RIFF", 4) == 0) {
    if (size < 12) return;
    if (ReadLittleEndian(data + 4, 4) > size - 8) WriteLittleEndian(data + 4, static_cast<uint32_t>(size - 8), 4);
    at = 12;
  }
  while (size - at >= 8) {
    const size_t left = size - at - 8;
    uint32_t length = ReadLittleEndian(data + at + 4, 4);
    if (length > left) {
      length = static_cast<uint32_t>(left);
      WriteLittleEndian(data + at + 4, length, 4);
    }
    at += 8 + length;
    if (length % 2 && at < size) at++;  // chunks are padded to even lengths
  }
}

// The chunk with this id after CutRiffChunks: its bytes and length; null when
// there is none.
const uint8_t* FindRiffChunk(const uint8_t* data, size_t size, const char* id, size_t* length) {
  size_t at = std::memcmp(data, "RIFF", 4) == 0 ? 12 : 4;
  while (size >= at + 8) {
    *length = ReadLittleEndian(data + at + 4, 4);
    if (std::memcmp(data + at, id, 4) == 0) return data + at + 8;
    at += 8 + *length + (*length % 2);
  }
  return nullptr;
}

// The size of the sound once converted to the mixer's format, from its
// format and data chunks; 0 when they are missing or say nothing sane, which
// SDL's loader then refuses on its own.
uint64_t ConvertedSoundBytes(const uint8_t* data, size_t size) {
  int frequency = 0, channels = 0;
  Uint16 format = 0;
  size_t formatLength = 0, dataLength = 0;
  const uint8_t* fmt = FindRiffChunk(data, size, "fmt ", &formatLength);
  if (!Mix_QuerySpec(&frequency, &format, &channels) || !fmt || formatLength < 16 ||
      !FindRiffChunk(data, size, "data", &dataLength))
    return 0;
  const uint64_t fromChannels = ReadLittleEndian(fmt + 2, 2);
  const uint64_t fromRate = ReadLittleEndian(fmt + 4, 4);
  const uint64_t fromBits = ReadLittleEndian(fmt + 14, 2);
  if (fromChannels == 0 || fromRate == 0 || fromBits == 0) return 0;
  const uint64_t frames = dataLength * 8 / (fromChannels * fromBits);
  const uint64_t frameBytes = static_cast<uint64_t>(channels) * ((format & 0xFF) / 8);
  return frames * frameBytes * static_cast<uint64_t>(frequency) / fromRate;
}

// What a channel plays at: nothing while muted.
int HeardVolume(const SoundBank* bank, int volume) { return bank->muted ? 0 : volume; }

#ifndef __EMSCRIPTEN__
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
#endif

}  // namespace

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

int OpenAudio() { return OpenAudioEx(22050, AUDIO_S16LSB, 2, 512); }

int OpenAudioEx(int frequency, int format, int channels, int chunkSize) {
  if (Mix_OpenAudio(frequency, static_cast<Uint16>(format), channels, chunkSize) < 0) {
    ReportDiagnostic(msg::MsgOpenFailed, SDL_GetError());
    return 0;
  }
  audio.open = 1;
  return 1;
}

int CloseAudio() {
  if (audio.open != 1) return -1;
  Mix_CloseAudio();
  audio.open = 0;
  return 0;
}

SoundBank* CreateSoundBank(int capacity) {
  if (capacity < 0) return nullptr;
  auto* bank = static_cast<SoundBank*>(std::calloc(1, sizeof(SoundBank)));
  if (!bank) {
    ReportDiagnostic("%s", msg::MsgNoMemorySound);
    return nullptr;
  }
  bank->capacity = capacity;
  bank->chunks = static_cast<Mix_Chunk**>(std::calloc(capacity > 0 ? capacity : 1, sizeof(Mix_Chunk*)));
  if (!bank->chunks) {
    ReportDiagnostic("%s", msg::MsgNoMemorySoundSlots);
    std::free(bank);
    return nullptr;
  }
  bank->loopChannel = -1;
  bank->soundVolume = bank->musicVolume = MIX_MAX_VOLUME;
  return bank;
}

void DestroySoundBank(SoundBank* bank) {
  if (!bank) return;
  for (int i = 0; i < bank->capacity; i++) {
    if (bank->chunks[i]) Mix_FreeChunk(bank->chunks[i]);
    bank->chunks[i] = nullptr;
  }
  std::free(bank->chunks);
  std::free(bank);
}

int LoadSoundAt(SoundBank* bank, const char* path, int index) {
  const bool slotExists = bank && index >= 0 && index < bank->capacity;
  FILE* file = slotExists ? OpenRegularFile(path) : nullptr;
  return LoadSoundRW(bank, file ? SDL_RWFromFP(file, SDL_TRUE) : nullptr, path, index);
}

int LoadSoundRW(SoundBank* bank, SDL_RWops* stream, const char* name, int index) {
  if (!bank || index < 0 || index >= bank->capacity) {
    if (stream) SDL_RWclose(stream);
    if (bank) ReportDiagnostic(msg::MsgSoundSlot, index);
    return -1;
  }
  Mix_Chunk* chunk = LoadBoundedWAV(stream);
  if (bank->chunks[index]) {
    // Free what the slot held only when no channel can still be mixing it.
    if (bank->loopChannel != -1 && Mix_GetChunk(bank->loopChannel) == bank->chunks[index]) StopLoop(bank);
    Mix_FreeChunk(bank->chunks[index]);
  }
  bank->chunks[index] = chunk;
  if (!chunk) {
    ReportDiagnostic(msg::MsgWavMissing, name);
    return -1;
  }
  return 0;
}

int LoadSoundListStream(SoundBank* bank, FILE* list, const char* dir) {
  ReadSlotList(
      list, dir,
      [](void* context, int slot, const char* path, int) { LoadSoundAt(static_cast<SoundBank*>(context), path, slot); },
      bank);
  return 0;
}

int LoadSoundList(SoundBank* bank, const char* listPath, const char* dir) {
  if (!bank) {
    ReportDiagnostic("%s", msg::MsgNoSoundBank);
    return -1;
  }
  FILE* list = OpenRegularFile(listPath);
  if (!list) {
    ReportDiagnostic(msg::MsgSoundListOpen, listPath);
    return -1;
  }
  LoadSoundListStream(bank, list, dir);
  std::fclose(list);
  return 0;
}

int LoadSoundDir(SoundBank* bank, const char* dir) {
  char listPath[kPathBufferSize];
  if (JoinPath(listPath, dir, "list.txt") != 0) return -1;
  return LoadSoundList(bank, listPath, dir);
}

int PlaySound(SoundBank* bank, int slot) {
  if (audio.observer) audio.observer(slot, audio.observerContext);
  Mix_Chunk* chunk = ChunkAt(bank, slot);
  if (!chunk) return -1;
  // With every channel busy the mixer refuses too, but through SDL_SetError,
  // which allocates: play would touch the heap on every busy sound.
  if (Mix_Playing(-1) >= Mix_AllocateChannels(-1)) return -1;
  const int channel = Mix_PlayChannelTimed(-1, chunk, 0, -1);
  if (channel >= 0) Mix_Volume(channel, HeardVolume(bank, bank->soundVolume));
  return channel;
}

int PlayLoop(SoundBank* bank, int slot) {
  if (!bank) return -1;
  if (bank->loopChannel != -1) Mix_HaltChannel(bank->loopChannel);
  Mix_Chunk* chunk = ChunkAt(bank, slot);
  bank->loopChannel = chunk ? Mix_PlayChannelTimed(-1, chunk, -1, -1) : -1;
  if (bank->loopChannel < 0) bank->loopChannel = -1;
  if (bank->loopChannel >= 0) Mix_Volume(bank->loopChannel, HeardVolume(bank, bank->musicVolume));
  return bank->loopChannel;
}

void SetVolumes(SoundBank* bank, int sound, int music, int muted) {
  if (!bank) return;
  auto clamp = [](int volume) { return volume < 0 ? 0 : volume > MIX_MAX_VOLUME ? MIX_MAX_VOLUME : volume; };
  bank->soundVolume = clamp(sound);
  bank->musicVolume = clamp(music);
  bank->muted = muted != 0;
  if (!Mix_QuerySpec(nullptr, nullptr, nullptr)) return;  // no audio open: nothing plays
  Mix_Volume(-1, HeardVolume(bank, bank->soundVolume));
  if (bank->loopChannel >= 0) Mix_Volume(bank->loopChannel, HeardVolume(bank, bank->musicVolume));
}

void StopLoop(SoundBank* bank) {
  if (!bank) return;
  if (bank->loopChannel != -1) Mix_HaltChannel(bank->loopChannel);
  bank->loopChannel = -1;
}

void SetSoundObserver(SoundObserver observer, void* context) {
  audio.observer = observer;
  audio.observerContext = context;
}
