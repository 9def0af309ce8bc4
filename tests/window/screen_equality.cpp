// Plays a solution in a real window and, after every presented frame,
// compares the window's pixels with those a full flip of the same screen
// shows: showing only the changed parts must never cost a wrong pixel.
// Prints a checksum of every compared window image, so that two runs on
// different presentation paths can be compared too. Run in an X display
// (screen_equality_test.sh); exit status 0 when every frame matched.
#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "flow/headless.h"
#include "game/recording.h"
#include "game/replay.h"
#include "support/test_system.h"

namespace {

constexpr Uint32 kPresentInterval = 17;  // ms, a frame at 60 per second, rounded up

struct Check {
  Display* display;
  Window window;
  SDL_Surface* screen;
  int passes;        // compare this many
  int compared = 0;  // frames compared so far
  int mismatched = 0;
  int changedFrames = 0;  // frames that differed from the frame before
  uint64_t checksum = 1469598103934665603ull;
  std::vector<uint32_t> previous;
};

// The window's pixels, with the padding byte of 32-bit pixels cleared.
std::vector<uint32_t> Grab(const Check& check) {
  // The compatibility layer holds back presents that come faster than the
  // display's rate and shows them when events are next read.
  SDL_Delay(kPresentInterval);
  SDL_PumpEvents();
  XSync(check.display, False);
  XImage* image = XGetImage(check.display, check.window, 0, 0, 640, 480, AllPlanes, ZPixmap);
  std::vector<uint32_t> pixels;
  if (!image) return pixels;
  pixels.resize(640 * 480);
  for (int y = 0; y < 480; y++) {
    uint32_t* row = &pixels[static_cast<size_t>(y) * 640];
    if (image->bits_per_pixel == 32) {
      std::memcpy(row, image->data + static_cast<size_t>(y) * image->bytes_per_line, 640 * 4);
      for (int x = 0; x < 640; x++) row[x] &= 0xffffff;
    } else {
      for (int x = 0; x < 640; x++) row[x] = static_cast<uint32_t>(XGetPixel(image, x, y));
    }
  }
  XDestroyImage(image);
  return pixels;
}

// The pass hook runs before the pass's frame is drawn: the window then
// shows the frame before it, as the partial presentation left it.
void CompareWindow(System* sys, int f, const int*, int, void* context) {
  auto* check = static_cast<Check*>(context);
  if (f < 2 || check->compared >= check->passes) return;
  const std::vector<uint32_t> partial = Grab(*check);
  SDL_Flip(check->screen);
  const std::vector<uint32_t> whole = Grab(*check);
  if (partial.empty() || partial != whole) {
    if (check->mismatched++ == 0) {
      int differing = 0;
      for (size_t i = 0; i < partial.size() && i < whole.size(); i++) differing += partial[i] != whole[i];
      std::fprintf(stderr, "screen_equality: %d pixels of the window differ after pass %d\n", differing, f - 1);
    }
  }
  if (whole != check->previous) check->changedFrames++;
  for (uint32_t pixel : whole) check->checksum = (check->checksum ^ pixel) * 1099511628211ull;
  check->previous = whole;
  if (++check->compared >= check->passes) sys->quit = 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: screen_equality RECORDING PASSES\n");
    return 2;
  }
  System* sys = StartHeadlessGame(HeadlessPictures);
  if (!sys) return 2;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWMInfo(&info) != 1) {
    std::fprintf(stderr, "screen_equality: no X window (%s)\n", SDL_GetError());
    return 2;
  }
  // SDL's own connection: its drawing requests are then done before the image is taken.
  Check check{info.info.x11.display, info.info.x11.window, sys->screen, std::atoi(argv[2]), 0, 0, 0, 0, {}};
  Recording recording;
  char error[128];
  if (LoadRecordingFile(argv[1], &recording, error, sizeof error) != 0) {
    std::fprintf(stderr, "screen_equality: %s\n", error);
    return 2;
  }
  FakeClock clock;  // frames are due at once: as fast as the window allows, never late
  clock.Install();
  const ReplayObserver observer = {CompareWindow, &check, 1};
  ReplayOutcome outcome;
  RunReplay(sys, &recording, &observer, &outcome);
  FreeRecording(&recording);
  std::printf("%d frames compared, %d changed from the frame before, %d mismatched, checksum %016llx\n", check.compared,
              check.changedFrames, check.mismatched, static_cast<unsigned long long>(check.checksum));
  StopHeadlessGame(sys);
  return check.mismatched == 0 && check.compared == check.passes ? 0 : 1;
}
