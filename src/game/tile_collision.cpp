#include "game/tile_collision.h"

#include <cstdint>

#include "game/grid.h"

namespace {

struct Probe {
  int c, r, fx, fy;
};

Probe ProbeAt(Fixed12 x, Fixed12 y) {
  const int px = FixedToPixels(x);
  const int py = FixedToPixels(y);
  return {CellOf(px), CellOf(py), OffsetIn(px), OffsetIn(py)};
}

Fixed12 Ahead(Fixed12 position, Fixed12 velocity) {
  return static_cast<Fixed12>(static_cast<uint32_t>(position) + static_cast<uint32_t>(velocity));
}

}  // namespace

int TileTurn(System* sys, Sprite* s) {
  const GameState* g = sys->game;
  const Probe p = ProbeAt(Ahead(s->x, s->vx), Ahead(s->y, s->vy));
  auto solid = [g](int c, int r) { return IsSolidCell(g, c, r); };
  if (s->vx > 0 && p.fx > 5) {
    if (p.fy < 43 && solid(p.c + 1, p.r)) {
      s->vy = -s->vx;
    } else if (p.fy > 5 && solid(p.c + 1, p.r + 1)) {
      s->vy = s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    s->x = PixelsToFixed(kCellSize * p.c + 5);
    return 1;
  }
  if (s->vx < 0 && p.fx < 43) {
    if (p.fy < 43 && solid(p.c, p.r)) {
      s->vy = s->vx;
    } else if (p.fy > 5 && solid(p.c, p.r + 1)) {
      s->vy = -s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    s->x = PixelsToFixed(kCellSize * p.c + 43);
    return 1;
  }
  if (s->vy > 0 && p.fy > 5) {
    if (p.fx < 43 && solid(p.c, p.r + 1)) {
      s->vx = -s->vy;
    } else if (p.fx > 5 && solid(p.c + 1, p.r + 1)) {
      s->vx = s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    s->y = PixelsToFixed(kCellSize * p.r + 5);
    return 1;
  }
  if (s->vy < 0 && p.fy < 43) {
    if (p.fx < 43 && solid(p.c, p.r)) {
      s->vx = s->vy;
    } else if (p.fx > 5 && solid(p.c + 1, p.r)) {
      s->vx = -s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    s->y = PixelsToFixed(kCellSize * p.r + 43);
    return 1;
  }
  return 0;
}

int TileCorner(System* sys, Sprite* s) {
  const GameState* g = sys->game;
  const Probe p = ProbeAt(s->x, s->y);
  auto solid = [g](int c, int r) { return IsSolidCell(g, c, r); };
  if (s->vx > 0 && p.fx > 43) {
    if (p.fy > 0 && p.fy <= 5 && solid(p.c, p.r + 1) && !solid(p.c + 1, p.r + 1)) {
      s->vy = s->vx;
    } else if (p.fy >= 43 && solid(p.c, p.r) && !solid(p.c + 1, p.r)) {
      s->vy = -s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    return 1;
  }
  if (s->vx < 0 && p.fx < 5) {
    if (p.fy > 0 && p.fy <= 5 && solid(p.c + 1, p.r + 1) && !solid(p.c, p.r + 1)) {
      s->vy = -s->vx;
    } else if (p.fy >= 43 && solid(p.c + 1, p.r) && !solid(p.c, p.r)) {
      s->vy = s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    return 1;
  }
  if (s->vy > 0 && p.fy > 43) {
    if (p.fx > 0 && p.fx <= 5 && solid(p.c + 1, p.r) && !solid(p.c + 1, p.r + 1)) {
      s->vx = s->vy;
    } else if (p.fx >= 43 && solid(p.c, p.r) && !solid(p.c, p.r + 1)) {
      s->vx = -s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    return 1;
  }
  if (s->vy < 0 && p.fy < 5) {
    if (p.fx > 0 && p.fx <= 5 && solid(p.c + 1, p.r + 1) && !solid(p.c + 1, p.r)) {
      s->vx = -s->vy;
    } else if (p.fx >= 43 && solid(p.c, p.r + 1) && !solid(p.c, p.r)) {
      s->vx = s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    return 1;
  }
  return 0;
}
