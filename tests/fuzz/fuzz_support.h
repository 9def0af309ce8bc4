// What the fuzz targets share: the fuzzer's bytes as a read-only stream,
// SDL's dummy drivers, and a headless game to play loaded levels in.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/scene.h"
#include "engine/system.h"
#include "flow/headless.h"
#include "game/game_state.h"
#include "graphics/bitmap_set.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "sound/sound_bank.h"

// The seed corpus folder in the source tree; lists name files in its bmp/
// and wav/ folders, recordings play the maps in its map/ folder.
#ifndef RUNEBLOCK_FUZZ_CORPUS
#error "RUNEBLOCK_FUZZ_CORPUS must name tests/fuzz/corpus/"
#endif
inline constexpr char kCorpusDir[] = RUNEBLOCK_FUZZ_CORPUS;

// Passes of play the game targets run an input for (ten seconds of the game):
// long enough for pick-ups, fireballs and a death to follow what a file set up.
inline constexpr int kPlayPasses = 600;

// The bytes as a FILE*, closed at scope end. fmemopen wants at least one
// byte, so an empty input reads from an empty stream of one spare byte.
class ByteStream {
 public:
  ByteStream(const uint8_t* data, size_t size) {
    static char spare[1];
    file_ = size ? fmemopen(const_cast<uint8_t*>(data), size, "rb") : fmemopen(spare, 1, "r");
    if (file_ && !size) std::fgetc(file_);
    if (!file_) std::abort();
  }
  ~ByteStream() { std::fclose(file_); }
  FILE* get() const { return file_; }

 private:
  FILE* file_;
};

inline void UseDummyDrivers() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

// Dummy video and audio, and a surface in the game's screen format (640 x
// 480, 16 bits, 565) for the media targets to draw on.
inline SDL_Surface* OpenDummyScreenAndAudio() {
  UseDummyDrivers();
  SDL_Init(SDL_INIT_VIDEO);
  OpenAudio();
  return SDL_CreateRGBSurface(SDL_SWSURFACE, kScreenWidth, kScreenHeight, kScreenDepth, 0xF800, 0x07E0, 0x001F, 0);
}

// Loads the bytes, writes what was loaded, loads that and writes again: the
// two writings must be the same, or a file would change at every save.
template <typename Load, typename Write>
void ExpectSavesLoadBack(const uint8_t* data, size_t size, Load load, Write write, const char* what) {
  char* texts[2] = {nullptr, nullptr};
  size_t sizes[2] = {0, 0};
  for (int round = 0; round < 2; round++) {
    {
      ByteStream in(round ? reinterpret_cast<const uint8_t*>(texts[0]) : data, round ? sizes[0] : size);
      load(in.get());
    }
    FILE* out = open_memstream(&texts[round], &sizes[round]);
    if (!out || write(out) != 0) std::abort();
    std::fclose(out);
  }
  if (sizes[0] != sizes[1] || std::memcmp(texts[0], texts[1], sizes[0]) != 0) {
    std::fprintf(stderr, "a saved %s loads back differently\n", what);
    std::abort();
  }
  std::free(texts[0]);
  std::free(texts[1]);
}

inline uint32_t Fnv32(const uint8_t* data, size_t size) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < size; i++) hash = (hash ^ data[i]) * 16777619u;
  return hash;
}

// The headless game the tools play, with input from a seeded generator, the
// way the soak drives the game.
class HeadlessGame {
 public:
  HeadlessGame() {
    UseDummyDrivers();
    sys_ = StartHeadlessGame(0);
    if (!sys_) std::abort();
    SetInputSource(sys_->input, Source, this);
  }
  System* sys() const { return sys_; }
  GameState* game() const { return sys_->game; }

  // A new game's state: nothing placed, three lives.
  void Reset(uint32_t seed) {
    ResetHeadlessGame(sys_);
    seed_ = seed | 1;
    held_ = 0;
  }

  // Directions held for a while, buttons now and then.
  uint8_t NextInput() {
    if (Random() % 16 == 0) held_ = static_cast<uint8_t>(Random() & 0x0F);
    uint8_t buttons = 0;
    if (Random() % 30 == 0) buttons |= 1u << ButtonZ;
    if (Random() % 40 == 0) buttons |= 1u << ButtonX;
    if (Random() % 400 == 0) buttons |= 1u << ButtonC;
    return held_ | buttons;
  }

  // One scene-loop pass, as the game runs it; true when the scene ended.
  bool Frame() {
    RunScenePass(sys_);
    const bool ended = sys_->sceneEnd != 0;
    sys_->sceneEnd = 0;
    sys_->timer.frameCount += 1;
    return ended;
  }

 private:
  uint32_t Random() {
    seed_ = seed_ * 1664525u + 1013904223u;
    return seed_ >> 16;
  }
  static uint8_t Source(InputState*, void* context) { return static_cast<HeadlessGame*>(context)->NextInput(); }

  System* sys_;
  uint32_t seed_ = 1;
  uint8_t held_ = 0;
};
