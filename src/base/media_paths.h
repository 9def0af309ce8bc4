// Where the game's files live, relative to the folder it runs in: every path
// the game, its tools and its tests open under Media/.
#pragma once

inline constexpr char kMediaDir[] = "./Media/";
inline constexpr char kMapDir[] = "./Media/map/";
inline constexpr char kSysBitmapDir[] = "./Media/bmp/sys/";
inline constexpr char kCharBitmapDir[] = "./Media/bmp/char/";
inline constexpr char kEnemyBitmapDir[] = "./Media/bmp/en/";
inline constexpr char kSoundDir[] = "./Media/wav/";
inline constexpr char kDataDir[] = "./Media/data";
inline constexpr char kConfigPath[] = "./Media/data/config";
inline constexpr char kScoreFilePath[] = "./Media/data/sc";
inline constexpr char kFontPath[] = "./Media/bmp/sys/font.bmp";
inline constexpr char kWindowIconPath[] = "./Media/bmp/sys/block.bmp";
