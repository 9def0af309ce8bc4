// The scene loop every screen runs in: per-layer callbacks, sprite update,
// drawing in layer order, and the frame pacing.
#pragma once

#include "engine/system.h"

inline constexpr int LayerNoUpdate = 2;

void RunScene(System* sys);
// The updating half of one loop pass (quit check, countdown, callbacks and
// sprite updates, the pass hook), without drawing or pacing; RunScene is
// made of it.
void RunScenePass(System* sys);
// The drawing half of a pass, short of the flip: clear to black, the
// background hook, layers 0 to 3.
void DrawSceneLayers(System* sys);
int PollQuitEvents(System* sys);
void ClearScene(System* sys, int layer);
void ClearAllScenes(System* sys);
void FreezeLayer(System* sys, int layer);
void ResetLayerFlags(System* sys, int layer);
void EndSceneAfter(System* sys, int frames);
void FlipAndClear(System* sys);

// Whether drawn frames are shown (flipped). Headless replays draw every frame
// but have no window to show it in, and flipping is most of their cost.
void SetFramePresentation(int present);

// Called after the updates of every scene-loop pass, before the loop looks at
// sceneEnd; recording and tracing tools watch play through it.
using ScenePassHook = void (*)(System* sys, void* context);
void SetScenePassHook(ScenePassHook hook, void* context);
