// Comforts a player expects beyond the game's own rules, kept in settings of
// their own in the configuration file: the sound and music volumes, mute,
// and full screen, with keys that work on every screen (comforts.cpp), and
// what is settled before the window opens (window_start.cpp).
#pragma once

#include <SDL.h>

#include "config/keyword_map.h"
#include "engine/system.h"

inline constexpr int kVolumeStep = 16;
inline constexpr int kMaxWindowScale = 4;
inline constexpr int kComfortTextFrames = 60;  // how long a new value shows in the corner

// Before the video and the joystick start: the standard pad layout asked for
// (unless `pad_layout` is raw), the window's scale from `--scale N` or the `scale`
// setting (1-4; the compatibility layer scales with sharp pixels), and
// `--fullscreen`. Every other argument is ignored, as the game always has.
void PrepareWindow(int argc, char** argv);
// The command line's full-screen wish: 1, or -1 when it said nothing.
int WantedFullScreen();
// The settings file's keys: those PrepareWindow read, or read now (with the
// message of a file that cannot be opened either way); the caller owns them.
KeywordMap* TakeSettings();
// Reads `sound_volume`, `music_volume` (0-128), `fullscreen` (0/1) and the
// keys of one's own (`key_up` ... `key_v`, SDL key names) from the settings
// and uses them; a value that is not a number in range or a key's name is
// named in a message and the default kept. Installs the keys below, the
// focus hook (flow/focus.h) and the magic marker on the scene loop.
void LoadComforts(System* sys);
// M mutes and unmutes, minus and plus (the keypad's too) lower and raise both
// volumes, F11 or Alt+Enter switches full screen; other keys are left alone.
// A changed volume shows in the screen's corner and goes into the settings.
void HandleComfortKey(System* sys, const SDL_keysym* key);
// The game's settings map, or null before the game has one.
KeywordMap* GameSettings(System* sys);
// Sets both volumes (0-128) and unmutes, so the change is heard; both go into the settings.
void ChangeVolumes(System* sys, int sound, int music);
// 1 when the window is in full screen or the settings ask for it.
int IsFullScreen(System* sys);
// Switches full screen on or off as far as the window can, and writes the wish into the settings.
void ChangeFullScreen(System* sys, int on);
