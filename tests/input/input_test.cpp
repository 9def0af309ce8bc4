#include "input/input.h"

#include <gtest/gtest.h>

#include "support/test_system.h"

namespace {

class InputTest : public testing::Test {
 protected:
  void SetUp() override {
    SDL_Init(SDL_INIT_VIDEO);
    ReleaseAllKeys();
    input = CreateInput(0, 0);
    SetInputDefaults(input);
  }
  void TearDown() override {
    ReleaseAllKeys();
    DestroyInput(input);
  }
  InputState* input = nullptr;
};

TEST_F(InputTest, ButtonsReportOnlyTheFirstFrameOfAPress) {
  SetKey(SDLK_z, true);
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonZ], 1);
  for (int i = 0; i < 9; i++) {
    PollInput(input);
    EXPECT_EQ(input->pressed[ButtonZ], 0) << "held frame " << i;
  }
  SetKey(SDLK_z, false);
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonZ], 0);
  SetKey(SDLK_z, true);
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonZ], 1);
}

TEST_F(InputTest, DirectionsReportEveryFrameTheyAreHeld) {
  SetKey(SDLK_UP, true);
  SetKey(SDLK_LEFT, true);
  for (int i = 0; i < 5; i++) {
    PollInput(input);
    EXPECT_EQ(input->pressed[Up], 1);
    EXPECT_EQ(input->pressed[Left], 1);
    EXPECT_EQ(input->pressed[Down], 0);
  }
}

TEST_F(InputTest, EveryKeyMapsToItsInput) {
  const SDLKey keys[kInputCount] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_c, SDLK_v};
  for (int i = 0; i < kInputCount; i++) {
    ReleaseAllKeys();
    PollInput(input);
    SetKey(keys[i], true);
    PollInput(input);
    for (int j = 0; j < kInputCount; j++) EXPECT_EQ(input->pressed[j], i == j ? 1 : 0) << "key " << i;
  }
}

TEST_F(InputTest, TwoPollsInOneFrameReportButtonsOnceAndDirectionsTwice) {
  SetKey(SDLK_x, true);
  SetKey(SDLK_RIGHT, true);
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonX], 1);
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonX], 0);
  EXPECT_EQ(input->pressed[Right], 1);
}

TEST_F(InputTest, ModesCanBeChangedPerGroup) {
  SetButtonsEdgeTriggered(input);
  SetDirectionsLevelTriggered(input);
  for (int i = 0; i < kInputCount; i++) EXPECT_EQ(input->edgeOnly[i], i >= ButtonZ ? 1 : 0);
  EXPECT_EQ(input->deadZone, 10000);
}

TEST(JoystickMaskTest, AxesCountOnlyStrictlyBeyondTheDeadZone) {
  const int none[4] = {0, 0, 0, 0};
  EXPECT_EQ(JoystickMask(10000, -10000, none, 10000), 0);
  EXPECT_EQ(JoystickMask(-10000, 10000, none, 10000), 0);
  EXPECT_EQ(JoystickMask(10001, 0, none, 10000), 1u << Right);
  EXPECT_EQ(JoystickMask(-10001, 0, none, 10000), 1u << Left);
  EXPECT_EQ(JoystickMask(0, -10001, none, 10000), 1u << Up);
  EXPECT_EQ(JoystickMask(0, 10001, none, 10000), 1u << Down);
  EXPECT_EQ(JoystickMask(-32768, 32767, none, 10000), (1u << Left) | (1u << Down));
  const int buttons[4] = {1, 0, 1, 1};
  EXPECT_EQ(JoystickMask(0, 0, buttons, 10000), (1u << ButtonZ) | (1u << ButtonC) | (1u << ButtonV));
}

// A source standing in for keyboard and joystick together: the edge filter
// sees one merged input, however many devices press it.
uint8_t MergedSource(InputState*, void* context) { return *static_cast<uint8_t*>(context); }

TEST_F(InputTest, ASourceReplacesTheDevicesAndMergedPressesCountOnce) {
  uint8_t raw = 1u << ButtonZ;
  SetInputSource(input, MergedSource, &raw);
  SetKey(SDLK_z, true);  // ignored while a source is set
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonZ], 1);
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonZ], 0);
  raw = 0;
  PollInput(input);
  raw = 1u << ButtonZ;
  PollInput(input);
  EXPECT_EQ(input->pressed[ButtonZ], 1);
}

TEST_F(InputTest, NoJoystickPrintsOnStandardOutputAndKeyboardStillWorks) {
  DestroyInput(input);
  std::string out;
  {
    CapturedStream captured(stdout);
    input = CreateInput(0, 1);
    out = captured.Text();
  }
  ASSERT_NE(input, nullptr);
  if (input->joystick) GTEST_SKIP() << "a joystick is attached to this machine";
  EXPECT_EQ(out, "\203W\203\207\203C\203X\203e\203B\203b\203N\203I\201[\203v\203\223\216\270\224s \n");
  SetInputDefaults(input);
  SetKey(SDLK_DOWN, true);
  PollInput(input);
  EXPECT_EQ(input->pressed[Down], 1);
}

}  // namespace
