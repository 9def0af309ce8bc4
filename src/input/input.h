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
  int deadZone;                 // joystick axis units (-32768 to 32767)
  SDLKey keys[kInputCount];     // the key for each input; the design's unless the player chose
  int enterHeld, enterPressed;  // Return or the keypad's Enter (not with Alt), for menus
  InputSource source;           // null = keyboard and joystick
  void* sourceContext;
  const int* padChoices;      // the player's pad button per input (see ResolvePadButton); null = none chosen
  int padStandard;            // 1: the open pad is presented in the standard layout
  int padWanted;              // 1: a pad plugged in later is looked for
  int padNumber;              // the joystick number opened
  uint32_t padLookedAt;       // ms (SDL_GetTicks) of the last look
  int padLooksLeft;           // looks still owed after the devices changed
  long long padDevicesStamp;  // when the system's list of input devices last changed; -1 = no list
  int backHeld, backPressed;  // the pad's Back in the standard layout, for the title's options screen
  // The key of the last press the scene loop took off the queue, for screens
  // that take any key (binding one, the title's O); the screen reading it
  // clears it, and so does every screen that starts to read it.
  SDLKey typedKey;
  int keyCapture;       // 1 while a key is being bound: every press, Escape's too, is only typedKey
  uint8_t padDown[32];  // the pad's buttons at the last read (1 = down), for binding one
  uint8_t forced;       // inputs held on the game's own behalf (bit i = input i), as the devices'
};

// Opens the joystick when wanted; without one it prints a notice and reads the keyboard only.
// Null after a message when out of memory.
InputState* CreateInput(int joystickNumber, int wantJoystick);
void DestroyInput(InputState* input);
// Reads the raw state once: pressed is 1 for every input down, an edge-only one just in the frame
// it goes down.
void PollInput(InputState* input);
// Edge-only buttons, level-triggered directions and a dead zone of 10000.
void SetInputDefaults(InputState* input);
// The input's key by its name as SDL_GetKeyName gives it ("z", "left", "space"); 0, or -1 for a
// name no key has (the key stays as it was).
int SetInputKey(InputState* input, int index, const char* name);
void SetButtonsEdgeTriggered(InputState* input);
void SetDirectionsLevelTriggered(InputState* input);

// The directions a stick presses: axis values count strictly beyond the dead zone.
uint8_t StickMask(int axisX, int axisY, int deadZone);
// The directions the first hat (a pad's D-pad) presses, as the stick would.
uint8_t HatMask(int hat);

// The raw state of keyboard and joystick as a bit mask, as PollInput reads it.
uint8_t ReadDeviceInput(InputState* input, void* context);
// A null source goes back to the keyboard and joystick.
void SetInputSource(InputState* input, InputSource source, void* context);
// The raw held state every poll reads: the source's, else the devices'.
uint8_t ReadRawInput(InputState* input);
