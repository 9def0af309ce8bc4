#include "platform/web/web_sdl.h"

#include <emscripten.h>

#include <cstdlib>
#include <cstring>

namespace {

// Stream handles of the browser's SDL are indexes into a list that shrinks
// when its last entry is freed; handle 0 reads as failure. One held for the
// whole run keeps every later handle above 0: StartWebPlatform takes it once
// and nothing gives it back.
struct StreamAnchor {
  int handle;
};
StreamAnchor anchor = {0};
const uint8_t kAnchorByte = 0;

struct MixerSpec {
  int open;
  int frequency;
  Uint16 format;
  int channels;
};

// The mixer as opened, and the chunk each channel was last given: OpenMixer
// sets what it opened and clears the channels, CloseMixer forgets it, a halt
// clears its channels.
constexpr int kTrackedChannels = 64;
struct WebMixer {
  MixerSpec opened;
  Mix_Chunk* channelChunks[kTrackedChannels];
};
WebMixer mixer = {};

// GetClassicKeyName's answer for the keys it spells out, written anew by each call.
struct KeyNameText {
  char single[2];
  char function[4];
};
KeyNameText keyName = {};

// BMPs the game can load are at most 4096 x 4096 at 32 bits, plus headers.
constexpr long kMaxBmpBytes = 4096L * 4096 * 4 + 4096;

EM_JS(void, PatchBrowserKeyCodes, (), {
  // Chromium's codes for ; = - are not in the browser SDL's table; other
  // browsers already send their ASCII.
  SDL.keyCodes[186] = 59;
  SDL.keyCodes[187] = 61;
  SDL.keyCodes[189] = 45;
});

EM_JS(int, ReadBrowserSurfaceAlpha, (const SDL_Surface* surface), { return SDL.surfaces[surface].alpha; });

// The browser decodes BMPs as it shows them (16-bit 565 included), without
// colour management, into the surface's canvas; -1 when it cannot or the
// picture is not the surface's size.
EM_ASYNC_JS(int, DrawImageBytes, (SDL_Surface * surface, const uint8_t* bytes, int size), {
  try {
    const blob = new Blob([HEAPU8.slice(bytes, bytes + size)], {
      type:
        'image/bmp'
    });
    const image = await createImageBitmap(blob, {premultiplyAlpha : 'none', colorSpaceConversion : 'none'});
    const target = SDL.surfaces[surface];
    const fits = image.width == target.width && image.height == target.height;
    if (fits) {
      target.ctx.globalCompositeOperation = 'copy';
      target.ctx.drawImage(image, 0, 0);
      target.ctx.globalCompositeOperation = 'source-over';
    }
    image.close();
    return fits ? 0 : -1;
  } catch (error) {
    return -1;
  }
});

// This SDL's stream record has no room for a file: the stream is the first
// member of a larger one.
struct FileStream {
  SDL_RWops ops;
  FILE* file;
  SDL_bool autoclose;
};

FILE* FileOf(SDL_RWops* stream) { return reinterpret_cast<FileStream*>(stream)->file; }

long SeekFile(SDL_RWops* stream, long offset, int whence) {
  if (std::fseek(FileOf(stream), offset, whence) != 0) return -1;
  return std::ftell(FileOf(stream));
}

size_t ReadFile(SDL_RWops* stream, void* into, size_t size, size_t count) {
  return std::fread(into, size, count, FileOf(stream));
}

size_t RefuseWrite(SDL_RWops*, const void*, size_t, size_t) { return 0; }

int CloseFile(SDL_RWops* stream) {
  auto* fileStream = reinterpret_cast<FileStream*>(stream);
  const int status = fileStream->autoclose ? std::fclose(fileStream->file) : 0;
  std::free(fileStream);
  return status == 0 ? 0 : -1;
}

int32_t ReadLittle32(const uint8_t* bytes) {
  return static_cast<int32_t>(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

// Width and height from a BMP's headers, the old 12-byte one included.
int ReadBmpSize(const uint8_t* data, long size, int* width, int* height) {
  if (size < 26 || data[0] != 'B' || data[1] != 'M') return -1;
  if (ReadLittle32(data + 14) == 12) {
    *width = data[18] | data[19] << 8;
    *height = data[20] | data[21] << 8;
  } else {
    *width = ReadLittle32(data + 18);
    *height = std::abs(ReadLittle32(data + 22));
  }
  return *width > 0 && *height > 0 && *width <= 4096 && *height <= 4096 ? 0 : -1;
}

}  // namespace

void StartWebPlatform() {
  if (anchor.handle == 0)
    anchor.handle = static_cast<int>(reinterpret_cast<intptr_t>(SDL_RWFromConstMem(&kAnchorByte, 1)));
  PatchBrowserKeyCodes();
}

int SetColorKeyAsAlpha(SDL_Surface* surface, Uint32 flag, Uint32 key) {
  if (!surface) return -1;
  if (!(flag & SDL_SRCCOLORKEY)) {
    surface->flags &= ~SDL_SRCCOLORKEY;
    return 0;
  }
  if (SDL_LockSurface(surface) != 0) return -1;
  // Pixels are R, G, B, A bytes, as the key is; alpha already 0 stays 0, so
  // keying a second time (a twin of a keyed surface) changes nothing.
  const Uint32 rgb = key & 0xFFFFFF;
  for (int y = 0; y < surface->h; y++) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; x++)
      if ((row[x] & 0xFFFFFF) == rgb) row[x] = rgb;
  }
  SDL_UnlockSurface(surface);
  surface->flags |= SDL_SRCCOLORKEY;
  surface->userdata = reinterpret_cast<void*>(static_cast<uintptr_t>(key));
  return 0;
}

