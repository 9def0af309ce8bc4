#include "sound/sound_bank.h"

#include <cstdlib>

#include "engine/messages.h"
#include "engine/text_lines.h"

namespace {

int audioOpen = 0;
SoundObserver soundObserver = nullptr;
void* soundObserverContext = nullptr;

Mix_Chunk* ChunkAt(SoundBank* bank, int slot) {
  if (!bank || slot < 0 || slot >= bank->capacity) return nullptr;
  return bank->chunks[slot];
}

}  // namespace

int OpenAudio() { return OpenAudioEx(22050, AUDIO_S16LSB, 2, 512); }

int OpenAudioEx(int frequency, int format, int channels, int chunkSize) {
  if (Mix_OpenAudio(frequency, static_cast<Uint16>(format), channels, chunkSize) < 0) {
    std::fprintf(stderr, msg::MsgOpenFailed, SDL_GetError());
    return 0;
  }
  audioOpen = 1;
  return 1;
}

int CloseAudio() {
  if (audioOpen != 1) return -1;
  Mix_CloseAudio();
  audioOpen = 0;
  return 0;
}

int IsAudioOpen() { return audioOpen; }

SoundBank* CreateSoundBank(int capacity) {
  if (capacity < 0) return nullptr;
  auto* bank = static_cast<SoundBank*>(std::calloc(1, sizeof(SoundBank)));
  if (!bank) {
    std::fprintf(stderr, "%s", msg::MsgNoMemorySound);
    return nullptr;
  }
  bank->capacity = capacity;
  bank->chunks = static_cast<Mix_Chunk**>(std::calloc(capacity > 0 ? capacity : 1, sizeof(Mix_Chunk*)));
  if (!bank->chunks) {
    std::fprintf(stderr, "%s", msg::MsgNoMemorySoundSlots);
    std::free(bank);
    return nullptr;
  }
  bank->loopChannel = -1;
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
  if (!bank) return -1;
  if (index < 0 || index >= bank->capacity) {
    std::fprintf(stderr, msg::MsgSoundSlot, index);
    return -1;
  }
  SDL_RWops* stream = SDL_RWFromFile(path, "rb");
  Mix_Chunk* chunk = stream ? Mix_LoadWAV_RW(stream, 1) : nullptr;
  if (bank->chunks[index]) {
    // Free what the slot held only when no channel can still be mixing it.
    if (bank->loopChannel != -1 && Mix_GetChunk(bank->loopChannel) == bank->chunks[index]) StopLoop(bank);
    Mix_FreeChunk(bank->chunks[index]);
  }
  bank->chunks[index] = chunk;
  if (!chunk) {
    std::fprintf(stderr, msg::MsgWavMissing, path);
    return -1;
  }
  return 0;
}

int LoadSoundListStream(SoundBank* bank, FILE* list, const char* dir) {
  LineReader reader;
  reader.file = list;
  while (char* line = ReadLine(&reader)) {
    if (IsSkippedLine(line)) continue;
    char* tokens[2];
    if (SplitTokens(line, tokens, 2) < 2) continue;
    char path[kPathBufferSize];
    if (JoinPath(path, dir, tokens[1]) != 0) continue;
    LoadSoundAt(bank, path, std::atoi(tokens[0]));
  }
  return 0;
}

int LoadSoundList(SoundBank* bank, const char* listPath, const char* dir) {
  if (!bank) {
    std::fprintf(stderr, "%s", msg::MsgNoSoundBank);
    return -1;
  }
  FILE* list = std::fopen(listPath, "rb");
  if (!list) {
    std::fprintf(stderr, msg::MsgSoundListOpen, listPath);
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
  if (soundObserver) soundObserver(slot, soundObserverContext);
  Mix_Chunk* chunk = ChunkAt(bank, slot);
  if (!chunk) return -1;
  return Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

int PlayLoop(SoundBank* bank, int slot) {
  if (!bank) return -1;
  if (bank->loopChannel != -1) Mix_HaltChannel(bank->loopChannel);
  Mix_Chunk* chunk = ChunkAt(bank, slot);
  bank->loopChannel = chunk ? Mix_PlayChannelTimed(-1, chunk, -1, -1) : -1;
  if (bank->loopChannel < 0) bank->loopChannel = -1;
  return bank->loopChannel;
}

void StopLoop(SoundBank* bank) {
  if (!bank) return;
  if (bank->loopChannel != -1) Mix_HaltChannel(bank->loopChannel);
  bank->loopChannel = -1;
}

void SetSoundObserver(SoundObserver observer, void* context) {
  soundObserver = observer;
  soundObserverContext = context;
}
