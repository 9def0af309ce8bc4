// The options screen, reached from the title: both volumes, full screen, the
// window's scale, each input's key and pad button, and the assists. Every
// change applies at once and goes into the settings, saved as it is left.
#pragma once

#include <SDL.h>

#include <cstddef>
#include <cstdint>

#include "engine/system.h"
#include "input/input.h"
#include "input/pad.h"

struct Sprite;

// The rows from top to bottom; each input's row has its key and its pad button.
enum OptionsRow {
  OptSound = 0,
  OptMusic = 1,
  OptFullScreen = 2,
  OptScale = 3,
  OptFirstInput = 4,  // Up, Down, Left, Right, Z, X, C, V
  OptFocusPause = OptFirstInput + kInputCount,
  OptMarker,
  OptMute,
  OptBack,
  kOptionsRows
};
enum OptionsColumn { OptKeyColumn = 0, OptPadColumn = 1 };
enum OptionsWait { OptWaitNone = 0, OptWaitKey = 1, OptWaitPad = 2 };

inline constexpr int kOptionsTextSize = 64;
inline constexpr int kOptionsRepeatDelay = 20;  // frames a direction is held before it repeats
inline constexpr int kOptionsRepeatStep = 5;    // frames between repeats

// The screen's state; ShowOptions resets it as the screen starts.
struct OptionsScreen {
  int row;         // OptionsRow the cursor is on
  int column;      // OptionsColumn, on an input's row
  int waiting;     // OptionsWait: a key or a pad button is being bound
  uint8_t held;    // the inputs down at the last poll (bit i = input i): each acts as it goes down
  int heldFrames;  // frames the directions in `held` have been held, for the repeat
  uint8_t padWas[sizeof(InputState::padDown)];  // the pad's buttons at the last poll
  char status[kOptionsTextSize];                // the line under the rows
  Sprite* picture;
  Sprite* bar;
  Sprite* labels[kOptionsRows];
  Sprite* values[kOptionsRows][2];
  Sprite* statusLine;
};

OptionsScreen* TheOptionsScreen();
// Runs the screen until "Back", X or the pad's Back (the settings are then
// saved to kConfigPath), or a quit.
void ShowOptions(System* sys);
// Scene callback: sets the screen up on the first frame, then takes the input.
void UpdateOptions(System* sys);
// What a row shows in a column: its label (column -1) or its value.
void FormatOptionText(System* sys, int row, int column, char* out, size_t size);
// The name a pad button goes by in the layout (standard: "south", "D-pad up", ...; raw: "button 4").
void FormatPadButton(int button, int standard, char* out, size_t size);
// 1 for a key the game keeps for itself on every screen (Escape, F11, the volume keys and M).
int IsReservedKey(SDLKey key);
