#include "engine/scene.h"

#include "engine/present.h"
#include "graphics/sprite.h"
#include "graphics/sprite_draw.h"
#include "graphics/sprite_update.h"

namespace {

ScenePassHook passHook = nullptr;
SceneKeyHook keyHook = nullptr;
SceneFocusHook focusHook = nullptr;
SceneCallback layerOverlays[kLayerCount] = {};
int presentFrames = 1;
void* passHookContext = nullptr;

bool ValidLayer(int layer) { return layer >= 0 && layer < kLayerCount; }

}  // namespace

void DrawSceneLayers(System* sys) {
  SDL_FillRect(sys->screen, nullptr, SDL_MapRGB(sys->screen->format, 0, 0, 0));
  if (sys->drawBackground) sys->drawBackground(sys);
  for (int i = 0; i < kLayerCount; i++) {
    if (sys->layers[i]) DrawSprites(sys->layers[i], sys->screen);
    if (layerOverlays[i]) layerOverlays[i](sys);
  }
}

void SetLayerOverlay(int layer, SceneCallback draw) {
  if (ValidLayer(layer)) layerOverlays[layer] = draw;
}

void SetFramePresentation(int present) { presentFrames = present; }

void SetScenePassHook(ScenePassHook hook, void* context) {
  passHook = hook;
  passHookContext = context;
}

void SetSceneKeyHook(SceneKeyHook hook) { keyHook = hook; }

void SetSceneFocusHook(SceneFocusHook hook) { focusHook = hook; }

int PollQuitEvents(System* sys) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) return 1;
    if (event.type == SDL_VIDEOEXPOSE) RequestFullPresentation();
    if (event.type == SDL_KEYDOWN && event.key.keysym.sym == SDLK_ESCAPE) return 1;
    if (event.type == SDL_KEYDOWN && keyHook) keyHook(sys, &event.key.keysym);
    if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPINPUTFOCUS) && focusHook)
      focusHook(sys, event.active.gain ? 1 : 0);
#ifdef __EMSCRIPTEN__
    // The browser's SDL tells of the page's focus with the newer window event.
    if (event.type == SDL_WINDOWEVENT && focusHook) {
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) focusHook(sys, 0);
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) focusHook(sys, 1);
    }
#endif
  }
  if (focusHook) focusHook(sys, -1);
  return 0;
}

void RunScenePass(System* sys) {
  if (sys->quit || PollQuitEvents(sys)) {
    sys->sceneEnd = 1;
    sys->quit = 1;
  }
  if (sys->endCountdown != 0) {
    sys->endCountdown -= 1;
    if (sys->endCountdown == 0) sys->sceneEnd = 1;
  }
  if (sys->preUpdate) sys->preUpdate(sys);
  for (int i = 0; i < kLayerCount; i++) {
    if (sys->layerFlags[i] & LayerNoUpdate) continue;
    if (sys->updateLayer[i]) sys->updateLayer[i](sys);
    if (sys->layers[i]) UpdateSprites(sys->layers[i]);
  }
  if (passHook) passHook(sys, passHookContext);
}

int StepScene(System* sys) {
  RunScenePass(sys);
  if (sys->sceneEnd) {
    sys->sceneEnd = 0;
    return 1;
  }
  sys->timer.frameCount += 1;  // what pacing the frame would count
  return 0;
}

void RunScene(System* sys) {
  ResetFrameTimer(&sys->timer);
  for (;;) {
    RunScenePass(sys);
    if (sys->sceneEnd) {
      sys->sceneEnd = 0;
      return;
    }
    if (!sys->timer.late && sys->screen) {
      DrawSceneLayers(sys);
      if (presentFrames) PresentScreen(sys->screen);
    }
    PaceFrame(&sys->timer);
  }
}

void ClearScene(System* sys, int layer) {
  sys->drawBackground = nullptr;
  sys->preUpdate = nullptr;
  if (!ValidLayer(layer)) return;
  sys->updateLayer[layer] = nullptr;
  ClearSpriteList(sys->layers[layer]);
  sys->layerFlags[layer] = 0;
}

void ClearAllScenes(System* sys) {
  for (int i = 0; i < kLayerCount; i++) ClearScene(sys, i);
}

void FreezeLayer(System* sys, int layer) {
  if (ValidLayer(layer)) sys->layerFlags[layer] |= LayerNoUpdate;
}

void ResetLayerFlags(System* sys, int layer) {
  if (ValidLayer(layer)) sys->layerFlags[layer] = 0;
}

void EndSceneAfter(System* sys, int frames) { sys->endCountdown = frames; }

void FlipAndClear(System* sys) {
  if (!sys->screen) return;
  PresentScreen(sys->screen);
  SDL_FillRect(sys->screen, nullptr, SDL_MapRGB(sys->screen->format, 0, 0, 0));
}