Uint32 ReadSurfaceColorKey(const SDL_Surface* surface) {
  return (surface->flags & SDL_SRCCOLORKEY) ? static_cast<Uint32>(reinterpret_cast<uintptr_t>(surface->userdata)) : 0;
}

Uint8 ReadSurfaceAlpha(const SDL_Surface* surface) { return static_cast<Uint8>(ReadBrowserSurfaceAlpha(surface)); }

SDL_RWops* OpenFileRWops(FILE* file, SDL_bool autoclose) {
  if (!file) return nullptr;
  auto* stream = static_cast<FileStream*>(std::calloc(1, sizeof(FileStream)));
  if (!stream) {
    if (autoclose) std::fclose(file);
    return nullptr;
  }
  stream->ops.seek = SeekFile;
  stream->ops.read = ReadFile;
  stream->ops.write = RefuseWrite;
  stream->ops.close = CloseFile;
  stream->file = file;
  stream->autoclose = autoclose;
  return &stream->ops;
}

SDL_Surface* LoadBmpInBrowser(SDL_RWops* stream, int freeStream) {
  if (!stream) return nullptr;
  const long start = SDL_RWtell(stream);
  const long end = SDL_RWseek(stream, 0, RW_SEEK_END);
  const long size = end - start;
  uint8_t* data = nullptr;
  if (start >= 0 && size > 0 && size <= kMaxBmpBytes && SDL_RWseek(stream, start, RW_SEEK_SET) == start) {
    data = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(size)));
    if (data && SDL_RWread(stream, data, static_cast<size_t>(size), 1) != 1) {
      std::free(data);
      data = nullptr;
    }
  }
  if (freeStream) SDL_RWclose(stream);
  int width = 0, height = 0;
  SDL_Surface* surface = nullptr;
  if (data && ReadBmpSize(data, size, &width, &height) == 0)
    surface = SDL_CreateRGBSurface(0, width, height, 32, 0xFF, 0xFF00, 0xFF0000, 0xFF000000);
  if (surface && DrawImageBytes(surface, data, static_cast<int>(size)) != 0) {
    SDL_FreeSurface(surface);
    surface = nullptr;
  }
  std::free(data);
  // The pixels in memory, as the game's blend twins are made from them.
  if (surface && SDL_LockSurface(surface) == 0) SDL_UnlockSurface(surface);
  return surface;
}

