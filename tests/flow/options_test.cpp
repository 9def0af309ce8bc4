// The options screen driven as a player drives it: inputs through the
// input seam, key presses onto SDL's queue, pad buttons in the pad's state;
// every change must reach the game at once and the file saved on leaving
// must load as the game has always loaded it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "config/keyword_map.h"
#include "engine/scene.h"
#include "flow/assists.h"
#include "flow/comforts.h"
#include "flow/options_screen.h"
#include "frontend/front_state.h"
#include "frontend/title_menu.h"
#include "graphics/font.h"
#include "graphics/sprite.h"
#include "sound/sound_bank.h"
#include "support/game_harness.h"

namespace {

// One thing the player does: hold inputs, press a key or press a pad button
// for one frame, then let go for one.
struct Step {
  uint8_t inputs = 0;
  SDLKey key = SDLK_UNKNOWN;
  int padButton = -1;
};
Step In(uint8_t bits) { return {bits, SDLK_UNKNOWN, -1}; }
Step Key(SDLKey key) { return {0, key, -1}; }
Step Pad(int button) { return {0, SDLK_UNKNOWN, button}; }
int InputRow(int input) { return OptFirstInput + input; }
std::vector<Step> Repeat(int times, Step step) { return std::vector<Step>(times, step); }

class OptionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.UseGameFolder();
    bank = CreateSoundBank(4);
    saved = sys->sound;
    sys->sound = bank;
    LoadAssists(nullptr);
    harness.script = [this]() -> uint8_t {
      const Step* step = StepAt(sys->timer.frameCount);
      for (int b = 0; b < 32; b++) sys->input->padDown[b] = step && step->padButton == b;
      return step ? step->inputs : 0;
    };
    harness.watch = [this] {
      // Seen by the next frame's poll of the events.
      if (const Step* next = StepAt(sys->timer.frameCount + 1); next && next->key != SDLK_UNKNOWN) PushKey(next->key);
      if (sys->timer.frameCount > 4 * steps.size() + 100) sys->quit = 1;  // a screen that never ends
    };
  }
  void TearDown() override {
    SetSceneKeyHook(nullptr);
    sys->sound = saved;
    DestroySoundBank(bank);
    LoadAssists(nullptr);
  }
  // Step i acts in frame 2i + 1.
  const Step* StepAt(uint32_t frame) const {
    if (frame % 2 == 0) return nullptr;
    const size_t i = frame / 2;
    return i < steps.size() ? &steps[i] : nullptr;
  }
  void Then(std::vector<Step> more) { steps.insert(steps.end(), more.begin(), more.end()); }
  // Steps anew: down from the top to Z's row, then these.
  void FromZsRow(std::vector<Step> more) {
    steps = Repeat(InputRow(ButtonZ), In(kDown));
    Then(more);
  }
  // Shows the screen until it is left, or until the steps run out and a guard quits it.
  void Run(bool left = true) {
    sys->quit = 0;
    ShowOptions(sys);
    EXPECT_EQ(sys->quit, left ? 0 : 1) << (left ? "the screen was left, not quit" : "left only by the guard");
  }
  std::string Saved() const { return ReadFile(harness.dir().File("Media/data/config")); }
  std::string Status() const { return TheOptionsScreen()->status; }
  std::string Shown(int row, int column) {
    char text[64];
    FormatOptionText(sys, row, column, text, sizeof text);
    return text;
  }
  KeywordMap* config() { return harness.game()->config; }

  GameHarness harness;
  System* sys = harness.sys();
  SoundBank* bank = nullptr;
  SoundBank* saved = nullptr;
  std::vector<Step> steps;
};

