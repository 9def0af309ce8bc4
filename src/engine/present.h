// Showing drawn frames: only the parts of the screen that differ from the
// frame shown before, the whole screen when most of it changed, nothing
// when nothing did. Presenting is most of a frame's cost in a window.
#pragma once

#include <SDL.h>

// Shows the screen's present pixels; 0, or -1 without a screen.
int PresentScreen(SDL_Surface* screen);
// The next frame is shown whole: the window may have lost what it showed
// (it was uncovered). A new surface, or a switch to or from the full
// screen, is shown whole without asking.
void RequestFullPresentation();
// Whether frames are shown part by part (1, the default) or always whole.
void SetPartialPresentation(int partial);

enum PresentKind { PresentNothing = 0, PresentParts = 1, PresentWhole = 2 };
// What presenting has handed to SDL: the last frame's kind and rectangles
// (valid until the next PresentScreen), and how many frames of each kind so far.
struct Presentation {
  int kind;  // PresentKind
  int rectCount;
  const SDL_Rect* rects;
  long frames[3];  // by PresentKind
};
Presentation LastPresentation();
