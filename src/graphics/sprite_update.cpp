#include "graphics/sprite_update.h"

#include <cstring>

namespace {

constexpr int kTrailStart = 1800;
constexpr int kTrailLife = 10;
constexpr int kTrailFade = 20;

// Effect lengths below 1 would divide by zero; a length of 1 is the shortest.
int SafeLength(int length) { return length < 1 ? 1 : length; }

// Starting a fade from a counter already at or past its length would never
// reach the end test; such a fade starts from the beginning instead. Other
// effects keep the counter (the trail relies on it).
void StartFade(Sprite* sprite, int effect, int frames) {
  sprite->effect = effect;
  sprite->effectLength = SafeLength(frames);
  if (sprite->effectCounter < 0 || sprite->effectCounter >= sprite->effectLength) sprite->effectCounter = 0;
}

uint8_t FadeAlpha(int numerator, int length) {
  const int alpha = numerator * 255 / length;
  return static_cast<uint8_t>(alpha < 0 ? 0 : alpha > 255 ? 255 : alpha);
}

void DropTrailCopy(SpriteList* list, const Sprite* source) {
  Sprite* copy = nullptr;
  if (source->bitmaps) {
    copy = AllocSprite(list, source->bitmaps, kTrailStart);
    if (copy) copy->frame = source->frame;
  } else if (source->font) {
    copy = AllocTextSprite(list, source->font, kTrailStart);
    if (copy) std::memcpy(copy->text, source->text, kSpriteTextSize);
  }
  if (!copy) return;
  copy->alpha = 255;
  copy->visible = 1;
  copy->x = source->x;
  copy->y = source->y;
  copy->cameraRelative = source->cameraRelative;
  copy->life = kTrailLife;
  FadeOutSprite(copy, kTrailFade);
}

// Returns 1 when the effect freed the sprite.
int RunEffect(SpriteList* list, Sprite* sprite) {
  switch (sprite->effect) {
    case EffectTrail: {
      if (!IsSpriteMoving(sprite)) return 0;
      const int length = SafeLength(sprite->effectLength);
      sprite->effectCounter = (sprite->effectCounter + 1) % length;
      if (sprite->effectCounter == 0) DropTrailCopy(list, sprite);
      return 0;
    }
    case EffectBlink: {
      const int length = SafeLength(sprite->effectLength);
      sprite->effectCounter = (sprite->effectCounter + 1) % length;
      sprite->visible = sprite->effectCounter < length / 2 ? 1 : 0;
      return 0;
    }
    case EffectFadeIn: {
      const int length = SafeLength(sprite->effectLength);
      sprite->effectCounter += 1;
      if (sprite->effectCounter >= length)
        ClearSpriteEffect(sprite);
      else
        sprite->alpha = FadeAlpha(sprite->effectCounter, length);
      return 0;
    }
    case EffectFadeOut: {
      const int length = SafeLength(sprite->effectLength);
      sprite->effectCounter += 1;
      if (sprite->effectCounter >= length) {
        ResetSprite(sprite);
        return 1;
      }
      sprite->alpha = FadeAlpha(length - sprite->effectCounter, length);
      return 0;
    }
    default:
      return 0;
  }
}

void StepAnimation(Sprite* sprite) {
  int step = sprite->animStep;
  if (step < 0 || step >= kAnimPairs) return;
  sprite->animTick += 1;
  if (sprite->animTick > sprite->anim[step].ticks) {
    sprite->animTick = 0;
    step += 1;
  }
  const int code = step < kAnimPairs ? sprite->anim[step].frame : AnimStop;
  if (code == AnimStop) {
    if (step > 0) sprite->frame = sprite->anim[step - 1].frame;
    ResetSpriteAnim(sprite);
  } else if (code == AnimLoop) {
    sprite->animStep = 0;
    sprite->frame = sprite->anim[0].frame;
    sprite->animTick = 0;
  } else {
    sprite->animStep = step;
    sprite->frame = code;
  }
}

// Motion wraps instead of overflowing: a runaway object must not be
// undefined behaviour.
Fixed12 WrapAdd(Fixed12 a, Fixed12 b) {
  return static_cast<Fixed12>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

}  // namespace

void UpdateSprites(SpriteList* list) {
  if (!list) return;
  for (int i = 0; i < list->highWater; i++) {
    Sprite* sprite = &list->sprites[i];
    if (!sprite->inUse) continue;
    if (sprite->delay != 0) {
      sprite->delay -= 1;
      continue;
    }
    if (sprite->life != 0) {
      sprite->life -= 1;
      if (sprite->life == 0) {
        ResetSprite(sprite);
        continue;
      }
    }
    if (sprite->moveFrames != 0) {
      sprite->moveFrames -= 1;
      if (sprite->moveFrames == 0) {
        sprite->vx = 0;
        sprite->vy = 0;
        continue;
      }
    }
    if (RunEffect(list, sprite)) continue;
    sprite->x = WrapAdd(sprite->x, sprite->vx);
    sprite->y = WrapAdd(sprite->y, sprite->vy);
    StepAnimation(sprite);
  }
}

int IsSpriteMoving(const Sprite* sprite) { return sprite->vx != 0 || sprite->vy != 0; }

void MoveSpriteTo(Sprite* sprite, int x0, int y0, int x1, int y1, int frames) {
  if (frames < 1) frames = 1;
  sprite->x = PixelsToFixed(x0);
  sprite->y = PixelsToFixed(y0);
  sprite->vx = static_cast<Fixed12>(static_cast<int64_t>(x1 - x0) * 4096 / frames);
  sprite->vy = static_cast<Fixed12>(static_cast<int64_t>(y1 - y0) * 4096 / frames);
  sprite->moveFrames = frames + 1;
}

void ResetSpriteAnim(Sprite* sprite) {
  sprite->animStep = -1;
  sprite->anim[0].frame = AnimStop;
}

void AddSpriteAnimStep(Sprite* sprite, int frame, int ticks, int terminator) {
  for (int i = 0; i < kAnimPairs - 1; i++) {
    const int code = sprite->anim[i].frame;
    if (code != AnimLoop && code != AnimStop) continue;
    sprite->anim[i].frame = frame;
    sprite->anim[i].ticks = ticks;
    sprite->anim[i + 1].frame = terminator;
    sprite->animStep = 0;
    sprite->animTick = 0;
    return;
  }
  // A full table has no room for another step and its terminator.
}

void SetSpriteTrail(Sprite* sprite) {
  sprite->effect = EffectTrail;
  sprite->effectLength = 3;
}

void SetSpriteBlink(Sprite* sprite, int period) {
  sprite->effect = EffectBlink;
  sprite->effectLength = SafeLength(period);
}

void FadeInSprite(Sprite* sprite, int frames) {
  sprite->alpha = 0;
  StartFade(sprite, EffectFadeIn, frames);
}

void FadeOutSprite(Sprite* sprite, int frames) { StartFade(sprite, EffectFadeOut, frames); }

void ClearSpriteEffect(Sprite* sprite) {
  sprite->effect = EffectNone;
  sprite->effectLength = 0;
  sprite->effectCounter = 0;
}

void FadeInSprites(SpriteList* list, int frames) {
  for (int i = 0; list && i < list->highWater; i++)
    if (list->sprites[i].inUse) FadeInSprite(&list->sprites[i], frames);
}

void FadeOutSprites(SpriteList* list, int frames) {
  for (int i = 0; list && i < list->highWater; i++)
    if (list->sprites[i].inUse) FadeOutSprite(&list->sprites[i], frames);
}
