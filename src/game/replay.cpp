#include "game/replay.h"

#include <cstring>
#include <initializer_list>

#include "engine/frame_timer.h"
#include "engine/scene.h"
#include "game/level_attempt.h"
#include "game/state_hash.h"
#include "input/input.h"
#include "sound/sound_bank.h"

namespace {

constexpr int kMaxPassSounds = 64;

struct ReplayState {
  const Recording* recording;
  const ReplayObserver* observer;
  size_t pass;  // index of the pass being played
  bool inSetUp;
  bool ranOut;
  int sounds[kMaxPassSounds];
  int soundCount;
};

uint8_t ReplaySource(InputState*, void* context) {
  auto* state = static_cast<ReplayState*>(context);
  if (state->inSetUp) return state->recording->start.setupInput;
  return state->pass < state->recording->inputCount ? state->recording->inputs[state->pass] : 0;
}

void RecordSound(int slot, void* context) {
  auto* state = static_cast<ReplayState*>(context);
  if (state->soundCount < kMaxPassSounds) state->sounds[state->soundCount++] = slot;
}

void AfterPass(System* sys, void* context) {
  auto* state = static_cast<ReplayState*>(context);
  state->pass += 1;
  if (state->observer && state->observer->afterPass)
    state->observer->afterPass(sys, static_cast<int>(state->pass), state->sounds, state->soundCount,
                               state->observer->context);
  state->soundCount = 0;
  if (!sys->sceneEnd && state->pass >= state->recording->inputCount) {
    state->ranOut = true;
    sys->sceneEnd = 1;
  }
}

// A clock that never makes the loop wait: replays run at full speed. Its time
// runs on from replay to replay, never reset: the frame timer reads only its steps.
struct InstantClock {
  uint32_t now;  // ms
};
InstantClock instantClock = {0};
uint32_t InstantTicks(void*) { return instantClock.now; }
void InstantDelay(void*, uint32_t ms) { instantClock.now += ms; }

}  // namespace

void SetUpReplayAttempt(System* sys, const AttemptStart* start, const char* mapPath) {
  GameState* game = sys->game;
  ClearAllScenes(sys);
  game->world = sys->layers[LayerWorld];
  std::memset(game->fireballs, 0, sizeof(game->fireballs));
  ApplyAttemptStart(sys, start);
  if (mapPath)
    std::snprintf(game->mapPath, sizeof game->mapPath, "%s", mapPath);
  else
    std::snprintf(game->mapPath, sizeof game->mapPath, "%.1000smap%d.map", game->mapDir, game->level + 1);
  game->levelCleared = 0;
  SetUpLevelAttempt(sys);
}

void RunReplay(System* sys, const Recording* recording, const ReplayObserver* observer, ReplayOutcome* outcome) {
  GameState* game = sys->game;
  ReplayState state{};
  state.recording = recording;
  state.observer = observer;
  state.inSetUp = true;

  const FrameClock savedClock = CurrentFrameClock();
  const FrameClock instant = {InstantTicks, InstantDelay, nullptr};
  const bool headless = !observer || !observer->realTime;
  const int savedPresentation = GetFramePresentation();
  if (headless) {
    SetFrameClock(&instant);
    SetFramePresentation(0);
  }
  InputSource savedSource = sys->input->source;
  void* savedContext = sys->input->sourceContext;
  SetInputSource(sys->input, ReplaySource, &state);
  SetSoundObserver(RecordSound, &state);

  SetUpReplayAttempt(sys, &recording->start, nullptr);
  state.inSetUp = false;
  if (observer && observer->afterPass) observer->afterPass(sys, 0, state.sounds, state.soundCount, observer->context);
  state.soundCount = 0;

  if (recording->inputCount > 0) {
    AddScenePassHook(AfterPass, &state);
    RunScene(sys);
    RemoveScenePassHook(AfterPass, &state);
  } else {
    state.ranOut = true;
  }

  outcome->frames = static_cast<int>(state.pass);
  outcome->result = sys->quit            ? ReplayQuit
                    : game->levelCleared ? ReplayCleared
                    : state.ranOut       ? ReplayRanOut
                                         : ReplayDied;
  outcome->life = game->player.life;
  outcome->lives = game->player.lives;
  outcome->score = game->player.score;
  outcome->itemsTaken = game->itemsTaken;
  outcome->itemsTotal = game->itemsTotal;
  outcome->checksum = GameStateChecksum(sys);

  ClearAllScenes(sys);
  SetSoundObserver(nullptr, nullptr);
  SetInputSource(sys->input, savedSource, savedContext);
  SetFrameClock(&savedClock);
  SetFramePresentation(savedPresentation);
}
