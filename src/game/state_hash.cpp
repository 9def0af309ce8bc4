#include "game/state_hash.h"

#include <initializer_list>

#include "game/game_state.h"

namespace {

// FNV-1a: byte by byte for the checksum the replays print, a word at a time
// for the per-pass fingerprints (there are thousands of sprites a pass).
struct Fnv {
  uint64_t hash = 1469598103934665603ull;
  void Add(int64_t value) {
    for (int i = 0; i < 8; i++) {
      hash ^= static_cast<uint8_t>(value >> (8 * i));
      hash *= 1099511628211ull;
    }
  }
  void AddWord(int64_t word) { hash = (hash ^ static_cast<uint64_t>(word)) * 1099511628211ull; }
};

void AddSprite(Fnv* fnv, const Sprite* s) {
  if (!s) {
    fnv->Add(-1);
    return;
  }
  for (int64_t v : {int64_t{s->x}, int64_t{s->y}, int64_t{s->vx}, int64_t{s->vy}, int64_t{s->frame}, int64_t{s->life},
                    int64_t{s->visible}, int64_t{s->inUse}})
    fnv->Add(v);
}

// Which of the game's pictures a sprite draws from, as a stable number.
int SetIndex(const GameState* game, const Sprite& s) {
  if (s.kind == KindText) return 3;
  if (s.bitmaps == game->sysBitmaps) return 0;
  if (s.bitmaps == game->charBitmaps) return 1;
  return s.bitmaps == game->enemyBitmaps ? 2 : 4;
}

}  // namespace

uint64_t GameStateChecksum(const System* sys) {
  const GameState* g = sys->game;
  const Player& p = g->player;
  Fnv fnv;
  for (int v : {p.x, p.y, p.vx, p.vy, p.state, p.onGround, p.facing, p.life, p.lives, p.magic, p.fireBonus,
                p.actionTimer, p.crouching, p.dying, p.deathTimer, p.clearTimer, p.score})
    fnv.Add(v);
  AddSprite(&fnv, p.sprite);
  for (int row = 0; row < kGridSize; row++)
    for (int column = 0; column < kGridSize; column++)
      fnv.Add(g->tiles[column][row] ? g->tiles[column][row]->frame : -1);
  for (const Enemy& e : g->enemies) {
    if (e.type == 0) continue;
    for (int v : {e.type, e.dir, e.speed, e.wait, e.cooldown, e.airborne, e.alert}) fnv.Add(v);
    AddSprite(&fnv, e.sprite);
  }
  fnv.Add(g->spawnerCount);
  for (int i = 0; i < g->spawnerCount; i++) {
    const EnemySpawner& s = g->spawners[i];
    for (int v : {s.type, s.period, s.countdown, s.x, s.y, s.speed, s.dir}) fnv.Add(v);
  }
  for (const Item& item : g->items) {
    if (item.type == 0) continue;
    for (int v : {item.type, item.tileX, item.tileY, item.hidden, item.changes}) fnv.Add(v);
    fnv.Add(item.sprite ? item.sprite->visible : -1);
  }
  for (int i = 0; i < kFireballSlots; i++)
    if (const Sprite* fireball = LiveFireball(g, i)) AddSprite(&fnv, fireball);
  fnv.Add(ItemOwnsSprite(&g->key));
  fnv.Add(g->door.sprite ? g->door.sprite->frame : -1);
  for (int v : {g->level, g->levelCleared, g->itemsPlaced, g->itemsTotal, g->itemsTaken, g->scoreTail}) fnv.Add(v);
  if (g->world) {
    fnv.Add(g->world->cameraX);
    fnv.Add(g->world->cameraY);
  }
  return fnv.hash;
}

uint32_t PassHash(const System* sys, const int* sounds, int soundCount) {
  Fnv h;
  h.AddWord(static_cast<int64_t>(GameStateChecksum(sys)));
  for (int layer = 0; layer < kLayerCount; layer++) {
    const SpriteList* list = sys->layers[layer];
    h.AddWord(sys->layerFlags[layer]);
    if (!list) continue;
    h.AddWord(list->cameraX);
    h.AddWord(list->cameraY);
    for (int i = 0; i < list->capacity; i++) {
      const Sprite& s = list->sprites[i];
      if (!s.inUse) continue;
      for (int64_t v : {int64_t{i}, int64_t{SetIndex(sys->game, s)}, int64_t{s.frame}, int64_t{s.x}, int64_t{s.y},
                        int64_t{s.vx}, int64_t{s.vy}, int64_t{s.visible}, int64_t{s.alpha}, int64_t{s.cameraRelative},
                        int64_t{s.delay}, int64_t{s.life}, int64_t{s.moveFrames}, int64_t{s.effect},
                        int64_t{s.effectLength}, int64_t{s.effectCounter}, int64_t{s.animStep}, int64_t{s.animTick}})
        h.AddWord(v);
      if (s.kind == KindText)
        for (const char* c = s.text; *c; c++) h.AddWord(*c);
    }
  }
  for (int i = 0; i < soundCount; i++) h.AddWord(sounds[i]);
  return static_cast<uint32_t>(h.hash ^ (h.hash >> 32));
}
