// The magic marker: a frame drawn over the level on the cell block magic
// would act on, at draw time only, so play and recordings never see it.
#pragma once

#include "engine/system.h"

// Draws the marker onto the screen when a level is being played (not in its
// intro, paused, nor once the player died or left); nothing otherwise.
void DrawMagicMarker(System* sys);
