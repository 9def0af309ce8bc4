// InitVideo of engine/system.h: SDL's video, the window and its mode.
#include <cstdlib>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "engine/exit_alarm.h"
#include "engine/graphics_device.h"
#include "engine/system.h"
#include "engine/window_icon.h"

SDL_Surface* InitVideo(int width, int height, int bitsPerPixel, int flags) {
  // Docks match the window to the desktop entry by this class (unless the
  // player names another).
  setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
  ChooseSoftwarePresentation();
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    ReportDiagnostic(msg::MsgSdlInitFailed, SDL_GetError());
    return nullptr;
  }
  RegisterQuitWithinLimit();
  SetWindowIcon();
  SDL_Surface* screen = SDL_SetVideoMode(width, height, bitsPerPixel, static_cast<Uint32>(flags));
  if (!screen) {
    ReportDiagnostic(msg::MsgVideoModeFailed, width, height, bitsPerPixel, SDL_GetError());
    return nullptr;
  }
  SDL_ShowCursor(SDL_DISABLE);
  SDL_WM_SetCaption("Runeblock", "Runeblock");
  return screen;
}
