#include "engine/frame_timer.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_system.h"

namespace {

class FrameTimerTest : public testing::Test {
 protected:
  void SetUp() override {
    clock.Install();
    InitFrameTimer(&timer, 60);
    ResetFrameTimer(&timer);
  }
  void TearDown() override { FakeClock::Uninstall(); }

  FakeClock clock;
  FrameTimer timer{};
};

TEST_F(FrameTimerTest, FramesLast16Or17MsAndSixtySpanASecondWithoutDrift) {
  std::vector<uint32_t> dueTimes;
  const uint32_t start = clock.now;
  for (int i = 0; i < 10000; i++) {
    PaceFrame(&timer);
    ASSERT_EQ(timer.late, 0u) << "frame " << i;
    dueTimes.push_back(clock.now);
  }
  for (size_t i = 1; i < dueTimes.size(); i++) {
    const uint32_t length = dueTimes[i] - dueTimes[i - 1];
    ASSERT_TRUE(length == 16 || length == 17) << "frame " << i << " lasted " << length;
  }
  for (size_t i = 60; i < dueTimes.size(); i++) {
    const uint32_t span = dueTimes[i] - dueTimes[i - 60];
    ASSERT_TRUE(span == 999 || span == 1000) << "60 frames ending at " << i << " spanned " << span;
  }
  // Ten thousand frames take ten thousand sixtieths of a second, to the millisecond.
  EXPECT_EQ(dueTimes.back() - start, 10000u * 1000u / 60u);
}

TEST_F(FrameTimerTest, AJumpMakesAboutThirtyLateFramesThenPacingResumes) {
  for (int i = 0; i < 10; i++) PaceFrame(&timer);
  clock.now += 500;
  int late = 0;
  int frame = 0;
  while (true) {
    const uint32_t waitedBefore = clock.waited;
    PaceFrame(&timer);
    frame++;
    if (!timer.late) break;
    EXPECT_EQ(clock.waited, waitedBefore) << "a late frame must not wait";
    late++;
  }
  EXPECT_GE(late, 29);
  EXPECT_LE(late, 31);
  for (int i = 0; i < 100; i++) {
    PaceFrame(&timer);
    EXPECT_EQ(timer.late, 0u);
  }
}

TEST_F(FrameTimerTest, AFrameEndingOnItsDueMillisecondIsLateAndAResetStartsAfresh) {
  // The first frame is due 16 ms after the reset; arrive exactly then.
  clock.now += 16;
  PaceFrame(&timer);
  EXPECT_EQ(timer.late, 1u);
  EXPECT_EQ(clock.waited, 0u);
  for (int i = 0; i < 479; i++) PaceFrame(&timer);
  EXPECT_EQ(timer.frameCount, 480u);
  ResetFrameTimer(&timer);
  EXPECT_EQ(timer.frameCount, 0u);
  EXPECT_EQ(timer.late, 0u);
  EXPECT_EQ(timer.fraction, 0u);
}

}  // namespace
