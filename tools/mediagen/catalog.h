// Everything the builder writes: each picture with its folder, slot and file
// name, and each sound with its slot. One entry per picture, so finding the
// code that draws a sprite starts here.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "bmp_writer.h"
#include "image.h"

struct Picture {
  const char* dir;  // below the media root, ending in '/'
  int slot;
  const char* file;
  PictureKeying keying;
  Image (*draw)();
};

struct Sound {
  int slot;
  const char* file;
  std::vector<int16_t> (*make)();  // interleaved stereo at 22050 Hz
};

inline constexpr char kSysDir[] = "bmp/sys/";
inline constexpr char kCharDir[] = "bmp/char/";
inline constexpr char kEnemyDir[] = "bmp/en/";
inline constexpr char kMapDir[] = "map/";
inline constexpr char kSoundDir[] = "wav/";

// The groups, one per source file.
std::span<const Picture> TilePictures();
std::span<const Picture> ItemPictures();
std::span<const Picture> EffectPictures();
std::span<const Picture> PlayerPictures();
std::span<const Picture> EnemyPictures();
std::span<const Picture> ScreenPictures();
std::span<const Sound> Sounds();

std::vector<Picture> AllPictures();

// Draws the sprite in that folder and slot (the screens reuse sprites);
// an empty picture if there is none.
Image DrawPicture(const char* dir, int slot);
