// What the game benchmarks share: a headless system with the game's pictures,
// the solution recordings, and snapshots of a moment of play.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/system.h"
#include "game/game_state.h"
#include "game/recording.h"
#include "graphics/sprite.h"
#include "input/input.h"

// A System as the game makes it (dummy video and audio), with the pictures
// loaded and the map folder set; no sound bank and no configuration, so
// nothing is written.
class HeadlessGame {
 public:
  HeadlessGame();
  ~HeadlessGame();
  System* sys() const { return sys_; }

 private:
  System* sys_;
};

// The committed solution recordings, levels 1 to 8 (those that exist).
std::vector<std::string> SolutionPaths();
bool LoadRecording(const std::string& path, Recording* recording);

// Everything a pass of play reads and writes: the game state, the four
// layers, the scene fields, the timer and the input.
class PlaySnapshot {
 public:
  void Take(const System* sys);
  void Restore(System* sys) const;
  // Only the game state and the level layer: enough between two level updates.
  void RestoreLevel(System* sys) const;

 private:
  GameState game_{};
  std::vector<Sprite> sprites_[kLayerCount];
  SpriteList lists_[kLayerCount]{};
  System scene_{};
  InputState input_{};
};

// The moment of a replay with the most sprites on screen: which recording,
// which pass, and the state right after that pass.
struct BusiestMoment {
  std::string recording;
  int pass = -1;
  int drawn = 0;
  uint8_t nextInput = 0;
  PlaySnapshot snapshot;
};
// Replays every solution and keeps the busiest moment; false when there are
// no solutions.
bool FindBusiestMoment(System* sys, BusiestMoment* moment);
// Sprites that would be drawn in the layers right now.
int CountDrawnSprites(const System* sys);

// One blit of a frame's draw list, with the alpha the game gives it.
struct FloorBlit {
  SDL_Surface* surface;
  SDL_Rect source;
  bool whole;
  int x, y;
  int alpha;
};
// The blits DrawSprites would make for the current layers, precomputed (the
// frame floor: what the frame's drawing costs as bare SDL blits).
std::vector<FloorBlit> BuildDrawList(const System* sys);
void BlitDrawList(const std::vector<FloorBlit>& blits, SDL_Surface* screen);
// Whether the bare blits leave the very pixels the scene's drawing leaves
// (the floor is only a floor if it draws the same frame).
bool DrawListMatchesFrame(System* sys);
