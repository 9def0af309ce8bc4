// spritedemo: a scene that shows what the sprite layers can do: timed
// glides, constant motion, frame animation, blinking, fades and trails of
// bitmaps and text, on all four layers. Escape or closing the window ends it.
#include <cstdio>
#include <cstring>

#include "base/console_text.h"
#include "engine/scene.h"
#include "engine/system.h"
#include "flow/game_resources.h"
#include "game/game_state.h"
#include "graphics/bitmap_set.h"
#include "graphics/sprite_update.h"

namespace {

BitmapSet* sysSet;
BitmapSet* charSet;
BitmapSet* enemySet;

Sprite* Picture(System* sys, int layer, BitmapSet* set, int frame, int x, int y) {
  Sprite* s = AllocSprite(sys->layers[layer], set, 0);
  if (!s) return nullptr;
  s->frame = frame;
  s->visible = 1;
  SetSpritePos(s, x, y);
  return s;
}

Sprite* Text(System* sys, int layer, const char* text, int x, int y) {
  Sprite* s = AllocTextSprite(sys->layers[layer], sys->font, 500);
  if (!s) return nullptr;
  std::snprintf(s->text, sizeof s->text, "%s", text);
  s->visible = 1;
  SetSpritePos(s, x, y);
  return s;
}

void Loop(Sprite* s, const int* frames, int count, int ticks) {
  if (!s) return;
  ResetSpriteAnim(s);
  for (int i = 0; i < count; i++) AddSpriteAnimStep(s, frames[i], ticks, AnimLoop);
}

void DemoUpdate(System* sys) {
  const uint32_t f = sys->timer.frameCount;
  if (f == 0) {
    Picture(sys, 0, sysSet, 150, 0, 0)->alpha = 70;  // a faint backdrop
    Text(sys, 3, "Sprite layers", 20, 12);
    // Frame animations: the player walking, a bat flapping, a spark.
    const int walk[] = {10, 11};
    Loop(Picture(sys, 1, charSet, 10, 40, 60), walk, 2, 8);
    const int bat[] = {50, 52};
    Loop(Picture(sys, 1, enemySet, 50, 120, 60), bat, 2, 6);
    const int fire[] = {80, 81};
    Loop(Picture(sys, 1, sysSet, 80, 200, 60), fire, 2, 4);
    Text(sys, 3, "animation", 40, 116);
    // Blinking and a fade that never stops (restarted below).
    Sprite* key = Picture(sys, 1, sysSet, 22, 320, 60);
    if (key) SetSpriteBlink(key, 40);
    Text(sys, 3, "blink", 320, 116);
    Text(sys, 3, "fade in / out", 440, 116);
  }
  if (f % 120 == 0) {
    Sprite* gem = Picture(sys, 1, sysSet, 45, 460, 60);
    if (gem) {
      FadeInSprite(gem, 60);
      gem->life = 119;
    }
    Sprite* crown = Picture(sys, 1, sysSet, 47, 520, 60);
    if (crown) FadeOutSprite(crown, 118);
  }
  // A glide with a trail back and forth, and text drifting with its own trail.
  if (f % 160 == 0) {
    Sprite* block = Picture(sys, 2, sysSet, 11, 40, 200);
    if (block) {
      MoveSpriteTo(block, 40, 200, 560, 200, 150);
      SetSpriteTrail(block);
      block->life = 158;
    }
    Sprite* words = Text(sys, 2, "trail", 560, 290);
    if (words) {
      MoveSpriteTo(words, 560, 290, 40, 290, 150);
      SetSpriteTrail(words);
      words->life = 158;
    }
  }
  // Constant motion: a fireball crossing below, leaving a trail.
  if (f % 90 == 0) {
    Sprite* shot = Picture(sys, 2, sysSet, 80, -48, 380);
    if (shot) {
      shot->vx = 5 * 4096;
      shot->life = 150;
      SetSpriteTrail(shot);
      const int fire[] = {80, 81};
      Loop(shot, fire, 2, 4);
    }
  }
}

}  // namespace

int main() {
  // A window of its own, so not the headless start-up; the game's console
  // all the same, and no joystick, which the demo does not read.
  UseLocaleConsole();
  System* sys = CreateSystem();
  if (!sys) return 1;
  InitSystemParts(sys, SystemScreen);
  if (SystemUnusable(sys)) {
    DestroySystem(sys);
    return 1;
  }
  sysSet = CreateBitmapSet(256);
  charSet = CreateBitmapSet(256);
  enemySet = CreateBitmapSet(256);
  LoadBitmapDir(sysSet, kSysBitmapDir);
  LoadBitmapDir(charSet, kCharBitmapDir);
  LoadBitmapDir(enemySet, kEnemyBitmapDir);
  sys->updateLayer[1] = DemoUpdate;
  RunScene(sys);
  ClearAllScenes(sys);
  DestroyBitmapSet(sysSet);
  DestroyBitmapSet(charSet);
  DestroyBitmapSet(enemySet);
  DestroySystem(sys);
  return 0;
}
