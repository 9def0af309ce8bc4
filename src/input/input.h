// The eight logical inputs, merged from the keyboard and joystick 0 once a
// frame; buttons report only the frame they go down.
#pragma once

#include <SDL.h>

#include <cstdint>

enum InputIndex { Up = 0, Down = 1, Left = 2, Right = 3, ButtonZ = 4, ButtonX = 5, ButtonC = 6, ButtonV = 7 };
inline constexpr int kInputCount = 8;

// Where the raw held state comes from: bit i set = input i is down. Live play
// reads the keyboard and joystick; a replay feeds recorded bytes.
using InputSource = uint8_t (*)(struct InputState* input, void* context);

struct InputState {
  int pressed[kInputCount];
  int edgeOnly[kInputCount];
  int held[kInputCount];
  SDL_Joystick* joystick;
  int deadZone;
  InputSource source;  // null = keyboard and joystick
  void* sourceContext;
};

InputState* CreateInput(int joystickNumber, int wantJoystick);
void DestroyInput(InputState* input);
void PollInput(InputState* input);
void SetInputDefaults(InputState* input);
void SetButtonsEdgeTriggered(InputState* input);
void SetDirectionsLevelTriggered(InputState* input);

// The inputs a joystick state presses: axis values are strict beyond the
// dead zone, buttons 0-3 are Z, X, C and V.
uint8_t JoystickMask(int axisX, int axisY, const int buttons[4], int deadZone);

// The raw state of keyboard and joystick as a bit mask, as PollInput reads it.
uint8_t ReadDeviceInput(InputState* input, void* context);
void SetInputSource(InputState* input, InputSource source, void* context);
// The raw held state every poll reads: the source's, else the devices'.
uint8_t ReadRawInput(InputState* input);
