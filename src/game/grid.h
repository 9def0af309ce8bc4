// Lookups in the level's tile grid. Cells outside the 20 x 20 grid count as
// walls, so a map that opens its outer ring still keeps objects inside.
#pragma once

#include "game/game_state.h"

inline int CellOf(int pixel) { return pixel / kCellSize; }
inline int OffsetIn(int pixel) { return pixel % kCellSize; }

// The collision geometry of a 48-pixel body against the cells: a body
// overlapping a cell by no more than kCellInset pixels does not touch it, so
// a body flush against a wall stands kCellInset into its own cell from that
// side (offset 5 from the left, kCellFar from the right); kCellHalf tells the
// near half of a cell from the far one.
inline constexpr int kCellInset = 5;
inline constexpr int kCellFar = kCellSize - kCellInset;  // 43
inline constexpr int kCellHalf = kCellSize / 2;          // 24

// Where a body's top-left corner lies: its cell, and its offset in pixels
// inside that cell (0 to 47). Every collision test starts from one.
struct CellProbe {
  int c, r;    // column and row
  int fx, fy;  // pixels
};
inline CellProbe ProbeAt(int px, int py) { return {CellOf(px), CellOf(py), OffsetIn(px), OffsetIn(py)}; }
inline CellProbe ProbeSprite(const Sprite* s) { return ProbeAt(FixedToPixels(s->x), FixedToPixels(s->y)); }
inline int InGrid(int column, int row) { return column >= 0 && column < kGridSize && row >= 0 && row < kGridSize; }
inline int IsSolidCode(int code) { return code == TileWall || code == TileBlock || code == TileCracked; }
inline int IsBreakableCode(int code) { return code == TileBlock || code == TileCracked; }

// The tile sprite of a cell, or null outside the grid.
inline Sprite* TileAt(const GameState* game, int column, int row) {
  return InGrid(column, row) ? game->tiles[column][row] : nullptr;
}

// The cell's tile code: its sprite's frame; TileWall outside the grid.
inline int TileCodeAt(const GameState* game, int column, int row) {
  if (!InGrid(column, row)) return TileWall;
  const Sprite* tile = game->tiles[column][row];
  return tile ? tile->frame : TileEmpty;
}

inline int IsSolidCell(const GameState* game, int column, int row) {
  return IsSolidCode(TileCodeAt(game, column, row));
}

// Breakable cells lie inside the grid: the walls outside it are not.
inline int IsBreakableCell(const GameState* game, int column, int row) {
  return InGrid(column, row) && IsBreakableCode(TileCodeAt(game, column, row));
}
