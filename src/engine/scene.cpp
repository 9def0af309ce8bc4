#include "engine/scene.h"

#include "engine/present.h"
#include "graphics/sprite.h"
#include "graphics/sprite_draw.h"
#include "graphics/sprite_update.h"
#include "input/input.h"

namespace {

struct PassHook {
  ScenePassHook hook;  // null: a free slot
  void* context;
};

// The scene loop's hooks and switches, kept for the whole run: each user adds
// and removes its own (the recorder, a replay, the browser's autosave, tests);
// nothing resets them wholesale.
struct SceneHooks {
  PassHook pass[kPassHookSlots];
  SceneKeyHook key;
  SceneFocusHook focus;
  SceneCallback layerOverlays[kLayerCount];  // drawn over each layer (SetLayerOverlay)
  int presentFrames;
};
SceneHooks hooks = {{}, nullptr, nullptr, {}, 1};

bool ValidLayer(int layer) { return layer >= 0 && layer < kLayerCount; }

}  // namespace

void DrawSceneLayers(System* sys) {
  SDL_FillRect(sys->screen, nullptr, SDL_MapRGB(sys->screen->format, 0, 0, 0));
  if (sys->drawBackground) sys->drawBackground(sys);
  for (int i = 0; i < kLayerCount; i++) {
    if (sys->layers[i]) DrawSprites(sys->layers[i], sys->screen);
    if (hooks.layerOverlays[i]) hooks.layerOverlays[i](sys);
  }
}

void SetLayerOverlay(int layer, SceneCallback draw) {
  if (ValidLayer(layer)) hooks.layerOverlays[layer] = draw;
}

void SetFramePresentation(int present) { hooks.presentFrames = present; }

int GetFramePresentation() { return hooks.presentFrames; }

int AddScenePassHook(ScenePassHook hook, void* context) {
  if (!hook) return -1;
  for (PassHook& slot : hooks.pass)
    if (!slot.hook) {
      slot = {hook, context};
      return 0;
    }
  return -1;
}

void RemoveScenePassHook(ScenePassHook hook, void* context) {
  for (PassHook& slot : hooks.pass)
    if (slot.hook == hook && slot.context == context) {
      slot = {nullptr, nullptr};
      return;
    }
}

void SetSceneKeyHook(SceneKeyHook hook) { hooks.key = hook; }

void SetSceneFocusHook(SceneFocusHook hook) { hooks.focus = hook; }

int PollQuitEvents(System* sys) {
  SDL_Event event;
  while (SDL_PollEvent(&event)) {
    if (event.type == SDL_QUIT) return 1;
    if (event.type == SDL_VIDEOEXPOSE) RequestFullPresentation();
    if (event.type == SDL_KEYDOWN) {
      InputState* input = sys->input;
      const SDLKey sym = event.key.keysym.sym;
      // A key being bound is nothing else, so that Escape or F11 can be refused on screen.
      if (input && input->keyCapture) {
        input->typedKey = sym;
        continue;
      }
      if (sym == SDLK_ESCAPE) return 1;
      if (input) input->typedKey = sym;
      if (hooks.key) hooks.key(sys, &event.key.keysym);
    }
    if (event.type == SDL_ACTIVEEVENT && (event.active.state & SDL_APPINPUTFOCUS) && hooks.focus)
      hooks.focus(sys, event.active.gain ? 1 : 0);
#ifdef __EMSCRIPTEN__
    // The browser's SDL tells of the page's focus with the newer window event.
    if (event.type == SDL_WINDOWEVENT && hooks.focus) {
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) hooks.focus(sys, 0);
      if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) hooks.focus(sys, 1);
    }
#endif
  }
  if (hooks.focus) hooks.focus(sys, -1);
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
  // In slot order: a hook removed by an earlier one is not called.
  for (const PassHook& slot : hooks.pass)
    if (slot.hook) slot.hook(sys, slot.context);
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
      if (hooks.presentFrames) PresentScreen(sys->screen);
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
