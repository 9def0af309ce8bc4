#include "engine/present.h"

#include <cstdint>
#include <cstring>

#include "engine/system.h"

namespace {

constexpr int kTileSize = 32;  // pixels; the screen is compared in squares of this side
constexpr int kTileColumns = (kScreenWidth + kTileSize - 1) / kTileSize;
constexpr int kTileRows = (kScreenHeight + kTileSize - 1) / kTileSize;
constexpr int kMaxBytesPerPixel = 4;
// Past this share of the screen (in tiles), one whole flip is cheaper than the parts.
constexpr int kFullFlipTiles = kTileColumns * kTileRows / 2;

// What the window shows and how presenting goes, for the whole run. The copy
// is fixed storage, so presenting never allocates; a full flip refills it,
// RequestFullPresentation and SetPartialPresentation make it stale.
struct Presenter {
  uint8_t shown[kScreenWidth * kScreenHeight * kMaxBytesPerPixel];  // the last presented pixels, screen layout
  const SDL_Surface* shownSurface;
  int shownPitch;
  Uint32 shownFlags;  // the surface's, as shown: a switch to or from full screen shows anew
  int shownValid;
  int partialEnabled;
  bool changed[kTileRows][kTileColumns];  // work of one PresentScreen, cleared at its start
  SDL_Rect rects[kTileRows * kTileColumns];
  Presentation last;  // counts since the start of the run
};
Presenter presenter = {{}, nullptr, 0, 0, 0, 1, {}, {}, {PresentNothing, 0, presenter.rects, {0, 0, 0}}};

int Presented(int kind, int rectCount) {
  presenter.last.kind = kind;
  presenter.last.rectCount = rectCount;
  presenter.last.frames[kind] += 1;
  return 0;
}

int FullPresent(SDL_Surface* screen) {
  SDL_Flip(screen);
  const size_t bytes = static_cast<size_t>(screen->pitch) * static_cast<size_t>(screen->h);
  presenter.shownValid = bytes <= sizeof presenter.shown && presenter.partialEnabled;
  if (presenter.shownValid) std::memcpy(presenter.shown, screen->pixels, bytes);
  presenter.shownSurface = screen;
  presenter.shownPitch = screen->pitch;
  presenter.shownFlags = screen->flags;
  return Presented(PresentWhole, 0);
}

bool Comparable(const SDL_Surface* screen) {
  return presenter.partialEnabled && presenter.shownValid && screen == presenter.shownSurface &&
         screen->pitch == presenter.shownPitch && screen->flags == presenter.shownFlags && screen->w == kScreenWidth &&
         screen->h == kScreenHeight && !SDL_MUSTLOCK(screen);
}

// Marks the tiles whose pixels differ from what is shown; returns how many.
int FindChangedTiles(const SDL_Surface* screen, bool changed[kTileRows][kTileColumns]) {
  const int bpp = screen->format->BytesPerPixel;
  const size_t rowBytes = static_cast<size_t>(screen->w) * bpp;
  const auto* pixels = static_cast<const uint8_t*>(screen->pixels);
  int count = 0;
  for (int y = 0; y < screen->h; y++) {
    const uint8_t* now = pixels + static_cast<size_t>(y) * screen->pitch;
    const uint8_t* before = presenter.shown + static_cast<size_t>(y) * screen->pitch;
    if (std::memcmp(now, before, rowBytes) == 0) continue;
    bool* row = changed[y / kTileSize];
    for (int tx = 0; tx < kTileColumns; tx++) {
      if (row[tx]) continue;
      const int x = tx * kTileSize;
      const int width = screen->w - x < kTileSize ? screen->w - x : kTileSize;
      if (std::memcmp(now + x * bpp, before + x * bpp, static_cast<size_t>(width) * bpp) != 0) {
        row[tx] = true;
        count++;
      }
    }
  }
  return count;
}

// One rectangle per run of changed tiles in a tile row, grown downwards
// while the rows below change over the very same run.
int CollectRects(const SDL_Surface* screen, bool changed[kTileRows][kTileColumns], SDL_Rect* rects) {
  int count = 0;
  for (int ty = 0; ty < kTileRows; ty++) {
    for (int tx = 0; tx < kTileColumns;) {
      if (!changed[ty][tx]) {
        tx++;
        continue;
      }
      int end = tx;
      while (end < kTileColumns && changed[ty][end]) end++;
      int bottom = ty + 1;
      auto sameRun = [&](int row) {
        for (int i = tx; i < end; i++)
          if (!changed[row][i]) return false;
        return (tx == 0 || !changed[row][tx - 1]) && (end == kTileColumns || !changed[row][end]);
      };
      while (bottom < kTileRows && sameRun(bottom)) {
        for (int i = tx; i < end; i++) changed[bottom][i] = false;
        bottom++;
      }
      const int x = tx * kTileSize, y = ty * kTileSize;
      const int right = end * kTileSize < screen->w ? end * kTileSize : screen->w;
      const int lower = bottom * kTileSize < screen->h ? bottom * kTileSize : screen->h;
      rects[count++] = {static_cast<Sint16>(x), static_cast<Sint16>(y), static_cast<Uint16>(right - x),
                        static_cast<Uint16>(lower - y)};
      tx = end;
    }
  }
  return count;
}

void CopyToShown(const SDL_Surface* screen, const SDL_Rect* rects, int count) {
  const int bpp = screen->format->BytesPerPixel;
  const auto* pixels = static_cast<const uint8_t*>(screen->pixels);
  for (int i = 0; i < count; i++) {
    const SDL_Rect& r = rects[i];
    for (int y = r.y; y < r.y + r.h; y++) {
      const size_t at = static_cast<size_t>(y) * screen->pitch + static_cast<size_t>(r.x) * bpp;
      std::memcpy(presenter.shown + at, pixels + at, static_cast<size_t>(r.w) * bpp);
    }
  }
}

}  // namespace

int PresentScreen(SDL_Surface* screen) {
  if (!screen) return -1;
  if (!Comparable(screen)) return FullPresent(screen);
  std::memset(presenter.changed, 0, sizeof presenter.changed);
  const int tiles = FindChangedTiles(screen, presenter.changed);
  if (tiles == 0) return Presented(PresentNothing, 0);
  if (tiles > kFullFlipTiles) return FullPresent(screen);
  const int count = CollectRects(screen, presenter.changed, presenter.rects);
  SDL_UpdateRects(screen, count, presenter.rects);
  CopyToShown(screen, presenter.rects, count);
  return Presented(PresentParts, count);
}

void RequestFullPresentation() { presenter.shownValid = 0; }

void SetPartialPresentation(int partial) {
  presenter.partialEnabled = partial;
  presenter.shownValid = 0;
}

Presentation LastPresentation() { return presenter.last; }
