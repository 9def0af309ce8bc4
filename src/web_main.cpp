// Program entry of the browser build: the desktop's start and end, a frame
// clock that hands the browser every frame, settings written once they
// change (a page is closed, not quit) and a probe the page reads.
#include <emscripten.h>

#include <cstdio>
#include <initializer_list>

#include "config/keyword_map.h"
#include "engine/present.h"
#include "engine/scene.h"
#include "engine/system.h"
#include "flow/comforts.h"
#include "flow/game_resources.h"
#include "game/game_state.h"
#include "graphics/sprite.h"
#include "input/input.h"
#include "platform/web/web_sdl.h"
#include "sound/sound_bank.h"

namespace {

// The game the page talks to: main sets `running` once the system has
// started and clears it before the system goes.
struct PageLink {
  System* running;
  char probeText[256];  // ProbeGame's answer, written anew by each call
};
PageLink page = {nullptr, {}};

// The scene loop blocks; the browser only draws and delivers keys while it
// sleeps. A late frame does not wait, so the clock gives way when read
// after a frame that did not. Counted for the whole page, never reset (main
// sets the first wokeAt).
struct FrameWork {
  int waited;
  double wokeAt;  // ms, when the loop last got control back
  double totalMs;
  int frames, lateFrames;
};
FrameWork work = {1, 0, 0, 0, 0};

uint32_t ReadWebTicks(void*) {
  if (!work.waited) {
    work.lateFrames += 1;
    emscripten_sleep(0);
    work.wokeAt = emscripten_get_now();
  }
  work.waited = 0;
  return SDL_GetTicks();
}

void WaitWebFrame(void*, uint32_t ms) {
  const double spent = emscripten_get_now() - work.wokeAt;
  if (spent < 1000) {  // not the pause before the title
    work.totalMs += spent;
    work.frames += 1;
  }
  emscripten_sleep(ms);
  work.waited = 1;
  work.wokeAt = emscripten_get_now();
}

constexpr int kSettingsCheckPasses = 30;

// What SaveChangedSettings last saw, for the whole page: nothing resets it.
struct SettingsWatch {
  int passes;      // scene passes since the game started
  uint64_t saved;  // hash of the settings last checked; 0 = none yet
};
SettingsWatch settingsWatch = {0, 0};

uint64_t HashSettings(const KeywordMap* config) {
  uint64_t hash = 1469598103934665603ull;
  for (int i = 0; config && i < config->capacity; i++)
    for (const char* text : {config->keys[i], config->values[i]})
      for (const char* c = text ? text : "";; c++) {
        hash = (hash ^ static_cast<uint8_t>(*c)) * 1099511628211ull;
        if (!*c) break;
      }
  return hash;
}

void SaveChangedSettings(System* sys, void*) {
  const KeywordMap* config = GameSettings(sys);
  if (!config || ++settingsWatch.passes % kSettingsCheckPasses != 0) return;
  const uint64_t now = HashSettings(config);
  if (settingsWatch.saved != 0 && now != settingsWatch.saved) SaveKeywordFile(config, kConfigPath);
  settingsWatch.saved = now;
}

EM_JS(void, ShowGameEnded, (), {
  if (Module.onGameEnded) Module.onGameEnded();
});

}  // namespace

// What the page shows and its test checks: the level, whether one is being
// played, where the player is, the frames waited for and the time they
// worked (ms, all told), and the sound volume.
extern "C" EMSCRIPTEN_KEEPALIVE const char* ProbeGame() {
  const GameState* game = page.running ? page.running->game : nullptr;
  const Player* player = game ? &game->player : nullptr;
  // Between attempts the player's sprite is the lives screen's icon; in play
  // it is one of the world's.
  const SpriteList* world = page.running ? page.running->layers[LayerWorld] : nullptr;
  const int playing = player && world && player->sprite && player->sprite->inUse && player->sprite >= world->sprites &&
                      player->sprite < world->sprites + world->capacity;
  std::snprintf(page.probeText, sizeof page.probeText,
                "{\"level\":%d,\"playing\":%d,\"x\":%d,\"y\":%d,\"frames\":%d,\"lateFrames\":%d,"
                "\"workMs\":%.3f,\"soundVolume\":%d}",
                game ? game->level + 1 : 0, playing, player ? FixedToPixels(player->x) : 0,
                player ? FixedToPixels(player->y) : 0, work.frames, work.lateFrames, work.totalMs,
                page.running && page.running->sound ? page.running->sound->soundVolume : -1);
  return page.probeText;
}

// The key the player bound to input i (0 Up ... 7 V), which the page's touch
// buttons press; 0 before the game has started or out of range.
extern "C" EMSCRIPTEN_KEEPALIVE int InputKey(int input) {
  if (!page.running || !page.running->input || input < 0 || input >= kInputCount) return 0;
  return page.running->input->keys[input];
}

int main(int argc, char** argv) {
  StartWebPlatform();
  const FrameClock clock = {ReadWebTicks, WaitWebFrame, nullptr};
  SetFrameClock(&clock);
  work.wokeAt = emscripten_get_now();
  // The browser's SDL draws straight onto the page's canvas: there is no
  // copy of the screen to hand over part by part.
  SetPartialPresentation(0);
  PrepareWindow(argc, argv);
  System* sys = StartSystem();
  if (!sys) return 1;
  page.running = sys;
  AddScenePassHook(SaveChangedSettings, nullptr);
  RunGame(sys);
  RemoveScenePassHook(SaveChangedSettings, nullptr);
  page.running = nullptr;
  DestroySystem(sys);
  ShowGameEnded();
  return 0;
}
