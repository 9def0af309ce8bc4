// Runs front-end screens on real scene frames: a fake clock, a headless
// System on the zeroed game state, scripted keys per screen and frame, and a
// score file in a temporary folder. The name entry's input delay outlives a
// screen by design, so a test that quits it must not leave a key pressed.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "engine/scene.h"
#include "frontend/high_scores.h"
#include "game/game_state.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "sound/sound_bank.h"
#include "support/test_system.h"

inline uint8_t Bit(int input) { return static_cast<uint8_t>(1u << input); }

// What a sprite shows and where, in whole pixels: "#150 0,0" for bitmap
// frame 150, "'Start' 280,240" for a text; "hidden" or "free" when not drawn.
inline std::string Look(const Sprite& s) {
  if (!s.inUse) return "free";
  if (!s.visible) return "hidden";
  const std::string what = s.kind == KindText ? "'" + std::string(s.text) + "'" : "#" + std::to_string(s.frame);
  return what + " " + std::to_string(FixedToPixels(s.x)) + "," + std::to_string(FixedToPixels(s.y));
}

class FrontendTest : public testing::Test {
 protected:
  static constexpr uint32_t kRunawayFrames = 5000;

  void SetUp() override {
    clock.Install();
    SDL_Event stale;
    while (SDL_PollEvent(&stale)) {
    }
    game = TheGameState();
    *game = GameState{};
    sys->game = game;
    SetInputSource(sys->input, ScriptedBits, this);
    SetSoundObserver(RecordSound, this);
    SetScenePassHook(AfterPass, this);
    SetScoreFilePath(ScorePath().c_str());
  }
  void TearDown() override {
    SetScenePassHook(nullptr, nullptr);
    SetSoundObserver(nullptr, nullptr);
    SetScoreFilePath(nullptr);
    FakeClock::Uninstall();
  }

  // Keys held in one frame of the screen whose layer-2 callback is `screen`
  // (null for screens without one).
  void Hold(SceneCallback screen, uint32_t frame, uint8_t bits) { script[{screen, frame}] |= bits; }
  void Hold(SceneCallback screen, uint32_t first, uint32_t last, uint8_t bits) {
    for (uint32_t f = first; f <= last; f++) Hold(screen, f, bits);
  }
  // Escape seen by the event poll at the start of that frame.
  void EscapeAt(SceneCallback screen, uint32_t frame) { escapes.push_back({screen, frame}); }
  // A poll that sees every key up, as the screens between two menus make.
  void ReleaseKeys() {
    keysUp = true;
    PollInput(sys->input);
    keysUp = false;
  }
  void PushEscapeNow() {
    SDL_Event event{};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = SDLK_ESCAPE;
    SDL_PushEvent(&event);
  }
  // Runs after every pass of that screen's frames, before the scene may end.
  void Watch(std::function<void(uint32_t frame)> watcher) { watch = std::move(watcher); }

  std::string ScorePath() const { return dir.File("sc"); }
  Sprite* Slot(int index) const { return &sys->layers[2]->sprites[index]; }
  std::vector<std::string> Looks(int first, int last) const {
    std::vector<std::string> looks;
    for (int i = first; i <= last; i++) looks.push_back(Look(*Slot(i)));
    return looks;
  }
  int Sounds(int slot) const {
    int n = 0;
    for (int s : sounds) n += s == slot;
    return n;
  }

  FakeClock clock;
  TestSystem sys;
  TempDir dir;
  GameState* game = nullptr;
  std::vector<int> sounds;
  std::map<std::pair<SceneCallback, uint32_t>, uint8_t> script;
  std::vector<std::pair<SceneCallback, uint32_t>> escapes;
  std::function<void(uint32_t)> watch;
  bool keysUp = false;

 private:
  static uint8_t ScriptedBits(InputState*, void* context) {
    auto* self = static_cast<FrontendTest*>(context);
    if (self->keysUp) return 0;
    const auto found = self->script.find({self->sys->updateLayer[2], self->sys->timer.frameCount});
    return found == self->script.end() ? 0 : found->second;
  }
  static void RecordSound(int slot, void* context) { static_cast<FrontendTest*>(context)->sounds.push_back(slot); }
  static void AfterPass(System* sys, void* context) {
    auto* self = static_cast<FrontendTest*>(context);
    if (self->watch) self->watch(sys->timer.frameCount);
    // A screen that never ends fails its test instead of hanging the suite.
    if (sys->timer.frameCount > kRunawayFrames && !sys->quit) {
      ADD_FAILURE() << "scene still running after " << kRunawayFrames << " frames";
      sys->quit = 1;
    }
    // The next frame's event poll finds the Escape, as a real key press.
    for (const auto& [screen, frame] : self->escapes) {
      if (screen == sys->updateLayer[2] && frame == sys->timer.frameCount + 1) self->PushEscapeNow();
    }
  }
};