TEST_F(OptionsTest, EveryEntryChangesItsSettingAtOnceAndTheFileSavedLoadsAsBefore) {
  SetKeyword(config(), "level", "5");
  SetKeyword(config(), "my_own_key", "kept as it was");
  // Sound down twice, music down once, full screen, the scale up and past
  // the largest, every assist switched, and back.
  Then(Repeat(2, In(kLeft)));
  Then({In(kDown), In(kLeft), In(kDown), In(kZ), In(kDown)});
  Then(Repeat(kMaxWindowScale + 1, In(kRight)));
  Then(Repeat(OptFocusPause - OptScale, In(kDown)));
  Then({In(kZ), In(kDown), In(kRight), In(kDown), In(kLeft), In(kDown), In(kZ)});
  Run();
  EXPECT_EQ(TheOptionsScreen()->row, OptBack);
  EXPECT_EQ(bank->soundVolume, MIX_MAX_VOLUME - 2 * kVolumeStep) << "heard at once";
  EXPECT_EQ(bank->musicVolume, MIX_MAX_VOLUME - kVolumeStep);
  const AssistSettings* assists = GetAssists();
  EXPECT_EQ(assists->focusPause, 0);
  EXPECT_EQ(assists->magicMarker, 1);
  EXPECT_EQ(assists->backgroundMute, 1);

  EXPECT_EQ(Shown(OptMarker, 0), "on");
  EXPECT_EQ(Shown(OptFocusPause, 0), "off");
  EXPECT_EQ(Shown(OptMusic, 0), "112");
  for (int row : {-1, int{kOptionsRows}, int{OptBack}})
    for (int column : {-1, 0, 1}) EXPECT_EQ(Shown(row, column), row == OptBack && column < 0 ? "Back" : "") << row;

  const std::string file = Saved();
  for (const char* line : {"sound_volume\t\t\t\t96\n", "music_volume\t\t\t\t112\n", "fullscreen\t\t\t\t1\n",
                           "scale\t\t\t\t4\n", "focus_pause\t\t\t\t0\n", "magic_marker\t\t\t\t1\n",
                           "background_mute\t\t\t\t1\n", "level\t\t\t\t5\n", "my_own_key\t\t\t\tkept as it was\n"})
    EXPECT_NE(file.find(line), std::string::npos) << line << " in\n" << file;

  // The game as it starts: the file read, every setting taken without a word.
  KeywordMap* loaded = CreateKeywordMap(256);
  ASSERT_EQ(LoadKeywordFile(loaded, harness.dir().File("Media/data/config").c_str()), 0);
  KeywordMap* own = config();
  harness.game()->config = loaded;
  LoadAssists(nullptr);
  const std::string err = OutputOf(stderr, [&] { LoadComforts(sys); });
  EXPECT_EQ(err, "");
  EXPECT_EQ(bank->soundVolume, 96);
  EXPECT_EQ(GetAssists()->magicMarker, 1);
  EXPECT_EQ(Shown(OptScale, 0), "4x");
  EXPECT_EQ(Shown(OptFullScreen, 0), "on");
  harness.game()->config = own;
  DestroyKeywordMap(loaded);

  // Z past the largest scale comes round to the smallest.
  steps.clear();
  Then({In(kDown), In(kUp), In(kDown), In(kDown), In(kDown), In(kZ), In(kX)});
  Run();
  EXPECT_NE(Saved().find("scale\t\t\t\t1\n"), std::string::npos) << Saved();
}

// Every text on the screen, the bar under the value it chooses, after the
// cursor went round every row and into the pad column.
TEST_F(OptionsTest, EveryTextFitsItsRowAndTheBarLiesUnderTheChosenValue) {
  const int advance = sys->font->advance, height = sys->font->glyphHeight;
  auto check = [&](int row, int column) {
    const OptionsScreen* screen = TheOptionsScreen();
    int lastBottom = 0;
    for (int r = 0; r < kOptionsRows; r++) {
      const Sprite* label = screen->labels[r];
      ASSERT_NE(label, nullptr) << r;
      const int y = FixedToPixels(label->y), labelEnd = FixedToPixels(label->x) + int(strlen(label->text)) * advance;
      EXPECT_GE(y, lastBottom) << "row " << r << " below the one before";
      EXPECT_LE(y + height, kScreenHeight);
      lastBottom = y + height;
      int valueStart = labelEnd;
      for (int c = 0; c < 2; c++) {
        const Sprite* value = screen->values[r][c];
        if (!value) continue;
        EXPECT_EQ(FixedToPixels(value->y), y) << r;
        EXPECT_GT(FixedToPixels(value->x), valueStart) << "row " << r << " column " << c;
        valueStart = FixedToPixels(value->x) + 12 * advance;  // a value's room
        EXPECT_LE(valueStart, kScreenWidth);
      }
    }
    const Sprite* chosen = screen->values[row][column] ? screen->values[row][column] : screen->labels[row];
    const int bx = FixedToPixels(screen->bar->x), by = FixedToPixels(screen->bar->y);
    if (chosen != screen->labels[row]) {
      EXPECT_LE(bx, FixedToPixels(chosen->x));
      EXPECT_GE(bx + 156, FixedToPixels(chosen->x) + 12 * advance);
    }
    EXPECT_LE(by, FixedToPixels(chosen->y));
    EXPECT_GE(by + 20, FixedToPixels(chosen->y) + height);
    const Sprite* status = screen->statusLine;
    EXPECT_GT(FixedToPixels(status->y), lastBottom - height) << "under the rows";
    EXPECT_GE(FixedToPixels(status->x), 0);
    EXPECT_LE(FixedToPixels(status->x) + int(strlen(status->text)) * advance, kScreenWidth) << status->text;
  };
  Then(Repeat(kOptionsRows - 1, In(kDown)));
  Then(Repeat(4, In(0)));  // the bar's glide ends
  Then(Repeat(kOptionsRows - InputRow(ButtonV), In(kUp)));
  Then({In(kRight), In(kDown)});
  const uint32_t settled = 2 * steps.size() + 10;
  const auto watch = harness.watch;
  harness.watch = [&] {
    watch();
    if (sys->timer.frameCount == 2 * (kOptionsRows - 1) + 8) check(OptBack, 0);
    if (sys->timer.frameCount == settled) {
      check(InputRow(ButtonV), OptPadColumn);
      sys->quit = 1;
    }
  };
  Run(false);
  EXPECT_EQ(TheOptionsScreen()->row, InputRow(ButtonV));
}

