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
  // What the poll reports, bit i for input i.
  uint8_t Poll() {
    PollInput(input);
    uint8_t mask = 0;
    for (int i = 0; i < kInputCount; i++) mask |= input->pressed[i] ? 1u << i : 0;
    return mask;
  }
  InputState* input = nullptr;
};

TEST_F(InputTest, EveryKeyHasItsInputButtonsCountOnceAndDirectionsWhileHeld) {
  const SDLKey keys[kInputCount] = {SDLK_UP, SDLK_DOWN, SDLK_LEFT, SDLK_RIGHT, SDLK_z, SDLK_x, SDLK_c, SDLK_v};
  for (int i = 0; i < kInputCount; i++) {
    ReleaseAllKeys();
    Poll();
    SetKey(keys[i], true);
    EXPECT_EQ(Poll(), 1u << i) << "key " << i;
    EXPECT_EQ(Poll(), i < ButtonZ ? 1u << i : 0u) << "held, key " << i;
  }
  SetKey(SDLK_v, false);
  Poll();
  SetKey(SDLK_v, true);
  EXPECT_EQ(Poll(), 1u << ButtonV) << "a new press after a release";
  // A source stands in for the devices: however many press it, the edge
  // filter sees one merged input.
  uint8_t raw = 1u << Left;
  SetInputSource(
      input, [](InputState*, void* context) { return *static_cast<uint8_t*>(context); }, &raw);
  EXPECT_EQ(Poll(), 1u << Left);
  raw = 1u << ButtonZ;
  EXPECT_EQ(Poll(), 1u << ButtonZ);
  EXPECT_EQ(Poll(), 0);
}

TEST(JoystickMaskTest, AxesCountOnlyStrictlyBeyondTheDeadZone) {
  const int none[4] = {0, 0, 0, 0};
  EXPECT_EQ(JoystickMask(10000, -10000, none, 10000), 0);
  EXPECT_EQ(JoystickMask(-10000, 10000, none, 10000), 0);
  EXPECT_EQ(JoystickMask(10001, -10001, none, 10000), (1u << Right) | (1u << Up));
  EXPECT_EQ(JoystickMask(-32768, 32767, none, 10000), (1u << Left) | (1u << Down));
  const int buttons[4] = {1, 0, 1, 1};
  EXPECT_EQ(JoystickMask(0, 0, buttons, 10000), (1u << ButtonZ) | (1u << ButtonC) | (1u << ButtonV));
}

TEST(JoystickMaskTest, TheHatWalksJumpsAndCrouchesAsTheStickDoes) {
  EXPECT_EQ(HatMask(SDL_HAT_CENTERED), 0);
  EXPECT_EQ(HatMask(SDL_HAT_UP), 1u << Up);
  EXPECT_EQ(HatMask(SDL_HAT_DOWN), 1u << Down);
  EXPECT_EQ(HatMask(SDL_HAT_LEFTUP), (1u << Left) | (1u << Up));
  EXPECT_EQ(HatMask(SDL_HAT_RIGHTDOWN), (1u << Right) | (1u << Down));
}

TEST_F(InputTest, NoJoystickPrintsOnStandardOutputAndTheKeyboardStillWorks) {
  DestroyInput(input);
  const std::string out = OutputOf(stdout, [&] { input = CreateInput(0, 1); });
  ASSERT_NE(input, nullptr);
  if (input->joystick) GTEST_SKIP() << "a joystick is attached to this machine";
  EXPECT_EQ(out, "\203W\203\207\203C\203X\203e\203B\203b\203N\203I\201[\203v\203\223\216\270\224s \n");
  SetInputDefaults(input);
  SetKey(SDLK_DOWN, true);
  EXPECT_EQ(Poll(), 1u << Down);
}

}  // namespace
