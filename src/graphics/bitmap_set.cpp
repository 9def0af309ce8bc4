#include "graphics/bitmap_set.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "base/byte_order.h"
#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "base/text_lines.h"

namespace {

// The memory the bitmaps hold, for the whole run: each load adds its bitmap's
// bytes and each free takes them off; nothing resets the count.
struct BitmapTally {
  size_t bytesHeld;  // by every set's bitmaps; a twin shares its bitmap's pixels
};
BitmapTally tally = {0};

size_t SurfaceBytes(const SDL_Surface* surface) {
  return surface ? static_cast<size_t>(surface->pitch) * static_cast<size_t>(surface->h) : 0;
}

void FreeSlot(BitmapSet* set, int slot) {
  if (set->blendBitmaps[slot]) SDL_FreeSurface(set->blendBitmaps[slot]);
  tally.bytesHeld -= std::min(tally.bytesHeld, SurfaceBytes(set->bitmaps[slot]));
  if (set->bitmaps[slot]) SDL_FreeSurface(set->bitmaps[slot]);
  set->blendBitmaps[slot] = nullptr;
  set->bitmaps[slot] = nullptr;
}

// A 16-bit field is unsigned, as SDL reads it; a 32-bit one is signed.
int32_t HeaderField(const uint8_t* bytes, int count) { return static_cast<int32_t>(ReadLittleEndian(bytes, count)); }

bool WithinLimit(int32_t side) { return side >= -kMaxBitmapSide && side <= kMaxBitmapSide; }

// The pixel bytes SDL allocates for a picture: rows of whole 4-byte words, a
// byte a pixel for 8 bits and fewer. An unknown depth counts as the largest.
size_t DecodedBytes(int32_t width, int32_t height, int bits) {
  const size_t perPixel = bits <= 0 || bits > 32 ? 4 : bits <= 8 ? 1 : static_cast<size_t>(bits + 7) / 8;
  const size_t row = (static_cast<size_t>(std::abs(width)) * perPixel + 3) / 4 * 4;
  return row * static_cast<size_t>(std::abs(height));
}

}  // namespace

size_t BitmapBytesHeld() { return tally.bytesHeld; }

SDL_Surface* LoadBoundedBMP(SDL_RWops* stream, size_t allowance) {
  if (!stream) return nullptr;
  // File header (14 bytes), the info header's size, then its width, height,
  // planes and depth: 16-bit each in the old 12-byte header, 32-bit sides in
  // every later one.
  uint8_t head[30];
  const int start = SDL_RWtell(stream);
  const int read = static_cast<int>(SDL_RWread(stream, head, 1, sizeof head));  // -1 on an error
  const bool core = read >= 26 && HeaderField(head + 14, 4) == 12;
  if ((!core && read < static_cast<int>(sizeof head)) || SDL_RWseek(stream, start, RW_SEEK_SET) < 0) {
    SDL_RWclose(stream);
    return nullptr;
  }
  const int32_t width = core ? HeaderField(head + 18, 2) : HeaderField(head + 18, 4);
  const int32_t height = core ? HeaderField(head + 20, 2) : HeaderField(head + 22, 4);
  const int bits = core ? HeaderField(head + 24, 2) : HeaderField(head + 28, 2);
  if (!WithinLimit(width) || !WithinLimit(height) || DecodedBytes(width, height, bits) > allowance) {
    SDL_RWclose(stream);
    return nullptr;
  }
  return SDL_LoadBMP_RW(stream, 1);
}

SDL_Surface* CreateBlendTwin(SDL_Surface* surface) {
  const SDL_PixelFormat* format = surface->format;
  SDL_Surface* twin =
      SDL_CreateRGBSurfaceFrom(surface->pixels, surface->w, surface->h, format->BitsPerPixel, surface->pitch,
                               format->Rmask, format->Gmask, format->Bmask, format->Amask);
  if (!twin) return nullptr;
  if (format->palette) SDL_SetColors(twin, format->palette->colors, 0, format->palette->ncolors);
  if (surface->flags & SDL_SRCCOLORKEY) SDL_SetColorKey(twin, SDL_SRCCOLORKEY, SurfaceColorKey(surface));
  SDL_SetAlpha(twin, SDL_SRCALPHA, 128);
  return twin;
}

BitmapSet* CreateBitmapSet(int capacity) {
  if (capacity < 0) return nullptr;
  auto* set = static_cast<BitmapSet*>(std::calloc(1, sizeof(BitmapSet)));
  const size_t slots = capacity > 0 ? capacity : 1;
  if (set) {
    set->bitmaps = static_cast<SDL_Surface**>(std::calloc(slots, sizeof(SDL_Surface*)));
    set->blendBitmaps = static_cast<SDL_Surface**>(std::calloc(slots, sizeof(SDL_Surface*)));
  }
  if (!set || !set->bitmaps || !set->blendBitmaps) {
    ReportDiagnostic("%s", msg::MsgNoMemoryBitmap);
    if (set) {
      std::free(set->bitmaps);
      std::free(set->blendBitmaps);
    }
    std::free(set);
    return nullptr;
  }
  set->capacity = capacity;
  return set;
}

