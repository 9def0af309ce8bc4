// The one application record every screen, scene callback and game routine
// receives, and the start-up and shut-down of the program.
#pragma once

#include <SDL.h>

#include "base/media_paths.h"
#include "engine/frame_timer.h"

struct BitmapFont;
struct GameState;
struct InputState;
struct SoundBank;
struct SpriteList;
struct System;

using SceneCallback = void (*)(System*);

inline constexpr int kLayerCount = 4;
// The sprite layers, drawn in this order: the level's world, then the
// screens, menus and overlays above it.
enum LayerIndex { LayerBack = 0, LayerWorld = 1, LayerScreens = 2, LayerTop = 3 };
inline constexpr int kLayerCapacity = 3072;
inline constexpr int kScreenWidth = 640;
inline constexpr int kScreenHeight = 480;
inline constexpr int kScreenDepth = 16;
inline constexpr int kFramesPerSecond = 60;
// The window's class, as the desktop entry's StartupWMClass names it (its icon is kWindowIconPath).
inline constexpr char kWindowClass[] = "io.github.runeblock.runeblock";

struct System {
  SDL_Surface* screen;
  FrameTimer timer;
  InputState* input;
  BitmapFont* font;
  SpriteList* layers[kLayerCount];
  SoundBank* sound;
  SceneCallback drawBackground;
  SceneCallback updateLayer[kLayerCount];
  SceneCallback preUpdate;
  GameState* game;
  int endCountdown;  // frames left before sceneEnd is set; 0 = none
  int sceneEnd;
  int quit;
  int layerFlags[kLayerCount];
};

System* CreateSystem();
// Opens the window, font, audio, input and layers; a part that fails prints why and stays null
// (see SystemUnusable). The game's input reads joystick 0 as well.
void InitSystem(System* sys);
// What InitSystemParts opens besides the input, frame timer and layers.
enum SystemPart {
  SystemScreen = 1,    // the window, the font and the audio
  SystemJoystick = 2,  // joystick 0, which only the game plays from
};
// InitSystem with only these parts; InitSystem opens them all.
void InitSystemParts(System* sys, int parts);
// Starts SDL video in this mode, cursor hidden; null after printing why.
SDL_Surface* InitVideo(int width, int height, int bitsPerPixel, int flags);
// Closes the audio too, even for a null system.
void DestroySystem(System* sys);

// Returns 1 when start-up left the system unable to run (no screen or font):
// the message has already been printed by the part that failed.
int SystemUnusable(const System* sys);
// The program's start: a created and initialised system, or null (freed,
// the reason printed) when it cannot run.
System* StartSystem();
