#include "sound/sound_bank.h"

#include <cstdlib>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/text_lines.h"

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

// What a channel plays at: nothing while muted.
int HeardVolume(const SoundBank* bank, int volume) { return bank->muted ? 0 : volume; }

}  // namespace

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
