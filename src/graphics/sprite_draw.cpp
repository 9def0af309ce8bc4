#include "graphics/sprite_draw.h"

#include "graphics/font.h"

namespace {

int BlitSurface(SDL_Surface* bitmap, SDL_Surface* target, int x, int y) {
  // Off-target positions are clipped here: SDL's rectangles hold 16-bit
  // coordinates, which would wrap around.
  if (x >= target->w || y >= target->h || x <= -bitmap->w || y <= -bitmap->h) return 0;
  SDL_Rect dest = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(bitmap->w),
                   static_cast<Uint16>(bitmap->h)};
  SDL_UpperBlit(bitmap, nullptr, target, &dest);
  return 0;
}

}  // namespace

int BlitBitmap(const BitmapSet* set, SDL_Surface* target, int index, int x, int y) {
  SDL_Surface* bitmap = GetBitmap(set, index);
  if (!bitmap) return -1;
  return BlitSurface(bitmap, target, x, y);
}

int BlitBitmapAlpha(const BitmapSet* set, SDL_Surface* target, int index, int x, int y, int alpha) {
  SDL_Surface* bitmap = GetBitmap(set, index);
  if (!bitmap) return -1;
  if (SDL_Surface* twin = GetBlendBitmap(set, index)) {
    // The twin keeps its alpha between blits; many sprites of one picture
    // (a wipe, a fade) share a value, so it is only set when it changes.
    if (SurfaceAlpha(twin) != static_cast<Uint8>(alpha)) SDL_SetAlpha(twin, SDL_SRCALPHA, static_cast<Uint8>(alpha));
    return BlitSurface(twin, target, x, y);
  }
  SDL_SetAlpha(bitmap, SDL_SRCALPHA, static_cast<Uint8>(alpha));
  BlitSurface(bitmap, target, x, y);
  SDL_SetAlpha(bitmap, 0, 255);
  return 0;
}

void DrawSprites(const SpriteList* list, SDL_Surface* target) {
  if (!list || !target) return;
  for (int i = 0; i < list->highWater; i++) {
    const Sprite* sprite = &list->sprites[i];
    if (!sprite->inUse || (!sprite->bitmaps && !sprite->font) || !sprite->visible || sprite->delay != 0) continue;
    Fixed12 x = sprite->x;
    Fixed12 y = sprite->y;
    if (sprite->cameraRelative == 1) {
      x = static_cast<Fixed12>(static_cast<uint32_t>(x) - static_cast<uint32_t>(list->cameraX));
      y = static_cast<Fixed12>(static_cast<uint32_t>(y) - static_cast<uint32_t>(list->cameraY));
    }
    const int px = FixedToPixels(x);
    const int py = FixedToPixels(y);
    if (sprite->kind == KindBitmap) {
      if (sprite->alpha == 255)
        BlitBitmap(sprite->bitmaps, target, sprite->frame, px, py);
      else
        BlitBitmapAlpha(sprite->bitmaps, target, sprite->frame, px, py, sprite->alpha);
    } else if (sprite->kind == KindText) {
      if (sprite->alpha == 255)
        DrawText(sprite->font, sprite->text, target, px, py);
      else
        DrawTextAlpha(sprite->font, sprite->text, target, px, py, sprite->alpha);
    }
  }
}
