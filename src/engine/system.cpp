#include "engine/system.h"

#include <dirent.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "base/regular_file.h"
#include "graphics/bitmap_set.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

// Long enough for any quit that can finish.
constexpr unsigned kQuitSeconds = 2;

void EndAfterStuckQuit(int) { _exit(1); }

// When the display went away, Xlib's error handler exits and SDL_Quit, run
// at exit, then waits on the dead display forever (and SIGTERM only becomes
// an event nobody reads): a quit that does not return in time ends the
// process, with a status that says it failed.
void QuitWithinLimit() {
  std::signal(SIGALRM, EndAfterStuckQuit);
  alarm(kQuitSeconds);
  SDL_Quit();
  alarm(0);
}

// Without a graphics device (no render node), OpenGL is Mesa's software
// rasteriser, and the compatibility layer's GL path costs several times the
// plain X image copy for the same pixels. The player's own choice wins.
void ChooseSoftwarePresentation() {
  if (DIR* devices = opendir("/dev/dri")) {
    bool renderNode = false;
    while (const dirent* entry = readdir(devices)) renderNode |= std::strncmp(entry->d_name, "renderD", 7) == 0;
    closedir(devices);
    if (renderNode) return;
  }
  setenv("SDL_RENDER_DRIVER", "software", 0);
  setenv("SDL_FRAMEBUFFER_ACCELERATION", "0", 0);
}

}  // namespace

System* CreateSystem() {
  auto* sys = static_cast<System*>(std::malloc(sizeof(System)));
  if (!sys) {
    ReportDiagnostic("%s", msg::MsgInitFailed);
    return nullptr;
  }
  std::memset(sys, 0, sizeof(System));
  return sys;
}

// The game's rune block as the window's icon; SDL takes it only before the
// video mode is set. Without the picture the window keeps the default icon.
static void SetWindowIcon() {
  FILE* file = OpenRegularFile(kWindowIconPath);
  SDL_Surface* icon = file ? LoadBoundedBMP(SDL_RWFromFP(file, SDL_TRUE)) : nullptr;
  if (!icon) return;
  SDL_SetColorKey(icon, SDL_SRCCOLORKEY, SDL_MapRGB(icon->format, 255, 0, 255));
  SDL_WM_SetIcon(icon, nullptr);
  SDL_FreeSurface(icon);
}

SDL_Surface* InitVideo(int width, int height, int bitsPerPixel, int flags) {
  static bool quitRegistered = false;
  // Docks match the window to the desktop entry by this class (unless the
  // player names another).
  setenv("SDL_VIDEO_X11_WMCLASS", kWindowClass, 0);
  ChooseSoftwarePresentation();
  if (SDL_Init(SDL_INIT_VIDEO) < 0) {
    ReportDiagnostic(msg::MsgSdlInitFailed, SDL_GetError());
    return nullptr;
  }
  if (!quitRegistered) {
    std::atexit(QuitWithinLimit);
    quitRegistered = true;
  }
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

void InitSystem(System* sys) { InitSystemParts(sys, SystemScreen | SystemJoystick); }

void InitSystemParts(System* sys, int parts) {
  if (parts & SystemScreen) {
    sys->screen = InitVideo(kScreenWidth, kScreenHeight, kScreenDepth, 0);
    sys->font = LoadFont(kFontPath);
    if (sys->font) sys->font->advance = kFontAdvance;
    OpenAudio();
  }
  sys->input = CreateInput(0, (parts & SystemJoystick) ? 1 : 0);
  if (sys->input) {
    SetInputDefaults(sys->input);
    SetButtonsEdgeTriggered(sys->input);
    SetDirectionsLevelTriggered(sys->input);
  }
  InitFrameTimer(&sys->timer, kFramesPerSecond);
  for (int i = 0; i < kLayerCount; i++) sys->layers[i] = CreateSpriteList(kLayerCapacity);
}

int SystemUnusable(const System* sys) {
  if (!sys || !sys->screen || !sys->font || !sys->input) return 1;
  for (SpriteList* layer : sys->layers)
    if (!layer) return 1;
  return 0;
}

System* StartSystem() {
  System* sys = CreateSystem();
  if (!sys) return nullptr;
  InitSystem(sys);
  if (!SystemUnusable(sys)) return sys;
  DestroySystem(sys);
  return nullptr;
}

void DestroySystem(System* sys) {
  CloseAudio();
  if (!sys) return;
  if (sys->font) DestroyFont(sys->font);
  if (sys->input) DestroyInput(sys->input);
  for (SpriteList*& layer : sys->layers) {
    if (layer) DestroySpriteList(layer);
    layer = nullptr;
  }
  std::free(sys);
}

// Under the leak checker, SDL and its helpers keep a few allocations until
// the process ends; those are theirs, not the game's.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libSDL2\nleak:libSDL-1.2\nleak:libSDL_mixer\nleak:libasound\nleak:libpulse\nleak:libdbus\n";
}

extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
