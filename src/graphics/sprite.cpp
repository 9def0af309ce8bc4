#include "graphics/sprite.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"

namespace {

Sprite* TakeFreeSlot(SpriteList* list, int start) {
  if (!list || list->capacity <= 0) return nullptr;
  // A start outside the pool is treated as 0 rather than trusted.
  if (start < 0 || start >= list->capacity) start = 0;
  int i = start;
  do {
    i = (i + 1) % list->capacity;
    Sprite* sprite = &list->sprites[i];
    if (sprite->inUse == 0) {
      std::memset(sprite, 0, sizeof(Sprite));
      sprite->inUse = 1;
      sprite->animStep = -1;
      sprite->anim[0].frame = AnimStop;
      sprite->alpha = 255;
      list->nextSerial += 1;
      if (list->nextSerial == 0) list->nextSerial = 1;
      sprite->serial = list->nextSerial;
      if (i >= list->highWater) list->highWater = i + 1;
      return sprite;
    }
  } while (i != start);
  return nullptr;
}

}  // namespace

SpriteList* CreateSpriteList(int capacity) {
  if (capacity < 0) return nullptr;
  auto* list = static_cast<SpriteList*>(std::calloc(1, sizeof(SpriteList)));
  if (list) list->sprites = static_cast<Sprite*>(std::calloc(capacity > 0 ? capacity : 1, sizeof(Sprite)));
  if (!list || !list->sprites) {
    ReportDiagnostic("%s", msg::MsgNoMemorySprite);
    std::free(list);
    return nullptr;
  }
  list->capacity = capacity;
  return list;
}

void DestroySpriteList(SpriteList* list) {
  if (!list) return;
  std::free(list->sprites);
  std::free(list);
}

Sprite* AllocSprite(SpriteList* list, BitmapSet* bitmaps, int start) {
  Sprite* sprite = TakeFreeSlot(list, start);
  if (sprite) {
    sprite->bitmaps = bitmaps;
    sprite->kind = KindBitmap;
  }
  return sprite;
}

Sprite* AllocTextSprite(SpriteList* list, BitmapFont* font, int start) {
  Sprite* sprite = TakeFreeSlot(list, start);
  if (sprite) {
    sprite->font = font;
    sprite->kind = KindText;
  }
  return sprite;
}

void FreeSprite(SpriteList* list, Sprite* sprite) {
  if (SpriteBelongsTo(list, sprite)) std::memset(sprite, 0, sizeof(Sprite));
}

void ClearSpriteList(SpriteList* list) {
  if (!list) return;
  std::memset(list->sprites, 0, sizeof(Sprite) * list->capacity);
  list->highWater = 0;
}

void ResetSprite(Sprite* sprite) {
  std::memset(sprite, 0, sizeof(Sprite));
  sprite->animStep = -1;
  sprite->anim[0].frame = AnimStop;
}

void SetSpritePos(Sprite* sprite, int px, int py) {
  sprite->x = PixelsToFixed(px);
  sprite->y = PixelsToFixed(py);
  sprite->vx = 0;
  sprite->vy = 0;
}

int CountUsedSprites(const SpriteList* list) {
  int used = 0;
  for (int i = 0; list && i < list->highWater; i++) used += list->sprites[i].inUse != 0;
  return used;
}

int SpriteBelongsTo(const SpriteList* list, const Sprite* sprite) {
  if (!list || !sprite) return 0;
  // Compare addresses as integers: relational comparison of unrelated
  // pointers is not defined.
  const auto first = reinterpret_cast<uintptr_t>(list->sprites);
  const auto address = reinterpret_cast<uintptr_t>(sprite);
  if (address < first) return 0;
  const uintptr_t offset = address - first;
  return offset % sizeof(Sprite) == 0 && offset / sizeof(Sprite) < static_cast<uintptr_t>(list->capacity);
}
