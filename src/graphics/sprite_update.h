// The per-frame life of sprites: start delay, life time, timed and constant
// motion, frame animation and the four timed effects.
#pragma once

#include "graphics/sprite.h"

void UpdateSprites(SpriteList* list);
int IsSpriteMoving(const Sprite* sprite);
void MoveSpriteTo(Sprite* sprite, int x0, int y0, int x1, int y1, int frames);
void ResetSpriteAnim(Sprite* sprite);
void AddSpriteAnimStep(Sprite* sprite, int frame, int ticks, int terminator);
void SetSpriteTrail(Sprite* sprite);
void SetSpriteBlink(Sprite* sprite, int period);
void FadeInSprite(Sprite* sprite, int frames);
void FadeOutSprite(Sprite* sprite, int frames);
void ClearSpriteEffect(Sprite* sprite);
void FadeInSprites(SpriteList* list, int frames);
void FadeOutSprites(SpriteList* list, int frames);
