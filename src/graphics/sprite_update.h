// The per-frame life of sprites: start delay, life time, timed and constant
// motion, frame animation and the four timed effects.
#pragma once

#include "graphics/sprite.h"

// One frame of every sprite in use; those whose life or fade-out ends are freed. Null is ignored.
void UpdateSprites(SpriteList* list);
// 1 while either velocity is not zero.
int IsSpriteMoving(const Sprite* sprite);
// Puts the sprite at pixel (x0, y0) and glides it to (x1, y1) over `frames` frames (at least 1),
// then stops it.
void MoveSpriteTo(Sprite* sprite, int x0, int y0, int x1, int y1, int frames);
// Stops the animation; the sprite keeps the frame it shows.
void ResetSpriteAnim(Sprite* sprite);
// Appends a step showing `frame` (`ticks` in frames) and closes the list with `terminator`
// (AnimLoop or AnimStop), restarting the animation; a full list ignores it.
void AddSpriteAnimStep(Sprite* sprite, int frame, int ticks, int terminator);
// Leaves a fading copy every third frame while the sprite moves.
void SetSpriteTrail(Sprite* sprite);
// Shown for the first half of every `period` frames, hidden for the rest.
void SetSpriteBlink(Sprite* sprite, int period);
// Each fades over `frames` frames (at least 1); the end of a fade-out frees the sprite.
void FadeInSprite(Sprite* sprite, int frames);
void FadeOutSprite(Sprite* sprite, int frames);
// Ends any effect; alpha and visibility stay as it left them.
void ClearSpriteEffect(Sprite* sprite);
// The same for every sprite in use on the list; null is ignored.
void FadeInSprites(SpriteList* list, int frames);
void FadeOutSprites(SpriteList* list, int frames);
