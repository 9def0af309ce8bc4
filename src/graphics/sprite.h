// Fixed pools of display objects, one per layer; a sprite is a slot taken by
// a circular free-slot search and given back by zeroing it.
#pragma once

#include <cstdint>

struct BitmapSet;
struct BitmapFont;

using Fixed12 = int32_t;  // 1/4096 pixel

inline constexpr int kFixedShift = 12;
inline constexpr Fixed12 PixelsToFixed(int pixels) {
  return static_cast<Fixed12>(static_cast<uint32_t>(pixels) << kFixedShift);
}
inline constexpr int FixedToPixels(Fixed12 value) { return value >> kFixedShift; }

enum SpriteKind { KindBitmap = 0, KindText = 1 };
enum SpriteEffect { EffectNone = 0, EffectTrail = 1, EffectBlink = 2, EffectFadeIn = 3, EffectFadeOut = 4 };
enum AnimTerminator { AnimLoop = -1, AnimStop = -2 };

inline constexpr int kAnimPairs = 33;
inline constexpr int kSpriteTextSize = 256;

struct AnimPair {
  int frame;
  int ticks;  // frames
};

struct Sprite {
  Fixed12 x;
  Fixed12 y;
  int cameraRelative;
  int frame;
  int inUse;
  int visible;
  uint8_t alpha;  // 0 clear to 255 opaque
  int delay;      // frames before it is updated or drawn
  int effect;
  int effectLength;   // frames: a trail's or blink's period, a fade's length
  int effectCounter;  // frames into the effect
  BitmapSet* bitmaps;
  BitmapFont* font;
  char text[kSpriteTextSize];
  int kind;
  Fixed12 vx;      // Fixed12 per frame
  Fixed12 vy;      // Fixed12 per frame
  int moveFrames;  // frames left of a timed move; 0 = none
  int life;        // frames left before it is freed; 0 = no limit
  int animTick;    // frames into the current step
  int animStep;
  AnimPair anim[kAnimPairs];
  // Set anew by every allocation of the slot. An owner keeps the value it
  // saw, so a slot freed behind its back and handed to someone else is
  // recognised as no longer its own.
  uint32_t serial;
};

struct SpriteList {
  Sprite* sprites;
  int capacity;
  Fixed12 cameraX;
  Fixed12 cameraY;
  uint32_t nextSerial;
  // No slot at or past this index is in use: the passes over a layer stop
  // here instead of walking thousands of free slots every frame.
  int highWater;
};

SpriteList* CreateSpriteList(int capacity);
void DestroySpriteList(SpriteList* list);
// Each takes the first free slot after `start`, circling round (out of range counts as 0),
// cleared and invisible; null when the list is full or null.
Sprite* AllocSprite(SpriteList* list, BitmapSet* bitmaps, int start);
Sprite* AllocTextSprite(SpriteList* list, BitmapFont* font, int start);
void FreeSprite(SpriteList* list, Sprite* sprite);
void ClearSpriteList(SpriteList* list);
// Zeroes the sprite, which frees its slot, and stops its animation.
void ResetSprite(Sprite* sprite);
// Places the sprite's top-left at pixel (px, py) and zeroes its velocity.
void SetSpritePos(Sprite* sprite, int px, int py);

// 1 when the sprite is in use and still the allocation its owner recorded.
inline int SpriteStillOwned(const Sprite* sprite, uint32_t serial) {
  return sprite && sprite->inUse && sprite->serial == serial;
}

// Number of taken slots (for checks and tools; the game itself never counts).
int CountUsedSprites(const SpriteList* list);
// 1 when the sprite is one of the list's slots.
int SpriteBelongsTo(const SpriteList* list, const Sprite* sprite);
