// Leaving the window: a level in play pauses as C pauses it and stays so,
// the title and a paused level are left alone, and the sound rests while
// the window is away when the player asked for that.
#include "flow/focus.h"

#include <gtest/gtest.h>

#include "engine/scene.h"
#include "flow/assists.h"
#include "flow/comforts.h"
#include "frontend/title_menu.h"
#include "game/player.h"
#include "input/input.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

namespace {

class FocusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bank = CreateSoundBank(4);
    saved = sys->sound;
    sys->sound = bank;
    LoadComforts(sys);
  }
  void TearDown() override {
    SetSceneKeyHook(nullptr);
    SetSceneFocusHook(nullptr);
    LoadAssists(nullptr);
    sys->sound = saved;
    DestroySoundBank(bank);
  }
  // A level past its intro, played from the keyboard as the live game is.
  void Play(bool withIntro = false) {
    harness.Load(MapText(RoomSpec()), withIntro);
    SetInputSource(sys->input, nullptr, nullptr);
    ReleaseAllKeys();
  }
  // The window's focus going or coming, seen by the next pass.
  void Focus(int gained) {
    SDL_Event event{};
    event.type = SDL_ACTIVEEVENT;
    event.active.gain = static_cast<Uint8>(gained);
    event.active.state = SDL_APPINPUTFOCUS;
    ASSERT_EQ(SDL_PushEvent(&event), 0);
    harness.Frame();
  }
  bool Paused() const {
    return (sys->layerFlags[LayerWorld] & LayerNoUpdate) && sys->updateLayer[LayerScreens] == PauseUpdate;
  }

  GameHarness harness;
  System* sys = harness.sys();
  SoundBank* bank = nullptr;
  SoundBank* saved = nullptr;
};

TEST_F(FocusTest, LeavingTheWindowPausesALevelInPlayUntilThePlayerResumes) {
  Play();
  harness.Frames(5);
  const int life = harness.player().life;
  uint8_t seen = 0;
  harness.watch = [&] { seen |= ReadRawInput(sys->input); };
  Focus(0);
  EXPECT_TRUE(Paused());
  EXPECT_EQ(seen, kC) << "the pause is a press of C, as a recording keeps it";
  harness.Frames(30);
  Focus(1);
  harness.Frames(30);
  EXPECT_TRUE(Paused()) << "coming back does not resume";
  EXPECT_EQ(harness.player().life, life - 1) << "the clock stood still from the frame it paused";
  SetKey(SDLK_c, true);
  harness.Frame();
  EXPECT_FALSE(Paused()) << "C resumes, as after any pause";
  SetKey(SDLK_c, false);
  harness.Frames(3);
  EXPECT_EQ(harness.player().life, life - 4);

  // Left during the intro, the level pauses as soon as it can be played.
  Play(true);
  Focus(0);
  EXPECT_FALSE(Paused());
  harness.RunUntil([&] { return !(sys->layerFlags[LayerWorld] & LayerNoUpdate); }, 200);
  harness.Frame();
  EXPECT_TRUE(Paused());
  Focus(1);
}

TEST_F(FocusTest, TheTitleAPausedLevelAndAPlayerWhoTurnedItOffAreLeftAlone) {
  SetInputSource(sys->input, nullptr, nullptr);
  sys->updateLayer[LayerScreens] = UpdateTitleMenu;
  harness.Frames(3);
  Focus(0);
  harness.Frames(3);
  Focus(1);
  EXPECT_EQ(sys->updateLayer[LayerScreens], UpdateTitleMenu);
  for (int flags : sys->layerFlags) EXPECT_EQ(flags, 0);
  EXPECT_EQ(sys->input->forced, 0);
  ClearAllScenes(sys);

  Play();
  SetFocusPause(harness.game()->config, 0);
  Focus(0);
  harness.Frames(5);
  EXPECT_FALSE(Paused());
  Focus(1);
  SetFocusPause(harness.game()->config, 1);
  SetKey(SDLK_c, true);
  harness.Frame();
  SetKey(SDLK_c, false);
  ASSERT_TRUE(Paused());
  Focus(0);
  harness.Frames(2);
  SetKey(SDLK_c, true);
  harness.Frame();
  SetKey(SDLK_c, false);
  harness.Frames(3);
  EXPECT_FALSE(Paused()) << "a level paused already is not paused again";
  Focus(1);
}

TEST_F(FocusTest, TheSoundRestsWhileTheWindowIsAwayOnlyWhenAskedAndAMuteOfOnesOwnStays) {
  Focus(0);
  EXPECT_EQ(bank->muted, 0);
  Focus(1);
  SetBackgroundMute(harness.game()->config, 1);
  Focus(0);
  EXPECT_EQ(bank->muted, 1);
  Focus(1);
  EXPECT_EQ(bank->muted, 0);
  SetVolumes(bank, bank->soundVolume, bank->musicVolume, 1);
  Focus(0);
  Focus(1);
  EXPECT_EQ(bank->muted, 1) << "the player's own mute is not undone";
}

}  // namespace
