#include "engine/system.h"

#include <cstdlib>
#include <cstring>

#include "base/diagnostics.h"
#include "base/messages.h"
#include "engine/leak_checker.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

// The leaks the checker's options excuse are SDL's, made as a System starts:
// every program that links this file links those options too.
[[gnu::used]] const char* const kLinksLeakChecker = &kLeakCheckerMark;

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
