#include "graphics/bitmap_set.h"

#include <cstdlib>

#include "engine/messages.h"
#include "engine/text_lines.h"

BitmapSet* CreateBitmapSet(int capacity) {
  if (capacity < 0) return nullptr;
  auto* set = static_cast<BitmapSet*>(std::calloc(1, sizeof(BitmapSet)));
  if (set) set->bitmaps = static_cast<SDL_Surface**>(std::calloc(capacity > 0 ? capacity : 1, sizeof(SDL_Surface*)));
  if (!set || !set->bitmaps) {
    std::fprintf(stderr, "%s", msg::MsgNoMemoryBitmap);
    std::free(set);
    return nullptr;
  }
  set->capacity = capacity;
  return set;
}

void DestroyBitmapSet(BitmapSet* set) {
  if (!set) return;
  for (int i = 0; i < set->capacity; i++) {
    if (set->bitmaps[i]) SDL_FreeSurface(set->bitmaps[i]);
    set->bitmaps[i] = nullptr;
  }
  std::free(set->bitmaps);
  std::free(set);
}

SDL_Surface* GetBitmap(const BitmapSet* set, int slot) {
  if (!set || slot < 0 || slot >= set->capacity) return nullptr;
  return set->bitmaps[slot];
}

int LoadBitmapAt(BitmapSet* set, const char* path, int slot) {
  if (!set) return -1;
  set->count = slot;
  if (slot < 0 || slot >= set->capacity) {
    std::fprintf(stderr, msg::MsgBitmapSlot, slot);
    return -1;
  }
  SDL_RWops* stream = SDL_RWFromFile(path, "rb");
  SDL_Surface* surface = stream ? SDL_LoadBMP_RW(stream, 1) : nullptr;
  // A later line for the same slot replaces the bitmap; the old one is freed.
  if (set->bitmaps[slot]) SDL_FreeSurface(set->bitmaps[slot]);
  set->bitmaps[slot] = surface;
  if (!surface) {
    std::fprintf(stderr, msg::MsgBitmapLoad, path);
    return -1;
  }
  set->count = slot + 1;
  return 0;
}

int LoadBitmapListStream(BitmapSet* set, FILE* list, const char* dir) {
  LineReader reader;
  reader.file = list;
  while (char* line = ReadLine(&reader)) {
    if (IsSkippedLine(line)) continue;
    char* tokens[3];
    const int count = SplitTokens(line, tokens, 3);
    if (count < 2) continue;  // no field, or a slot without a file name
    char path[kPathBufferSize];
    if (JoinPath(path, dir, tokens[1]) != 0) continue;
    const int slot = std::atoi(tokens[0]);
    if (LoadBitmapAt(set, path, slot) == 0 && count < 3) {
      SDL_Surface* surface = set->bitmaps[slot];
      SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(surface->format, 0, 0, 0));
    }
  }
  return 0;
}

int LoadBitmapList(BitmapSet* set, const char* listPath, const char* dir) {
  if (!set) {
    std::fprintf(stderr, "%s", msg::MsgNoBitmapSet);
    return -1;
  }
  FILE* list = std::fopen(listPath, "rb");
  if (!list) {
    std::fprintf(stderr, msg::MsgOpenFailed, listPath);
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
