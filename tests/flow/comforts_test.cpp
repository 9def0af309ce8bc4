// The volume settings and keys: read with their bad values refused, changed
// by key presses the scene loop takes off SDL's queue on any screen, shown
// for a moment in the corner and written back to the settings.
#include "flow/comforts.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/assists.h"
#include "graphics/font.h"
#include "input/input.h"
#include "input/pad.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

namespace {

class ComfortsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bank = CreateSoundBank(4);
    saved = harness.sys()->sound;
    harness.sys()->sound = bank;
  }
  void TearDown() override {
    SetSceneKeyHook(nullptr);
    harness.sys()->sound = saved;
    DestroySoundBank(bank);
  }
  // Presses a key as the window would: onto SDL's queue, for the next pass.
  void Press(SDLKey sym, SDLMod mod = KMOD_NONE) {
    ASSERT_EQ(PushKey(sym, mod), 0);
    harness.Frame();
  }
  // The text showing in the top layer, which must fit on the screen.
  std::string CornerText() {
    const SpriteList* top = harness.sys()->layers[LayerTop];
    for (int i = 0; i < top->highWater; i++) {
      const Sprite& text = top->sprites[i];
      if (!text.inUse || !text.visible) continue;
      const int left = FixedToPixels(text.x);
      const int right = left + static_cast<int>(std::strlen(text.text)) * harness.sys()->font->advance;
      EXPECT_LE(right, kScreenWidth) << text.text;
      EXPECT_GE(left, kScreenWidth / 2) << "in the right-hand corner";
      return text.text;
    }
    return "";
  }
  KeywordMap* config() { return harness.game()->config; }

  GameHarness harness;
  SoundBank* bank = nullptr;
  SoundBank* saved = nullptr;
};

TEST_F(ComfortsTest, SettingsInRangeAreUsedAndOthersNamedAndLeftAtTheDefault) {
  SetKeyword(config(), "sound_volume", "64");
  SetKeyword(config(), "music_volume", "200");
  const std::string err = OutputOf(stderr, [&] { LoadComforts(harness.sys()); });
  EXPECT_EQ(bank->soundVolume, 64);
  EXPECT_EQ(bank->musicVolume, MIX_MAX_VOLUME);
  EXPECT_NE(err.find("music_volume \"200\""), std::string::npos) << err;
  EXPECT_EQ(err.find("sound_volume"), std::string::npos) << err;

  SetKeyword(config(), "fullscreen", "1");
  OutputOf(stderr, [&] { LoadComforts(harness.sys()); });
  EXPECT_NE(harness.sys()->screen->flags & SDL_FULLSCREEN, 0u) << "the setting asks for the full screen";
  for (const char* bad : {"", "12x", "-1", "129", "loud"}) {
    SetKeyword(config(), "sound_volume", bad);
    SetKeyword(config(), "music_volume", "0");
    OutputOf(stderr, [&] { LoadComforts(harness.sys()); });
    EXPECT_EQ(bank->soundVolume, MIX_MAX_VOLUME) << bad;
    EXPECT_EQ(bank->musicVolume, 0) << "the lowest is a volume too";
  }
}

TEST_F(ComfortsTest, KeysOnAnyScreenChangeTheVolumesShowThemAndSaveThem) {
  LoadComforts(harness.sys());
  harness.Load(MapText(RoomSpec()));
  Press(SDLK_MINUS);
  Press(SDLK_KP_MINUS);
  EXPECT_EQ(bank->soundVolume, MIX_MAX_VOLUME - 2 * kVolumeStep);
  EXPECT_EQ(bank->musicVolume, MIX_MAX_VOLUME - 2 * kVolumeStep);
  EXPECT_STREQ(GetKeyword(config(), "sound_volume"), "96");
  EXPECT_STREQ(GetKeyword(config(), "music_volume"), "96");
  EXPECT_EQ(CornerText(), "Sound 96  Music 96");
  Press(SDLK_a);
  EXPECT_EQ(bank->soundVolume, 96) << "other keys are left alone";
  ASSERT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "the dummy audio driver opens the mixer";
  EXPECT_EQ(Mix_Volume(-1, -1), 96) << "every channel plays at the new volume";

  Press(SDLK_m);
  EXPECT_TRUE(bank->muted);
  EXPECT_EQ(CornerText(), "Sound off");
  EXPECT_EQ(Mix_Volume(-1, -1), 0);
  Press(SDLK_EQUALS);  // plus without shift, and it unmutes
  EXPECT_FALSE(bank->muted);
  for (int i = 0; i < 4; i++) Press(SDLK_KP_PLUS);
  EXPECT_EQ(bank->soundVolume, MIX_MAX_VOLUME) << "never past the mixer's full volume";
  EXPECT_STREQ(GetKeyword(config(), "sound_volume"), "128");

  // Full screen on F11 or Alt with either Enter, and nothing else: Alt+Tab
  // leaves the game for another window.
  const struct {
    SDLKey sym;
    SDLMod mod;
    const char* fullScreen;
  } switches[] = {{SDLK_F11, KMOD_NONE, "1"},      {SDLK_RETURN, KMOD_LALT, "0"}, {SDLK_TAB, KMOD_LALT, "0"},
                  {SDLK_KP_ENTER, KMOD_RALT, "1"}, {SDLK_RETURN, KMOD_NONE, "1"}, {SDLK_F11, KMOD_NONE, "0"}};
  for (const auto& pressed : switches) {
    Press(pressed.sym, pressed.mod);
    const char* kept = GetKeyword(config(), "fullscreen");
    EXPECT_STREQ(kept ? kept : "0", pressed.fullScreen) << SDL_GetKeyName(pressed.sym) << " with mod " << pressed.mod;
    EXPECT_EQ((harness.sys()->screen->flags & SDL_FULLSCREEN) != 0, pressed.fullScreen[0] == '1');
  }
  harness.Frames(kComfortTextFrames);
  EXPECT_EQ(CornerText(), "") << "the text goes after a moment";
  EXPECT_EQ(harness.player().lives, 3) << "the level went on meanwhile";
}