void DestroyBitmapSet(BitmapSet* set) {
  if (!set) return;
  for (int i = 0; i < set->capacity; i++) FreeSlot(set, i);
  std::free(set->bitmaps);
  std::free(set->blendBitmaps);
  std::free(set);
}

SDL_Surface* GetBitmap(const BitmapSet* set, int slot) {
  if (!set || slot < 0 || slot >= set->capacity) return nullptr;
  return set->bitmaps[slot];
}

SDL_Surface* GetBlendBitmap(const BitmapSet* set, int slot) {
  if (!set || slot < 0 || slot >= set->capacity) return nullptr;
  return set->blendBitmaps[slot];
}

SDL_Rect ClipToOnePixel(SDL_Surface* target) {
  SDL_Rect clip;
  SDL_GetClipRect(target, &clip);
  SDL_Rect pixel = {0, 0, 1, 1};
  SDL_SetClipRect(target, &pixel);
  return clip;
}

void PrimeBitmapSet(const BitmapSet* set, SDL_Surface* target) {
  if (!set || !target) return;
  SDL_Rect clip = ClipToOnePixel(target);
  for (int i = 0; i < set->capacity; i++) {
    SDL_Rect dest = {0, 0, 0, 0};
    if (set->bitmaps[i]) SDL_UpperBlit(set->bitmaps[i], nullptr, target, &dest);
    dest = {0, 0, 0, 0};
    if (set->blendBitmaps[i]) SDL_UpperBlit(set->blendBitmaps[i], nullptr, target, &dest);
  }
  SDL_SetClipRect(target, &clip);
}

int LoadBitmapAt(BitmapSet* set, const char* path, int slot) {
  const bool slotExists = set && slot >= 0 && slot < set->capacity;
  FILE* file = slotExists ? OpenRegularFile(path) : nullptr;
  return LoadBitmapRW(set, file ? SDL_RWFromFP(file, SDL_TRUE) : nullptr, path, slot);
}

int LoadBitmapRW(BitmapSet* set, SDL_RWops* stream, const char* name, int slot) {
  if (!set || slot < 0 || slot >= set->capacity) {
    if (stream) SDL_RWclose(stream);
    if (!set) return -1;
    set->count = slot;
    ReportDiagnostic(msg::MsgBitmapSlot, slot);
    return -1;
  }
  set->count = slot;
  // A later line for the same slot replaces the bitmap; the old one is
  // freed, so its share of the budget is the new one's to take.
  const size_t held = tally.bytesHeld - std::min(tally.bytesHeld, SurfaceBytes(set->bitmaps[slot]));
  SDL_Surface* surface = LoadBoundedBMP(stream, kBitmapBudget - std::min(held, kBitmapBudget));
  FreeSlot(set, slot);
  set->bitmaps[slot] = surface;
  if (!surface) {
    ReportDiagnostic(msg::MsgBitmapLoad, name);
    return -1;
  }
  tally.bytesHeld += SurfaceBytes(surface);
  set->blendBitmaps[slot] = CreateBlendTwin(surface);
  set->count = slot + 1;
  return 0;
}

void KeyBitmapBlack(BitmapSet* set, int slot) {
  SDL_Surface* surface = GetBitmap(set, slot);
  if (!surface) return;
  const Uint32 black = SDL_MapRGB(surface->format, 0, 0, 0);
  SDL_SetColorKey(surface, SDL_SRCCOLORKEY, black);
  if (SDL_Surface* twin = set->blendBitmaps[slot]) SDL_SetColorKey(twin, SDL_SRCCOLORKEY, black);
}

int LoadBitmapListStream(BitmapSet* set, FILE* list, const char* dir) {
  // A third field, whatever it says, makes the bitmap opaque.
  ReadSlotList(
      list, dir,
      [](void* context, int slot, const char* path, int fields) {
        auto* set = static_cast<BitmapSet*>(context);
        if (LoadBitmapAt(set, path, slot) == 0 && fields < 3) KeyBitmapBlack(set, slot);
      },
      set);
  return 0;
}

int LoadBitmapList(BitmapSet* set, const char* listPath, const char* dir) {
  if (!set) {
    ReportDiagnostic("%s", msg::MsgNoBitmapSet);
    return -1;
  }
  FILE* list = OpenRegularFile(listPath);
  if (!list) {
    ReportDiagnostic(msg::MsgOpenFailed, listPath);
    return -1;
  }
  LoadBitmapListStream(set, list, dir);
  std::fclose(list);
  return 0;
}

int LoadBitmapDir(BitmapSet* set, const char* dir) {
  char listPath[kPathBufferSize];
  if (JoinPath(listPath, dir, "list.txt") != 0) return -1;
  return LoadBitmapList(set, listPath, dir);
}