Mix_Chunk* LoadWavInBrowser(const uint8_t* data, size_t size) {
  if (!mixer.opened.open || size == 0) return nullptr;
  SDL_RWops* stream = SDL_RWFromConstMem(data, static_cast<int>(size));
  if (!stream) return nullptr;
  // The mixer copies the bytes before decoding them.
  Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 0);
  SDL_FreeRW(stream);
  return chunk;
}

int OpenMixer(int frequency, Uint16 format, int channels, int chunkSize) {
  if (Mix_OpenAudio(frequency, format, channels, chunkSize) < 0) return -1;
  mixer.opened = {1, frequency, format, channels};
  std::memset(mixer.channelChunks, 0, sizeof mixer.channelChunks);
  return 0;
}

void CloseMixer() {
  Mix_CloseAudio();
  mixer.opened = {};
}

int QueryMixerSpec(int* frequency, Uint16* format, int* channels) {
  if (!mixer.opened.open) return 0;
  if (frequency) *frequency = mixer.opened.frequency;
  if (format) *format = mixer.opened.format;
  if (channels) *channels = mixer.opened.channels;
  return 1;
}

int PlayTrackedChannel(int channel, Mix_Chunk* chunk, int loops, int ticks) {
  const int playing = Mix_PlayChannelTimed(channel, chunk, loops, ticks);
  if (playing >= 0 && playing < kTrackedChannels) mixer.channelChunks[playing] = chunk;
  return playing;
}

int HaltTrackedChannel(int channel) {
  if (channel == -1) std::memset(mixer.channelChunks, 0, sizeof mixer.channelChunks);
  if (channel >= 0 && channel < kTrackedChannels) mixer.channelChunks[channel] = nullptr;
  return Mix_HaltChannel(channel);
}

Mix_Chunk* GetChannelChunk(int channel) {
  return channel >= 0 && channel < kTrackedChannels ? mixer.channelChunks[channel] : nullptr;
}

const char* GetClassicKeyName(SDLKey key) {
  if ((key >= 'a' && key <= 'z') || (key >= '0' && key <= '9') ||
      (key < 128 && std::strchr("-=[];',./\\`", static_cast<char>(key)) && key != 0)) {
    keyName.single[0] = static_cast<char>(key);
    keyName.single[1] = '\0';
    return keyName.single;
  }
  static const struct {
    int key;
    const char* name;
  } kNames[] = {{' ', "space"},
                {'\r', "return"},
                {'\033', "escape"},
                {'\b', "backspace"},
                {'\t', "tab"},
                {127, "delete"},
                {SDL_SCANCODE_UP | 1024, "up"},
                {SDL_SCANCODE_DOWN | 1024, "down"},
                {SDL_SCANCODE_LEFT | 1024, "left"},
                {SDL_SCANCODE_RIGHT | 1024, "right"},
                {SDL_SCANCODE_LSHIFT | 1024, "left shift"},
                {SDL_SCANCODE_RSHIFT | 1024, "right shift"},
                {SDL_SCANCODE_LCTRL | 1024, "left ctrl"},
                {SDL_SCANCODE_RCTRL | 1024, "right ctrl"},
                {SDL_SCANCODE_LALT | 1024, "left alt"},
                {SDL_SCANCODE_RALT | 1024, "right alt"},
                {SDL_SCANCODE_INSERT | 1024, "insert"},
                {SDL_SCANCODE_HOME | 1024, "home"},
                {SDL_SCANCODE_END | 1024, "end"},
                {SDL_SCANCODE_PAGEUP | 1024, "page up"},
                {SDL_SCANCODE_PAGEDOWN | 1024, "page down"},
                {SDL_SCANCODE_KP_MINUS | 1024, "[-]"},
                {SDL_SCANCODE_KP_PLUS | 1024, "[+]"}};
  for (const auto& entry : kNames)
    if (entry.key == key) return entry.name;
  if (key >= (SDL_SCANCODE_F1 | 1024) && key <= (SDL_SCANCODE_F12 | 1024)) {
    std::snprintf(keyName.function, sizeof keyName.function, "f%d", key - (SDL_SCANCODE_F1 | 1024) + 1);
    return keyName.function;
  }
  return "unknown key";
}
