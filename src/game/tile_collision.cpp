#include "game/tile_collision.h"

#include <cstdint>

#include "game/grid.h"

namespace {

Fixed12 Ahead(Fixed12 position, Fixed12 velocity) {
  return static_cast<Fixed12>(static_cast<uint32_t>(position) + static_cast<uint32_t>(velocity));
}

}  // namespace

int TileTurn(System* sys, Sprite* s) {
  const GameState* g = sys->game;
  const CellProbe p = ProbeAt(FixedToPixels(Ahead(s->x, s->vx)), FixedToPixels(Ahead(s->y, s->vy)));
  auto solid = [g](int c, int r) { return IsSolidCell(g, c, r); };
  if (s->vx > 0 && p.fx > kCellInset) {
    if (p.fy < kCellFar && solid(p.c + 1, p.r)) {
      s->vy = -s->vx;
    } else if (p.fy > kCellInset && solid(p.c + 1, p.r + 1)) {
      s->vy = s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    s->x = PixelsToFixed(kCellSize * p.c + kCellInset);
    return 1;
  }
  if (s->vx < 0 && p.fx < kCellFar) {
    if (p.fy < kCellFar && solid(p.c, p.r)) {
      s->vy = s->vx;
    } else if (p.fy > kCellInset && solid(p.c, p.r + 1)) {
      s->vy = -s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    s->x = PixelsToFixed(kCellSize * p.c + kCellFar);
    return 1;
  }
  if (s->vy > 0 && p.fy > kCellInset) {
    if (p.fx < kCellFar && solid(p.c, p.r + 1)) {
      s->vx = -s->vy;
    } else if (p.fx > kCellInset && solid(p.c + 1, p.r + 1)) {
      s->vx = s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    s->y = PixelsToFixed(kCellSize * p.r + kCellInset);
    return 1;
  }
  if (s->vy < 0 && p.fy < kCellFar) {
    if (p.fx < kCellFar && solid(p.c, p.r)) {
      s->vx = s->vy;
    } else if (p.fx > kCellInset && solid(p.c + 1, p.r)) {
      s->vx = -s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    s->y = PixelsToFixed(kCellSize * p.r + kCellFar);
    return 1;
  }
  return 0;
}

int TileCorner(System* sys, Sprite* s) {
  const GameState* g = sys->game;
  const CellProbe p = ProbeSprite(s);
  auto solid = [g](int c, int r) { return IsSolidCell(g, c, r); };
  if (s->vx > 0 && p.fx > kCellFar) {
    if (p.fy > 0 && p.fy <= kCellInset && solid(p.c, p.r + 1) && !solid(p.c + 1, p.r + 1)) {
      s->vy = s->vx;
    } else if (p.fy >= kCellFar && solid(p.c, p.r) && !solid(p.c + 1, p.r)) {
      s->vy = -s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    return 1;
  }
  if (s->vx < 0 && p.fx < kCellInset) {
    if (p.fy > 0 && p.fy <= kCellInset && solid(p.c + 1, p.r + 1) && !solid(p.c, p.r + 1)) {
      s->vy = -s->vx;
    } else if (p.fy >= kCellFar && solid(p.c + 1, p.r) && !solid(p.c, p.r)) {
      s->vy = s->vx;
    } else {
      return 0;
    }
    s->vx = 0;
    return 1;
  }
  if (s->vy > 0 && p.fy > kCellFar) {
    if (p.fx > 0 && p.fx <= kCellInset && solid(p.c + 1, p.r) && !solid(p.c + 1, p.r + 1)) {
      s->vx = s->vy;
    } else if (p.fx >= kCellFar && solid(p.c, p.r) && !solid(p.c, p.r + 1)) {
      s->vx = -s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    return 1;
  }
  if (s->vy < 0 && p.fy < kCellInset) {
    if (p.fx > 0 && p.fx <= kCellInset && solid(p.c + 1, p.r + 1) && !solid(p.c + 1, p.r)) {
      s->vx = -s->vy;
    } else if (p.fx >= kCellFar && solid(p.c, p.r + 1) && !solid(p.c, p.r)) {
      s->vx = s->vy;
    } else {
      return 0;
    }
    s->vy = 0;
    return 1;
  }
  return 0;
}
