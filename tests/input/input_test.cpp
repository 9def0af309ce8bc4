#include "input/input.h"

#include <gtest/gtest.h>

#include <initializer_list>

#include "input/pad.h"
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
  EXPECT_EQ(StickMask(10000, -10000, 10000), 0);
  EXPECT_EQ(StickMask(-10000, 10000, 10000), 0);
  EXPECT_EQ(StickMask(10001, -10001, 10000), (1u << Right) | (1u << Up));
  EXPECT_EQ(StickMask(-32768, 32767, 10000), (1u << Left) | (1u << Down));
}

// The inputs a pad gives with only `buttons` down.
uint8_t PadPress(std::initializer_list<int> buttons, int standard, const int* choices = nullptr, int count = 21) {
  uint8_t down[32] = {};
  for (int b : buttons) down[b] = 1;
  return PadButtonMask(choices, standard, down, count);
}

TEST(PadButtonsTest, TheStandardLayoutGoesByPositionTheRawOneByTheMakersNumbers) {
  EXPECT_EQ(PadPress({PadSouth, PadEast, PadWest}, 1), (1u << ButtonZ) | (1u << ButtonX) | (1u << ButtonC));
  EXPECT_EQ(PadPress({PadNorth}, 1), 1u << ButtonV);
  EXPECT_EQ(PadPress({PadDpadUp, PadDpadLeft}, 1), (1u << Up) | (1u << Left));
  EXPECT_EQ(PadPress({PadDpadDown, PadDpadRight}, 1), (1u << Down) | (1u << Right));
  EXPECT_EQ(PadPress({PadStart}, 1), 1u << ButtonC) << "Start pauses as C does";
  EXPECT_EQ(PadPress({PadBack}, 1), 1u << ButtonV) << "Back gives up while paused as V does";
  EXPECT_EQ(PadPress({PadGuide, 7, 9}, 1), 0);
  EXPECT_EQ(PadPress({PadDpadRight}, 1, nullptr, 14), 0) << "a button the pad lacks is never read";
  // The pad's own numbers: the first four buttons, whatever their places.
  EXPECT_EQ(PadPress({0, 3}, 0), (1u << ButtonZ) | (1u << ButtonV));
  EXPECT_EQ(PadPress({PadStart, PadBack, PadDpadUp}, 0), 0);
}

TEST(PadButtonsTest, ThePlayersButtonsReplaceTheLayoutsOwnAndTakeStartAndBackFromThem) {
  int choices[kInputCount] = {kPadButtonDefault, kPadButtonDefault, kPadButtonDefault, kPadButtonDefault, 9,
                              PadStart,          kPadButtonNone,    kPadButtonDefault};
  EXPECT_EQ(PadPress({9}, 1, choices), 1u << ButtonZ);
  EXPECT_EQ(PadPress({PadSouth, PadWest}, 1, choices), 0) << "the layout's own buttons for Z and C are gone";
  EXPECT_EQ(PadPress({PadStart}, 1, choices), 1u << ButtonX) << "Start is the player's X, not a pause";
  EXPECT_EQ(PadPress({PadBack, PadNorth}, 1, choices), 1u << ButtonV);
  EXPECT_EQ(PadPress({9, 1}, 0, choices), 1u << ButtonZ) << "the player's choice in the raw layout too";
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
