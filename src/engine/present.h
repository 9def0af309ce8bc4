// Showing drawn frames: only the parts of the screen that differ from the
// frame shown before, the whole screen when most of it changed, nothing
// when nothing did. Presenting is most of a frame's cost in a window.
#pragma once

#include <SDL.h>

// Shows the screen's present pixels; 0, or -1 without a screen.
int PresentScreen(SDL_Surface* screen);
// The next frame is shown whole: the window may have lost what it showed
// (it was uncovered, or went to or from the full screen).
void RequestFullPresentation();
// Whether frames are shown part by part (1, the default) or always whole.
void SetPartialPresentation(int partial);
