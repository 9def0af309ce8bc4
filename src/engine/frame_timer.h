// Paces the scene loop at a fixed frame rate against a millisecond clock and
// decides frame by frame whether the loop may draw.
#pragma once

#include <cstdint>

struct FrameTimer {
  uint32_t step;        // frame length, 16.16 ms
  uint32_t now;         // clock value read by the last pace or reset
  uint32_t base;        // whole-ms due time of the running frame
  uint32_t fraction;    // 16.16 carry, below 0x10000 between calls
  uint32_t late;        // 1 = last frame ended at or after its due time
  uint32_t frameCount;  // passes since the last reset: the scene's frame
};

// The clock the timer reads. SDL's clock by default; tests and the replay
// tool put their own here.
struct FrameClock {
  uint32_t (*ticks)(void* context);
  void (*delay)(void* context, uint32_t ms);
  void* context;
};

void SetFrameClock(const FrameClock* clock);  // null restores SDL's clock
void DelayOnFrameClock(uint32_t ms);
FrameClock CurrentFrameClock();
// Sets only the frame length; ResetFrameTimer starts the timing.
void InitFrameTimer(FrameTimer* timer, int framesPerSecond);
// Starts timing from the clock's present time, with the frame count at 0.
void ResetFrameTimer(FrameTimer* timer);
// Waits out the frame. A frame already past its due time does not wait and is marked late, so
// the scene loop does not draw the next one.
void PaceFrame(FrameTimer* timer);
