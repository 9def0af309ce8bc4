// The front-end screens on the shared harness, in a game folder of their
// own: keys held on a screen's frames, Escape at a frame, and what each
// sprite of the screens' layer shows. The name entry's input delay outlives
// a screen by design, so a test that quits it must not leave a key pressed.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/scene.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "support/game_harness.h"

// What a sprite shows and where, in whole pixels: "#150 0,0" for bitmap
// frame 150, "'Start' 280,240" for a text; "hidden" or "free" when not drawn.
inline std::string Look(const Sprite& s) {
  if (!s.inUse) return "free";
  if (!s.visible) return "hidden";
  std::string look = s.kind == KindText ? std::string("'").append(s.text).append("'")
                                        : std::string("#").append(std::to_string(s.frame));
  return look.append(" ")
      .append(std::to_string(FixedToPixels(s.x)))
      .append(",")
      .append(std::to_string(FixedToPixels(s.y)));
}

class ScreenTest : public testing::Test {
 protected:
  using Screen = SceneCallback;  // a screen is known by its layer-2 callback

  void SetUp() override {
    harness.UseGameFolder();
    harness.script = [this]() -> uint8_t {
      if (keysUp) return 0;
      const auto found = keys.find({sys->updateLayer[2], sys->timer.frameCount});
      return found == keys.end() ? 0 : found->second;
    };
    harness.watch = [this] {
      if (watch) watch(sys->timer.frameCount);
      for (const auto& [screen, frame] : escapes)
        if (screen == sys->updateLayer[2] && frame == sys->timer.frameCount + 1) PushEscape();
    };
  }

  // Keys held in frames `first` to `last` of a screen.
  void Hold(Screen screen, uint32_t first, uint32_t last, uint8_t bits) {
    for (uint32_t f = first; f <= last; f++) keys[{screen, f}] |= bits;
  }
  void Hold(Screen screen, uint32_t frame, uint8_t bits) { Hold(screen, frame, frame, bits); }
  // Escape seen by the event poll at the start of that frame.
  void EscapeAt(Screen screen, uint32_t frame) { escapes.push_back({screen, frame}); }
  // A poll that sees every key up, as the screens between two menus make.
  void ReleaseKeys() {
    keysUp = true;
    PollInput(sys->input);
    keysUp = false;
  }
  Sprite* Slot(int index) const { return &sys->layers[2]->sprites[index]; }
  std::vector<std::string> Looks(int first, int last) const {
    std::vector<std::string> looks;
    for (int i = first; i <= last; i++) looks.push_back(Look(*Slot(i)));
    return looks;
  }
  // The screen left nothing behind on its layer or in the scene hooks.
  void ExpectCleanedUp() const {
    EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
    EXPECT_EQ(sys->updateLayer[2], nullptr);
    EXPECT_EQ(sys->preUpdate, nullptr);
    EXPECT_EQ(sys->drawBackground, nullptr);
  }

  GameHarness harness;
  System* sys = harness.sys();
  GameState* game = harness.game();
  std::map<std::pair<Screen, uint32_t>, uint8_t> keys;
  std::vector<std::pair<Screen, uint32_t>> escapes;
  std::function<void(uint32_t frame)> watch;  // after every pass
  bool keysUp = false;
  const std::string scorePath = "Media/data/sc";
};
