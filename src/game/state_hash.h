// A fingerprint of one scene-loop pass: the game state's checksum, every
// sprite in use on every layer and the pass's one-shot sounds. Replays write
// one per pass, so a change to play shows the first pass it alters.
#pragma once

#include <cstdint>

#include "engine/system.h"
#include "game/game_state.h"
#include "game/replay.h"

namespace state_hash {

struct WordHash {
  uint64_t value = 1469598103934665603ull;
  void Add(int64_t word) { value = (value ^ static_cast<uint64_t>(word)) * 1099511628211ull; }
};

// Which of the game's pictures a sprite draws from, as a stable number.
inline int SetIndex(const GameState* game, const Sprite& s) {
  if (s.kind == KindText) return 3;
  if (s.bitmaps == game->sysBitmaps) return 0;
  if (s.bitmaps == game->charBitmaps) return 1;
  return s.bitmaps == game->enemyBitmaps ? 2 : 4;
}

}  // namespace state_hash

inline uint32_t PassHash(const System* sys, const int* sounds, int soundCount) {
  state_hash::WordHash h;
  h.Add(static_cast<int64_t>(GameStateChecksum(sys)));
  for (int layer = 0; layer < kLayerCount; layer++) {
    const SpriteList* list = sys->layers[layer];
    h.Add(sys->layerFlags[layer]);
    if (!list) continue;
    h.Add(list->cameraX);
    h.Add(list->cameraY);
    for (int i = 0; i < list->capacity; i++) {
      const Sprite& s = list->sprites[i];
      if (!s.inUse) continue;
      for (int64_t v :
           {int64_t{i}, int64_t{state_hash::SetIndex(sys->game, s)}, int64_t{s.frame}, int64_t{s.x}, int64_t{s.y},
            int64_t{s.vx}, int64_t{s.vy}, int64_t{s.visible}, int64_t{s.alpha}, int64_t{s.cameraRelative},
            int64_t{s.delay}, int64_t{s.life}, int64_t{s.moveFrames}, int64_t{s.effect}, int64_t{s.effectLength},
            int64_t{s.effectCounter}, int64_t{s.animStep}, int64_t{s.animTick}})
        h.Add(v);
      if (s.kind == KindText)
        for (const char* c = s.text; *c; c++) h.Add(*c);
    }
  }
  for (int i = 0; i < soundCount; i++) h.Add(sounds[i]);
  return static_cast<uint32_t>(h.value ^ (h.value >> 32));
}
