// The scene loop every screen runs in: per-layer callbacks, sprite update,
// drawing in layer order, and the frame pacing.
#pragma once

#include "engine/system.h"

inline constexpr int LayerNoUpdate = 2;

// Runs passes until sceneEnd is set, then clears it and returns; a late frame is not drawn.
void RunScene(System* sys);
// The updating half of one loop pass (quit check, countdown, callbacks and
// sprite updates, the pass hook), without drawing or pacing; RunScene is
// made of it.
void RunScenePass(System* sys);
// One pass as RunScene runs it, without drawing or pacing: 1 when the scene
// ended (sceneEnd is then cleared, as RunScene leaves it). Tools that step a
// level one input at a time run on it.
int StepScene(System* sys);
// The drawing half of a pass, short of the flip: clear to black, the
// background hook, layers 0 to 3.
void DrawSceneLayers(System* sys);
// 1 when a window close or Escape is waiting; other key presses go to the input's typedKey and
// the key hook (while the input captures keys, every press goes to typedKey alone), and every
// other event is taken off SDL's queue and dropped.
int PollQuitEvents(System* sys);
// Told of every key press the scene loop takes off the queue but Escape, on every screen; the
// game's own inputs are read from the keyboard's state, not from these.
using SceneKeyHook = void (*)(System* sys, const SDL_keysym* key);
void SetSceneKeyHook(SceneKeyHook hook);
// Told when the window gains (1) or loses (0) the input focus, and once more
// with -1 after every poll of the events, so that what waits on the focus
// can settle in the pass.
using SceneFocusHook = void (*)(System* sys, int gained);
void SetSceneFocusHook(SceneFocusHook hook);
// Drawn onto the screen right after the layer's sprites, over them and under
// the layers above; null = nothing. Drawing only: nothing of the play.
void SetLayerOverlay(int layer, SceneCallback draw);
// Drops the layer's callback, sprites and flags, and the background and pre-update callbacks;
// for a layer out of range only the latter two.
void ClearScene(System* sys, int layer);
void ClearAllScenes(System* sys);
// Stops the layer's callback and sprite updates (it is still drawn); ignored out of range.
void FreezeLayer(System* sys, int layer);
// Lets a frozen layer update again; ignored out of range.
void ResetLayerFlags(System* sys, int layer);
// Ends the scene in the `frames`-th pass from now; 0 cancels a pending end.
void EndSceneAfter(System* sys, int frames);
// Shows the screen (the parts that changed), then clears it to black; nothing without a screen.
void FlipAndClear(System* sys);

// Whether drawn frames are shown (flipped; 1 at start). Headless replays draw
// every frame but have no window to show it in, and flipping is most of their cost.
void SetFramePresentation(int present);
int GetFramePresentation();

// Called after the updates of every scene-loop pass, before the loop looks at
// sceneEnd; recording and tracing tools watch play through it. Hooks run in
// the order of their slots; each user adds and removes its own.
using ScenePassHook = void (*)(System* sys, void* context);
inline constexpr int kPassHookSlots = 8;
// 0, or -1 for a null hook or when every slot is taken.
int AddScenePassHook(ScenePassHook hook, void* context);
// Removes the hook added with this context, if it is there; the others stay.
void RemoveScenePassHook(ScenePassHook hook, void* context);
