#include "input/input.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "input/pad.h"

namespace {

const SDLKey kKeys[kInputCount] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_c, SDLK_v};

}  // namespace

InputState* CreateInput(int joystickNumber, int wantJoystick) {
  auto* input = static_cast<InputState*>(std::calloc(1, sizeof(InputState)));
  if (!input) {
    ReportDiagnostic("%s", msg::MsgNoMemoryInput);
    return nullptr;
  }
  input->padDevicesStamp = -1;
  if (wantJoystick && OpenPad(input, joystickNumber) != 0) std::fprintf(stdout, "%s", msg::MsgJoystickOpen);
  for (int i = 0; i < kInputCount; i++) input->keys[i] = kKeys[i];
  return input;
}

void DestroyInput(InputState* input) {
  if (!input) return;
  if (input->joystick) SDL_JoystickClose(input->joystick);
  std::free(input);
}

uint8_t StickMask(int axisX, int axisY, int deadZone) {
  uint8_t mask = 0;
  if (axisY < -deadZone) mask |= 1u << Up;
  if (axisY > deadZone) mask |= 1u << Down;
  if (axisX > deadZone) mask |= 1u << Right;
  if (axisX < -deadZone) mask |= 1u << Left;
  return mask;
}

uint8_t HatMask(int hat) {
  uint8_t mask = 0;
  if (hat & SDL_HAT_UP) mask |= 1u << Up;
  if (hat & SDL_HAT_DOWN) mask |= 1u << Down;
  if (hat & SDL_HAT_LEFT) mask |= 1u << Left;
  if (hat & SDL_HAT_RIGHT) mask |= 1u << Right;
  return mask;
}

uint8_t ReadDeviceInput(InputState* input, void*) {
  uint8_t mask = ReadPad(input) | input->forced;
  const Uint8* keys = SDL_GetKeyState(nullptr);
  if (keys)
    for (int i = 0; i < kInputCount; i++)
      if (keys[input->keys[i]] == 1) mask |= 1u << i;
  return mask;
}

void PollInput(InputState* input) {
  if (!input->source) {
    const Uint8* keys = SDL_GetKeyState(nullptr);
    const int enter = keys && (keys[SDLK_RETURN] || keys[SDLK_KP_ENTER]) && !(SDL_GetModState() & KMOD_ALT);
    input->enterPressed = enter && !input->enterHeld;
    input->enterHeld = enter;
    LookForPad(input);
    const int back = PadBackDown(input);
    input->backPressed = back && !input->backHeld;
    input->backHeld = back;
  }
  const uint8_t raw = ReadRawInput(input);
  for (int i = 0; i < kInputCount; i++) {
    input->pressed[i] = (raw >> i) & 1;
    if (input->pressed[i] == 1) {
      if (input->edgeOnly[i] && input->held[i]) input->pressed[i] = 0;
      input->held[i] = 1;
    } else {
      input->held[i] = 0;
    }
  }
}

int SetInputKey(InputState* input, int index, const char* name) {
  if (index < 0 || index >= kInputCount || !name) return -1;
  for (int key = SDLK_FIRST + 1; key < SDLK_LAST; key++) {
    const char* keyName = SDL_GetKeyName(static_cast<SDLKey>(key));
    if (keyName && std::strcmp(keyName, name) == 0 && std::strcmp(keyName, "unknown key") != 0) {
      input->keys[index] = static_cast<SDLKey>(key);
      return 0;
    }
  }
  return -1;
}

void SetInputDefaults(InputState* input) {
  for (int i = 0; i < kInputCount; i++) input->edgeOnly[i] = i >= ButtonZ ? 1 : 0;
  input->deadZone = 10000;
}

void SetButtonsEdgeTriggered(InputState* input) {
  for (int i = ButtonZ; i <= ButtonV; i++) input->edgeOnly[i] = 1;
}

void SetDirectionsLevelTriggered(InputState* input) {
  for (int i = Up; i <= Right; i++) input->edgeOnly[i] = 0;
}

void SetInputSource(InputState* input, InputSource source, void* context) {
  input->source = source;
  input->sourceContext = context;
}

uint8_t ReadRawInput(InputState* input) {
  return input->source ? input->source(input, input->sourceContext) : ReadDeviceInput(input, nullptr);
}
