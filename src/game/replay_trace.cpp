// The JSON Lines trace of a replay: one record of the game state a pass.
#include <cstdio>

#include "game/replay.h"

void WriteTraceRecord(FILE* out, const System* sys, int f, const int* sounds, int soundCount) {
  const GameState* g = sys->game;
  const Player& p = g->player;
  std::fprintf(out,
               "{\"f\":%d,\"player\":{\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"state\":%d,\"onGround\":%d,\"facing\":%d,"
               "\"life\":%d,\"lives\":%d,\"magic\":%d,\"fireBonus\":%d,\"actionTimer\":%d,\"crouching\":%d,"
               "\"dying\":%d,\"deathTimer\":%d,\"clearTimer\":%d,\"score\":%d}",
               f, p.x, p.y, p.vx, p.vy, p.state, p.onGround, p.facing, p.life, p.lives, p.magic, p.fireBonus,
               p.actionTimer, p.crouching, p.dying, p.deathTimer, p.clearTimer, p.score);
  const Sprite* ps = p.sprite;
  std::fprintf(out, ",\"psprite\":{\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"frame\":%d,\"visible\":%d}", ps ? ps->x : 0,
               ps ? ps->y : 0, ps ? ps->vx : 0, ps ? ps->vy : 0, ps ? ps->frame : 0, ps ? ps->visible : 0);
  std::fprintf(out, ",\"camera\":[%d,%d]", g->world ? g->world->cameraX : 0, g->world ? g->world->cameraY : 0);
  std::fputs(",\"tiles\":[", out);
  for (int n = 0; n < kGridSize * kGridSize; n++) {
    const Sprite* tile = g->tiles[n % kGridSize][n / kGridSize];
    std::fprintf(out, n ? ",%d" : "%d", tile ? tile->frame : 0);
  }
  std::fputs("],\"enemies\":[", out);
  bool first = true;
  for (int i = 0; i < kEnemySlots; i++) {
    const Enemy& e = g->enemies[i];
    if (e.type == 0) continue;
    const Sprite* s = e.sprite;
    std::fprintf(out,
                 "%s{\"slot\":%d,\"type\":%d,\"dir\":%d,\"speed\":%d,\"wait\":%d,\"cooldown\":%d,\"airborne\":%d,"
                 "\"alert\":%d,\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"frame\":%d,\"life\":%d}",
                 first ? "" : ",", i, e.type, e.dir, e.speed, e.wait, e.cooldown, e.airborne, e.alert, s ? s->x : 0,
                 s ? s->y : 0, s ? s->vx : 0, s ? s->vy : 0, s ? s->frame : 0, s ? s->life : 0);
    first = false;
  }
  std::fputs("],\"spawners\":[", out);
  for (int i = 0; i < g->spawnerCount; i++) {
    const EnemySpawner& s = g->spawners[i];
    std::fprintf(out, "%s{\"type\":%d,\"countdown\":%d,\"x\":%d,\"y\":%d}", i ? "," : "", s.type, s.countdown, s.x,
                 s.y);
  }
  std::fputs("],\"items\":[", out);
  first = true;
  for (int i = 0; i < kItemSlots; i++) {
    const Item& item = g->items[i];
    if (item.type == 0) continue;
    std::fprintf(out, "%s{\"slot\":%d,\"type\":%d,\"col\":%d,\"row\":%d,\"hidden\":%d,\"changes\":%d,\"visible\":%d}",
                 first ? "" : ",", i, item.type, item.tileX, item.tileY, item.hidden, item.changes,
                 ItemOwnsSprite(&item) ? item.sprite->visible : 0);
    first = false;
  }
  std::fputs("],\"fireballs\":[", out);
  first = true;
  for (int i = 0; i < kFireballSlots; i++) {
    const Sprite* s = LiveFireball(g, i);
    if (!s) continue;
    std::fprintf(out, "%s{\"slot\":%d,\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"life\":%d,\"frame\":%d}",
                 first ? "" : ",", i, s->x, s->y, s->vx, s->vy, s->life, s->frame);
    first = false;
  }
  std::fprintf(out, "],\"key\":%d,\"door\":%d,\"levelCleared\":%d,\"itemsTaken\":%d,\"itemsTotal\":%d,\"sceneEnd\":%d",
               ItemOwnsSprite(&g->key), g->door.sprite ? g->door.sprite->frame : 0, g->levelCleared, g->itemsTaken,
               g->itemsTotal, sys->sceneEnd ? 1 : 0);
  std::fputs(",\"sounds\":[", out);
  for (int i = 0; i < soundCount; i++) std::fprintf(out, i ? ",%d" : "%d", sounds[i]);
  std::fputs("]}\n", out);
}
