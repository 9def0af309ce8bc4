#include "engine/present.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <utility>

#include "support/test_system.h"

namespace {

constexpr int kTile = 32, kColumns = 20, kRows = 15;

void Dot(SDL_Surface* screen, int x, int y, Uint32 colour) {
  SDL_Rect pixel = {static_cast<Sint16>(x), static_cast<Sint16>(y), 1, 1};
  SDL_FillRect(screen, &pixel, colour);
}

// The tiles a presentation's rectangles cover, each once; a tile covered
// twice or a rectangle off the tile grid fails the test.
std::set<std::pair<int, int>> CoveredTiles(const Presentation& shown) {
  std::set<std::pair<int, int>> tiles;
  for (int i = 0; i < shown.rectCount; i++) {
    const SDL_Rect& r = shown.rects[i];
    EXPECT_TRUE(r.x % kTile == 0 && r.y % kTile == 0 && r.w > 0 && r.h > 0 && r.x + r.w <= 640 && r.y + r.h <= 480);
    for (int ty = r.y / kTile; ty * kTile < r.y + r.h; ty++)
      for (int tx = r.x / kTile; tx * kTile < r.x + r.w; tx++) EXPECT_TRUE(tiles.insert({tx, ty}).second);
  }
  return tiles;
}

TEST(PresentTest, OnlyTheChangedTilesAreHandedOverAndMostOfTheScreenGoesWhole) {
  TestSystem sys;
  SDL_Surface* screen = sys->screen;
  SDL_FillRect(screen, nullptr, 0);
  RequestFullPresentation();
  PresentScreen(screen);
  EXPECT_EQ(LastPresentation().kind, PresentWhole);
  PresentScreen(screen);
  EXPECT_EQ(LastPresentation().kind, PresentNothing) << "an unchanged frame costs no presentation";

  uint32_t seed = 5;
  for (int round = 0; round < 60; round++) {
    // From a few tiles to a screenful, at random places within each tile.
    std::set<std::pair<int, int>> changed;
    const int wanted = 1 + round * kColumns * kRows / 50;
    for (int i = 0; i < wanted; i++) {
      seed = seed * 1664525u + 1013904223u;
      const int tx = static_cast<int>(seed >> 8) % kColumns, ty = static_cast<int>(seed >> 16) % kRows;
      changed.insert({tx, ty});
      Dot(screen, tx * kTile + static_cast<int>(seed >> 24) % kTile, ty * kTile + static_cast<int>(seed >> 3) % kTile,
          0x1000u + static_cast<Uint32>(round));
    }
    PresentScreen(screen);
    const Presentation shown = LastPresentation();
    if (changed.size() * 2 > static_cast<size_t>(kColumns * kRows)) {
      EXPECT_EQ(shown.kind, PresentWhole) << "round " << round;
    } else {
      ASSERT_EQ(shown.kind, PresentParts) << "round " << round;
      EXPECT_EQ(CoveredTiles(shown), changed) << "round " << round;
    }
    PresentScreen(screen);
    EXPECT_EQ(LastPresentation().kind, PresentNothing) << "what was handed over is what is shown now";
  }
}

TEST(PresentTest, ANewSurfaceASwitchARequestOrTurningPartsOffShowsTheWholeScreen) {
  TestSystem sys;
  SDL_Surface* screen = sys->screen;
  PresentScreen(screen);
  PresentScreen(screen);
  ASSERT_EQ(LastPresentation().kind, PresentNothing);
  RequestFullPresentation();  // the window was uncovered
  PresentScreen(screen);
  EXPECT_EQ(LastPresentation().kind, PresentWhole);

  screen->flags ^= SDL_FULLSCREEN;  // as a switch to or from the full screen leaves it
  PresentScreen(screen);
  screen->flags ^= SDL_FULLSCREEN;
  EXPECT_EQ(LastPresentation().kind, PresentWhole) << "the window was switched";

  SDL_Surface* other = SDL_CreateRGBSurface(SDL_SWSURFACE, 640, 480, 32, 0xFF0000, 0xFF00, 0xFF, 0);
  PresentScreen(other);
  PresentScreen(other);
  EXPECT_EQ(LastPresentation().kind, PresentNothing) << "a screen of four bytes a pixel is compared too";
  PresentScreen(screen);
  EXPECT_EQ(LastPresentation().kind, PresentWhole) << "what the window shows came from another surface";
  SDL_FreeSurface(other);

  SetPartialPresentation(0);
  const long whole = LastPresentation().frames[PresentWhole];
  PresentScreen(screen);
  PresentScreen(screen);
  EXPECT_EQ(LastPresentation().frames[PresentWhole], whole + 2);
  SetPartialPresentation(1);
  EXPECT_EQ(PresentScreen(nullptr), -1);
}

}  // namespace
