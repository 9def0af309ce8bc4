#include "engine/window_icon.h"

#include <SDL.h>

#include <cstdio>

#include "base/media_paths.h"
#include "base/regular_file.h"
#include "graphics/bitmap_set.h"

void SetWindowIcon() {
  FILE* file = OpenRegularFile(kWindowIconPath);
  SDL_Surface* icon = file ? LoadBoundedBMP(SDL_RWFromFP(file, SDL_TRUE)) : nullptr;
  if (!icon) return;
  SDL_SetColorKey(icon, SDL_SRCCOLORKEY, SDL_MapRGB(icon->format, 255, 0, 255));
  SDL_WM_SetIcon(icon, nullptr);
  SDL_FreeSurface(icon);
}
