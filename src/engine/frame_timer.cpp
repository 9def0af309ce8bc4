#include "engine/frame_timer.h"

#include <SDL.h>

namespace {

uint32_t SdlTicks(void*) { return SDL_GetTicks(); }
void SdlDelay(void*, uint32_t ms) { SDL_Delay(ms); }

const FrameClock kSdlClock = {SdlTicks, SdlDelay, nullptr};

// The clock every timer reads, for the whole run: SetFrameClock replaces it
// (null puts SDL's back); a replay, the browser and tests put their own.
struct ClockChoice {
  FrameClock active;
};
ClockChoice clockChoice = {kSdlClock};

}  // namespace

void SetFrameClock(const FrameClock* clock) { clockChoice.active = clock ? *clock : kSdlClock; }

FrameClock CurrentFrameClock() { return clockChoice.active; }

void DelayOnFrameClock(uint32_t ms) { clockChoice.active.delay(clockChoice.active.context, ms); }

void InitFrameTimer(FrameTimer* timer, int framesPerSecond) {
  timer->step = static_cast<uint32_t>(65536000.0 / framesPerSecond);
}

void ResetFrameTimer(FrameTimer* timer) {
  timer->now = clockChoice.active.ticks(clockChoice.active.context);
  timer->base = timer->now;
  timer->fraction = 0;
  timer->late = 0;
  timer->frameCount = 0;
}

void PaceFrame(FrameTimer* timer) {
  timer->frameCount += 1;
  timer->now = clockChoice.active.ticks(clockChoice.active.context);
  timer->fraction += timer->step;
  const uint32_t due = timer->base + (timer->fraction >> 16);
  if (due > timer->now) {
    clockChoice.active.delay(clockChoice.active.context, due - timer->now);
    timer->late = 0;
  } else {
    timer->late = 1;
  }
  timer->base += timer->fraction >> 16;
  timer->fraction &= 0xFFFF;
}
