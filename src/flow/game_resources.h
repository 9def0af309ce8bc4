// Running the game: the resource files loaded around the game flow.
#pragma once

#include "engine/system.h"

inline constexpr char kSysBitmapDir[] = "./Media/bmp/sys/";
inline constexpr char kCharBitmapDir[] = "./Media/bmp/char/";
inline constexpr char kEnemyBitmapDir[] = "./Media/bmp/en/";
inline constexpr char kSoundDir[] = "./Media/wav/";
inline constexpr char kConfigPath[] = "./Media/data/config";
inline constexpr char kFontPath[] = "./Media/bmp/sys/font.bmp";

void RunGame(System* sys);
void LoadGameResources(System* sys);
void UnloadGameResources(System* sys);
// Sets up SDL's blits of every loaded bitmap and of the font before play, so
// that play itself allocates nothing.
void PrimeBlits(System* sys);
