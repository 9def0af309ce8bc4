// The game's font sheet: 16 x 16 cells of light glyphs with a dark outline
// on magenta, codes 33-127 in column order, the blank cell at (240, 240).
#pragma once

#include "image.h"

inline constexpr int kFontCell = 16;
inline constexpr int kFontSheetSize = 256;

Image DrawFontSheet();