TEST_F(ComfortsTest, KeysOfOnesOwnAreReadByTheirNamesPlayInPlaceOfTheDefaultsAndAreSavedBack) {
  const std::string path = harness.dir().File("keys");
  WriteFile(path, "key_z space\nkey_left\ta\nkey_x no such key\nkey_down  right shift  # the other shift\n");
  LoadKeywordFile(config(), path.c_str());
  const std::string err = OutputOf(stderr, [&] { LoadComforts(harness.sys()); });
  EXPECT_NE(err.find("key_x \"no such key\""), std::string::npos) << err;
  InputState* input = harness.sys()->input;
  EXPECT_EQ(input->keys[ButtonZ], SDLK_SPACE);
  EXPECT_EQ(input->keys[Left], SDLK_a);
  EXPECT_EQ(input->keys[Down], SDLK_RSHIFT);
  EXPECT_EQ(input->keys[ButtonX], SDLK_x) << "a bad name keeps the key";
  EXPECT_EQ(input->keys[Right], SDLK_RIGHT);

  // Through the device seam, as live play reads it.
  SetInputSource(input, nullptr, nullptr);
  SetKey(SDLK_SPACE, true);
  SetKey(SDLK_a, true);
  SetKey(SDLK_RSHIFT, true);
  EXPECT_EQ(ReadRawInput(input), (1u << ButtonZ) | (1u << Left) | (1u << Down));
  SetKey(SDLK_SPACE, false);
  SetKey(SDLK_a, false);
  SetKey(SDLK_RSHIFT, false);
  SetKey(SDLK_z, true);
  EXPECT_EQ(ReadRawInput(input), 0) << "the default key no longer casts";
  SetKey(SDLK_z, false);

  ASSERT_EQ(SaveKeywordFile(config(), path.c_str()), 0);
  EXPECT_NE(ReadFile(path).find("\nkey_down\t\t\t\tright shift\n"), std::string::npos) << ReadFile(path);
}

TEST_F(ComfortsTest, AssistsAndPadButtonsAreReadWithBadValuesNamedAndAButtonSetIsWrittenBack) {
  const std::string path = harness.dir().File("assists");
  WriteFile(path,
            "focus_pause 0\nmagic_marker 1\nbackground_mute yes\npad_up 0\npad_z 31\npad_x 32\npad_c -1\n"
            "pad_right 4x\npad_v none\npad_layout raw\n");
  LoadKeywordFile(config(), path.c_str());
  const std::string err = OutputOf(stderr, [&] { LoadComforts(harness.sys()); });
  const AssistSettings& on = *GetAssists();
  const int d = kPadButtonDefault, none = kPadButtonNone;
  auto flags = [&] { return std::vector<int>{on.focusPause, on.magicMarker, on.backgroundMute, on.padLayoutRaw}; };
  EXPECT_EQ(flags(), (std::vector<int>{0, 1, 0, 1}));
  EXPECT_EQ(std::vector<int>(on.padButtons, on.padButtons + kInputCount),
            (std::vector<int>{0, d, d, d, 31, d, d, none}));
  for (const char* named : {"background_mute \"yes\"", "pad_x \"32\"", "pad_c \"-1\"", "pad_right \"4x\""})
    EXPECT_NE(err.find(named), std::string::npos) << named << " in " << err;
  EXPECT_EQ(err.find("pad_z"), std::string::npos) << err;
  EXPECT_EQ(harness.sys()->input->padChoices, on.padButtons) << "the pad reads the player's buttons";
  EXPECT_EQ((std::vector<int>{GetPadButton(Up, 1), GetPadButton(ButtonX, 1), GetPadButton(ButtonX, 0),
                              GetPadButton(ButtonV, 1), GetPadButton(kInputCount, 1)}),
            (std::vector<int>{0, PadEast, 1, none, none}));
  // Out of range, an input or a button is not set.
  for (const auto& [input, button] :
       {std::pair<int, int>{Left, none}, {Right, 7}, {Down, kMaxPadButton + 1}, {kInputCount, 3}})
    SetPadButton(config(), input, button);
  EXPECT_EQ((std::vector<int>{on.padButtons[Left], on.padButtons[Right], on.padButtons[Down]}),
            (std::vector<int>{none, 7, d}));
  EXPECT_STREQ(GetKeyword(config(), "pad_left"), "none");
  EXPECT_STREQ(GetKeyword(config(), "pad_right"), "7");
  EXPECT_EQ(GetKeyword(config(), "pad_down"), nullptr);
  SetKeyword(config(), "pad_layout", "sideways");
  EXPECT_NE(OutputOf(stderr, [&] { LoadAssists(config()); }).find("\"sideways\""), std::string::npos);
  EXPECT_EQ(flags(), (std::vector<int>{0, 1, 0, 0}));
  LoadAssists(nullptr);
  EXPECT_EQ(flags(), (std::vector<int>{1, 0, 0, 0})) << "the defaults";
}

