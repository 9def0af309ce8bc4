// The pad: the standard layout asked of SDL before the joystick starts, the
// buttons that give each input in it or in the pad maker's own numbering,
// and a pad plugged in after the start.
#pragma once

#include <cstdint>

struct InputState;

inline constexpr int kPadButtonNone = -1;     // no button gives the input
inline constexpr int kPadButtonDefault = -2;  // the layout's own button for the input
inline constexpr int kMaxPadButton = 31;
inline constexpr int kPadCheckMs = 1000;  // how often a missing pad is looked for

// The pad's buttons in the standard layout (sdl12-compat's game-controller
// numbering; a browser pad is read in the same numbering).
enum StandardPadButton {
  PadSouth = 0,
  PadEast = 1,
  PadWest = 2,
  PadNorth = 3,
  PadBack = 4,
  PadGuide = 5,
  PadStart = 6,
  PadDpadUp = 11,
  PadDpadDown = 12,
  PadDpadLeft = 13,
  PadDpadRight = 14,
};
inline constexpr int kStandardPadButtons = 15;

// Asks the compatibility layer to present every pad it knows in the standard
// layout; a value the player set in SDL12COMPAT_USE_GAME_CONTROLLERS wins.
void RequestStandardPadLayout();
// The button that gives `input`: `choice` when the player chose one (a button
// or kPadButtonNone), else the layout's own: standard, south, east, west and
// north for Z, X, C and V and the D-pad for the directions; raw, buttons 0-3
// for Z, X, C and V and no direction (the stick and hat walk).
int ResolvePadButton(int choice, int input, int standard);
// The inputs the buttons press, button b down when down[b] is not 0 (b below
// `count`); `choices` may be null (every input the layout's own). In the
// standard layout Start also pauses (C) and Back gives up (V), unless the
// player gave that button to an input.
uint8_t PadButtonMask(const int* choices, int standard, const uint8_t* down, int count);

// Starts the joystick and opens the pad `number`, noting its layout; a pad
// the standard layout does not know is opened as its maker numbered it.
// 0, or -1 when there is none (the caller tells the player).
int OpenPad(InputState* input, int number);
// Once every kPadCheckMs while the pad is wanted: when the system's input
// devices changed, the pad is opened again (a pad plugged in or out).
void LookForPad(InputState* input);
// What the open pad presses: the stick, the first hat and the buttons; 0
// without a pad.
uint8_t ReadPad(InputState* input);
// 1 while the pad's Back is down (standard layout only).
int PadBackDown(InputState* input);
