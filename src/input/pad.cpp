#include "input/pad.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cstring>

#include "input/input.h"

#ifdef __EMSCRIPTEN__
#include <emscripten.h>
#endif

namespace {

constexpr int kStandard[kInputCount] = {PadDpadUp, PadDpadDown, PadDpadLeft, PadDpadRight,
                                        PadSouth,  PadEast,     PadWest,     PadNorth};
constexpr int kRaw[kInputCount] = {kPadButtonNone, kPadButtonNone, kPadButtonNone, kPadButtonNone, 0, 1, 2, 3};

constexpr char kLayoutVariable[] = "SDL12COMPAT_USE_GAME_CONTROLLERS";
constexpr int kPadMaxButtons = kMaxPadButton + 1;
constexpr int kLooksAfterChange = 3;  // the system may take a moment to let a new pad be opened

// Whether the game set the layout variable itself, for the whole run:
// RequestStandardPadLayout sets it once; nothing resets it.
struct PadLayout {
  bool variableOurs;  // the player left the variable unset
};
PadLayout padLayout = {false};

#ifdef __EMSCRIPTEN__
// The browser numbers a standard pad's buttons its own way; b of the standard
// layout is the browser's button kBrowserButton[b].
constexpr int kBrowserButton[kStandardPadButtons] = {0, 1, 2, 3, 8, 16, 9, 10, 11, 4, 5, 12, 13, 14, 15};

// The browser's SDL opens pad n as the n-th entry of the browser's list.
EM_JS(int, BrowserPadIsStandard, (int index), {
  const pads = navigator.getGamepads ? navigator.getGamepads() : [];
  return pads[index] && pads[index].mapping == 'standard' ? 1 : 0;
});

bool OpenedStandard(SDL_Joystick*, int number) { return BrowserPadIsStandard(number) != 0; }
long long DevicesStamp() { return SDL_NumJoysticks(); }
#else
bool StandardLayoutAsked() {
  const char* value = std::getenv(kLayoutVariable);
  return value && (std::strcmp(value, "1") == 0 || SDL_strcasecmp(value, "true") == 0);
}

void RestartJoystick() {
  SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
}

// The compatibility layer shows a pad in the standard layout with its
// fifteen buttons and the D-pad among them, never as a hat.
bool OpenedStandard(SDL_Joystick* pad, int) {
  return StandardLayoutAsked() && SDL_JoystickNumHats(pad) == 0 && SDL_JoystickNumButtons(pad) >= kStandardPadButtons;
}

// The folder of the system's input devices changes when one comes or goes.
long long DevicesStamp() {
  struct stat info;
  if (stat("/dev/input", &info) != 0) return -1;
  return static_cast<long long>(info.st_mtim.tv_sec) * 1000000000LL + info.st_mtim.tv_nsec;
}
#endif

SDL_Joystick* OpenFound(InputState* input, int number) {
  if (SDL_NumJoysticks() <= number) return nullptr;
  SDL_Joystick* pad = SDL_JoystickOpen(number);
  if (pad) input->padStandard = OpenedStandard(pad, number) ? 1 : 0;
  return pad;
}

bool ChosenByPlayer(const int* choices, int button) {
  for (int i = 0; choices && i < kInputCount; i++)
    if (choices[i] == button) return true;
  return false;
}

}  // namespace

void RequestStandardPadLayout() {
  if (std::getenv(kLayoutVariable)) return;
  setenv(kLayoutVariable, "1", 1);
  padLayout.variableOurs = true;
}

int ResolvePadButton(int choice, int input, int standard) {
  if (input < 0 || input >= kInputCount) return kPadButtonNone;
  if (choice != kPadButtonDefault) return choice;
  return standard ? kStandard[input] : kRaw[input];
}