TEST(WindowScale, TheCommandLineOrTheSettingAsksTheCompatibilityLayerForSharpPixels) {
  GameHarness harness;
  harness.UseGameFolder();
  unsetenv("SDL12COMPAT_WINDOW_SCALING");
  unsetenv("SDL12COMPAT_SCALE_METHOD");
  WriteFile(harness.dir().File("Media/data/config"), "scale\t3\n");
  char name[] = "runeblock", scale[] = "--scale", two[] = "2", other[] = "--other", nine[] = "9";
  char* withTwo[] = {name, other, scale, two};
  PrepareWindow(4, withTwo);
  EXPECT_STREQ(getenv("SDL12COMPAT_WINDOW_SCALING"), "2");
  EXPECT_STREQ(getenv("SDL12COMPAT_SCALE_METHOD"), "nearest");

  unsetenv("SDL12COMPAT_WINDOW_SCALING");
  char* withNine[] = {name, scale, nine};
  const std::string err = OutputOf(stderr, [&] { PrepareWindow(3, withNine); });
  EXPECT_NE(err.find("--scale \"9\""), std::string::npos) << err;
  EXPECT_STREQ(getenv("SDL12COMPAT_WINDOW_SCALING"), "3") << "a bad argument falls back to the setting";

  setenv("SDL12COMPAT_WINDOW_SCALING", "1.5", 1);
  PrepareWindow(4, withTwo);
  EXPECT_STREQ(getenv("SDL12COMPAT_WINDOW_SCALING"), "1.5") << "the player's own variable wins";

  unsetenv("SDL12COMPAT_WINDOW_SCALING");
  WriteFile(harness.dir().File("Media/data/config"), "scale\tbig\n");
  OutputOf(stderr, [&] { PrepareWindow(1, withNine); });
  EXPECT_EQ(getenv("SDL12COMPAT_WINDOW_SCALING"), nullptr) << "no scaling asked for at the default";
  unsetenv("SDL12COMPAT_SCALE_METHOD");

  // The game takes the settings read for the window: the file is read once.
  WriteFile(harness.dir().File("Media/data/config"), "scale	4\nlevel	5\n");
  KeywordMap* taken = TakeSettings();
  EXPECT_STREQ(GetKeyword(taken, "scale"), "big");
  DestroyKeywordMap(taken);
  taken = TakeSettings();
  EXPECT_STREQ(GetKeyword(taken, "level"), "5") << "nothing read early: the file is read now";
  DestroyKeywordMap(taken);
  std::remove(harness.dir().File("Media/data/config").c_str());
  PrepareWindow(1, withNine);
  const std::string missing = OutputOf(stderr, [] { DestroyKeywordMap(TakeSettings()); });
  EXPECT_NE(missing, "");
  EXPECT_EQ(missing, OutputOf(stderr, [] { DestroyKeywordMap(TakeSettings()); }))
      << "a missing file is told once, as when it is read late";
  unsetenv("SDL12COMPAT_WINDOW_SCALING");
  unsetenv("SDL12COMPAT_SCALE_METHOD");
}

TEST(PadLayout, TheStandardLayoutIsAskedForBeforeTheJoystickStartsUnlessThePlayerSaidOtherwise) {
  GameHarness harness;
  harness.UseGameFolder();
  constexpr char kVariable[] = "SDL12COMPAT_USE_GAME_CONTROLLERS";
  char name[] = "runeblock";
  char* args[] = {name};
  unsetenv(kVariable);
  WriteFile(harness.dir().File("Media/data/config"), "pad_layout\traw\n");
  PrepareWindow(1, args);
  EXPECT_EQ(getenv(kVariable), nullptr) << "the raw layout keeps the maker's numbers";
  WriteFile(harness.dir().File("Media/data/config"), "level\t2\n");
  PrepareWindow(1, args);
  EXPECT_STREQ(getenv(kVariable), "1");
  setenv(kVariable, "0", 1);
  PrepareWindow(1, args);
  EXPECT_STREQ(getenv(kVariable), "0") << "the player's own value wins";
  DestroyKeywordMap(TakeSettings());
  unsetenv(kVariable);
}

}  // namespace