TEST_F(OptionsTest, AKeyIsBoundByPressingItRefusedWhenTheGameKeepsItAndSwappedWhenTaken) {
  InputState* input = sys->input;
  SetSceneKeyHook(HandleComfortKey);
  // Escape is refused and the screen still waits, Escape does not quit.
  FromZsRow({In(kZ), Key(SDLK_ESCAPE)});
  Run(false);
  EXPECT_EQ(TheOptionsScreen()->waiting, OptWaitKey);
  EXPECT_EQ(Status(), "escape is kept for the game");
  EXPECT_EQ(input->keyCapture, 0) << "the next screen quits on Escape again";
  EXPECT_EQ(input->keys[ButtonZ], SDLK_z);

  // F11 and a volume key refused, space taken; then x, which X had: swapped.
  FromZsRow({In(kRight), In(kLeft), In(kZ), Key(SDLK_F11), Key(SDLK_KP_MINUS), Key(SDLK_SPACE)});
  Then({In(kZ), Key(SDLK_x), In(kV)});
  Run(false);
  EXPECT_EQ(input->keys[ButtonZ], SDLK_x);
  EXPECT_EQ(input->keys[ButtonX], SDLK_SPACE) << "X took Z's key";
  EXPECT_EQ(Status(), "Z is now x, X took space");
  EXPECT_EQ(bank->soundVolume, MIX_MAX_VOLUME) << "the refused volume key did nothing";
  EXPECT_STREQ(GetKeyword(config(), "key_z"), "x");
  EXPECT_STREQ(GetKeyword(config(), "key_x"), "space");
  EXPECT_EQ(Shown(InputRow(ButtonX), OptKeyColumn), "space");
  // The first input's key is found as well: Up takes Z's x.
  FromZsRow({In(kZ), Key(SDLK_UP), In(kV)});
  Run(false);
  EXPECT_EQ(input->keys[ButtonZ], SDLK_UP);
  EXPECT_EQ(input->keys[Up], SDLK_x);
  // And back, so that X leaves from space below.
  FromZsRow({In(kZ), Key(SDLK_x), In(kV)});
  Run(false);

  // X now leaves from space; the file keeps the keys by name.
  steps.clear();
  Then({In(kX)});
  Run();
  EXPECT_NE(Saved().find("key_x\t\t\t\tspace\n"), std::string::npos) << Saved();
  EXPECT_NE(Saved().find("key_z\t\t\t\tx\n"), std::string::npos) << Saved();
}

TEST_F(OptionsTest, APadButtonIsBoundByPressingItAndSwappedWhenAnotherInputHadIt) {
  ASSERT_EQ(sys->input->joystick, nullptr);
  FromZsRow({In(kRight), In(kZ), Pad(PadStart)});
  EXPECT_EQ(GetPadButton(ButtonZ, 1), PadSouth);
  // C's west is given to Z: C takes Z's start. A key cancels a wait.
  Then({In(kZ), Pad(PadWest), In(kDown), In(kDown), In(kZ), Key(SDLK_a), In(kX)});
  Run();
  EXPECT_EQ(GetPadButton(ButtonZ, 1), PadWest);
  EXPECT_EQ(GetPadButton(ButtonC, 1), PadStart);
  EXPECT_EQ(Status(), "No change") << "a key ended C's wait";
  EXPECT_EQ(Shown(InputRow(ButtonC), OptPadColumn), "start");
  EXPECT_NE(Saved().find("pad_z\t\t\t\t2\n"), std::string::npos) << Saved();
  EXPECT_NE(Saved().find("pad_c\t\t\t\t6\n"), std::string::npos) << Saved();
  EXPECT_EQ(Saved().find("pad_v"), std::string::npos) << Saved();
  // The pad plays by it: west casts, Start no longer pauses but gives C.
  uint8_t down[kStandardPadButtons] = {};
  down[PadWest] = 1;
  EXPECT_EQ(PadButtonMask(GetAssists()->padButtons, 1, down, kStandardPadButtons), 1u << ButtonZ);
  down[PadWest] = 0;
  down[PadSouth] = 1;
  EXPECT_EQ(PadButtonMask(GetAssists()->padButtons, 1, down, kStandardPadButtons), 0);
}

TEST_F(OptionsTest, OOnTheTitleOpensTheScreenAtOnceButNotOnceAnEntryIsChosen) {
  FrontState* front = TheFrontState();
  *front = FrontState{};
  front->sysBitmaps = harness.game()->sysBitmaps;
  steps.clear();
  harness.script = nullptr;
  harness.watch = [this] {
    if (sys->timer.frameCount == 3) PushKey(SDLK_o);
  };
  ShowTitleMenu(sys);
  EXPECT_EQ(front->menuChoice, MenuOptions);
  EXPECT_EQ(sys->timer.frameCount, 4u) << "the frame that saw O";
  EXPECT_EQ(sys->input->typedKey, SDLK_UNKNOWN) << "the title took the key";

  // Chosen with Z in frame 1: the O that follows cannot take the choice back.
  harness.script = [this]() -> uint8_t { return sys->timer.frameCount == 1 ? kZ : 0; };
  ShowTitleMenu(sys);
  EXPECT_EQ(front->menuChoice, MenuStart);
}

}  // namespace