uint8_t PadButtonMask(const int* choices, int standard, const uint8_t* down, int count) {
  auto isDown = [down, count](int button) { return button >= 0 && button < count && down[button] != 0; };
  uint8_t mask = 0;
  for (int i = 0; i < kInputCount; i++)
    if (isDown(ResolvePadButton(choices ? choices[i] : kPadButtonDefault, i, standard))) mask |= 1u << i;
  if (!standard) return mask;
  if (isDown(PadStart) && !ChosenByPlayer(choices, PadStart)) mask |= 1u << ButtonC;
  if (isDown(PadBack) && !ChosenByPlayer(choices, PadBack)) mask |= 1u << ButtonV;
  return mask;
}

int OpenPad(InputState* input, int number) {
  input->padWanted = 1;
  input->padNumber = number;
  input->padStandard = 0;
  input->padDevicesStamp = DevicesStamp();
  input->padLookedAt = SDL_GetTicks();
  SDL_InitSubSystem(SDL_INIT_JOYSTICK);
  input->joystick = OpenFound(input, number);
#ifndef __EMSCRIPTEN__
  if (!input->joystick && padLayout.variableOurs) {
    // The standard layout lists only the pads it knows; the others, as their
    // makers numbered them, as the game has always read them.
    setenv(kLayoutVariable, "0", 1);
    RestartJoystick();
    input->joystick = OpenFound(input, number);
    setenv(kLayoutVariable, "1", 1);
  }
#endif
  return input->joystick ? 0 : -1;
}

void LookForPad(InputState* input) {
  if (!input->padWanted) return;
  const uint32_t now = SDL_GetTicks();
  if (now - input->padLookedAt < kPadCheckMs) return;
  input->padLookedAt = now;
  const long long stamp = DevicesStamp();
  if (stamp != input->padDevicesStamp) input->padLooksLeft = kLooksAfterChange;
  input->padDevicesStamp = stamp;
  if (input->padLooksLeft == 0 || stamp < 0) return;
  input->padLooksLeft -= 1;
#ifdef __EMSCRIPTEN__
  if (input->joystick) return;  // the browser keeps a pad it gave
#else
  if (input->joystick) SDL_JoystickClose(input->joystick);
  input->joystick = nullptr;
  RestartJoystick();
#endif
  OpenPad(input, input->padNumber);
  input->padDevicesStamp = stamp;
  if (input->joystick) input->padLooksLeft = 0;
}

uint8_t ReadPad(InputState* input) {
  SDL_Joystick* pad = input->joystick;
  if (!pad) return 0;
  uint8_t mask = StickMask(SDL_JoystickGetAxis(pad, 0), SDL_JoystickGetAxis(pad, 1), input->deadZone);
  if (SDL_JoystickNumHats(pad) > 0) mask |= HatMask(SDL_JoystickGetHat(pad, 0));
  uint8_t down[kPadMaxButtons] = {};
  int count = SDL_JoystickNumButtons(pad);
  if (count > kPadMaxButtons) count = kPadMaxButtons;
#ifdef __EMSCRIPTEN__
  if (input->padStandard) {
    count = kStandardPadButtons;
    for (int b = 0; b < count; b++) down[b] = SDL_JoystickGetButton(pad, kBrowserButton[b]);
  } else {
    for (int b = 0; b < count; b++) down[b] = SDL_JoystickGetButton(pad, b);
  }
#else
  for (int b = 0; b < count; b++) down[b] = SDL_JoystickGetButton(pad, b);
#endif
  static_assert(sizeof input->padDown == sizeof down, "every button the pad module reads");
  std::memcpy(input->padDown, down, sizeof down);
  return mask | PadButtonMask(input->padChoices, input->padStandard, down, count);
}

int PadBackDown(InputState* input) {
  if (!input->joystick || !input->padStandard) return 0;
#ifdef __EMSCRIPTEN__
  return SDL_JoystickGetButton(input->joystick, kBrowserButton[PadBack]) == 1;
#else
  return SDL_JoystickGetButton(input->joystick, PadBack) == 1;
#endif
}
