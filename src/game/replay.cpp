#include "game/replay.h"

#include <cinttypes>
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

// A clock that never makes the loop wait: replays run at full speed.
uint32_t instantNow = 0;
uint32_t InstantTicks(void*) { return instantNow; }
void InstantDelay(void*, uint32_t ms) { instantNow += ms; }

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
    SetScenePassHook(AfterPass, &state);
    RunScene(sys);
    SetScenePassHook(nullptr, nullptr);
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
  SetFramePresentation(1);
}

void WriteTraceRecord(FILE* out, const System* sys, int f, const int* sounds, int soundCount) {
  const GameState* g = sys->game;
  const Player& p = g->player;
  std::fprintf(out,
               "{\"f\":%d,\"player\":{\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"state\":%d,\"onGround\":%d,\"facing\":%d,"
               "\"life\":%d,\"lives\":%d,\"magic\":%d,\"fireBonus\":%d,\"actionTimer\":%d,\"crouching\":%d,"
               "\"dying\":%d,\"deathTimer\":%d,\"clearTimer\":%d,\"score\":%d}",
               f, p.x, p.y, p.vx, p.vy, p.state, p.onGround, p.facing, p.life, p.lives, p.magic, p.fireBonus,
               p.actionTimer, p.crouching, p.dying, p.deathTimer, p.clearTimer, p.score);
  const Sprite* ps = p.sprite;
  std::fprintf(out, ",\"psprite\":{\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"frame\":%d,\"visible\":%d}", ps ? ps->x : 0,
               ps ? ps->y : 0, ps ? ps->vx : 0, ps ? ps->vy : 0, ps ? ps->frame : 0, ps ? ps->visible : 0);
  std::fprintf(out, ",\"camera\":[%d,%d]", g->world ? g->world->cameraX : 0, g->world ? g->world->cameraY : 0);
  std::fputs(",\"tiles\":[", out);
  for (int n = 0; n < kGridSize * kGridSize; n++) {
    const Sprite* tile = g->tiles[n % kGridSize][n / kGridSize];
    std::fprintf(out, n ? ",%d" : "%d", tile ? tile->frame : 0);
  }
  std::fputs("],\"enemies\":[", out);
  bool first = true;
  for (int i = 0; i < kEnemySlots; i++) {
    const Enemy& e = g->enemies[i];
    if (e.type == 0) continue;
    const Sprite* s = e.sprite;
    std::fprintf(out,
                 "%s{\"slot\":%d,\"type\":%d,\"dir\":%d,\"speed\":%d,\"wait\":%d,\"cooldown\":%d,\"airborne\":%d,"
                 "\"alert\":%d,\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"frame\":%d,\"life\":%d}",
                 first ? "" : ",", i, e.type, e.dir, e.speed, e.wait, e.cooldown, e.airborne, e.alert, s ? s->x : 0,
                 s ? s->y : 0, s ? s->vx : 0, s ? s->vy : 0, s ? s->frame : 0, s ? s->life : 0);
    first = false;
  }
  std::fputs("],\"spawners\":[", out);
  for (int i = 0; i < g->spawnerCount; i++) {
    const EnemySpawner& s = g->spawners[i];
    std::fprintf(out, "%s{\"type\":%d,\"countdown\":%d,\"x\":%d,\"y\":%d}", i ? "," : "", s.type, s.countdown, s.x,
                 s.y);
  }
  std::fputs("],\"items\":[", out);
  first = true;
  for (int i = 0; i < kItemSlots; i++) {
    const Item& item = g->items[i];
    if (item.type == 0) continue;
    std::fprintf(out, "%s{\"slot\":%d,\"type\":%d,\"col\":%d,\"row\":%d,\"hidden\":%d,\"changes\":%d,\"visible\":%d}",
                 first ? "" : ",", i, item.type, item.tileX, item.tileY, item.hidden, item.changes,
                 ItemOwnsSprite(&item) ? item.sprite->visible : 0);
    first = false;
  }
  std::fputs("],\"fireballs\":[", out);
  first = true;
  for (int i = 0; i < kFireballSlots; i++) {
    const Sprite* s = LiveFireball(g, i);
    if (!s) continue;
    std::fprintf(out, "%s{\"slot\":%d,\"x\":%d,\"y\":%d,\"vx\":%d,\"vy\":%d,\"life\":%d,\"frame\":%d}",
                 first ? "" : ",", i, s->x, s->y, s->vx, s->vy, s->life, s->frame);
    first = false;
  }
  std::fprintf(out, "],\"key\":%d,\"door\":%d,\"levelCleared\":%d,\"itemsTaken\":%d,\"itemsTotal\":%d,\"sceneEnd\":%d",
               ItemOwnsSprite(&g->key), g->door.sprite ? g->door.sprite->frame : 0, g->levelCleared, g->itemsTaken,
               g->itemsTotal, sys->sceneEnd ? 1 : 0);
  std::fputs(",\"sounds\":[", out);
  for (int i = 0; i < soundCount; i++) std::fprintf(out, i ? ",%d" : "%d", sounds[i]);
  std::fputs("]}\n", out);
}

void PrintReplayOutcome(FILE* out, int level, const ReplayOutcome* outcome) {
  static const char* const kResults[] = {"cleared", "died", "ran out", "quit"};
  std::fprintf(out, "level %d: %s\nframes %d\nlife %d\nlives %d\nscore %d\nitems %d of %d\nchecksum %016" PRIx64 "\n",
               level + 1, kResults[outcome->result], outcome->frames, outcome->life, outcome->lives, outcome->score,
               outcome->itemsTaken, outcome->itemsTotal, outcome->checksum);
}
