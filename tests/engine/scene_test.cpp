#include "engine/scene.h"

#include <gtest/gtest.h>

#include "graphics/sprite.h"
#include "support/test_system.h"

namespace {

struct Counters {
  int pre = 0;
  int layer[4] = {};
  int background = 0;
  int endAt = -1;  // frame in which layer 0's callback ends the scene
};
Counters counters;

void CountPre(System*) { counters.pre++; }
void CountBackground(System*) { counters.background++; }
void CountLayer0(System* sys) {
  counters.layer[0]++;
  if (counters.endAt >= 0 && static_cast<int>(sys->timer.frameCount) == counters.endAt) sys->sceneEnd = 1;
}
void CountLayer1(System*) { counters.layer[1]++; }
void CountLayer2(System*) { counters.layer[2]++; }

class SceneTest : public testing::Test {
 protected:
  void SetUp() override {
    counters = Counters{};
    clock.Install();
  }
  void TearDown() override { FakeClock::Uninstall(); }

  FakeClock clock;
  TestSystem sys;
};

TEST_F(SceneTest, SceneEndsInTheFrameItsCallbackAsksWithoutDrawingThatFrame) {
  sys->preUpdate = CountPre;
  sys->drawBackground = CountBackground;
  sys->updateLayer[0] = CountLayer0;
  counters.endAt = 5;
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[0], 6);  // frames 0..5 updated
  EXPECT_EQ(counters.pre, 6);
  EXPECT_EQ(counters.background, 5);  // frame 5 is not drawn
  EXPECT_EQ(sys->sceneEnd, 0);
}

TEST_F(SceneTest, EscapeEndsTheSceneAndEveryLaterSceneRunsOnce) {
  sys->preUpdate = CountPre;
  sys->updateLayer[1] = CountLayer1;
  sys->drawBackground = CountBackground;
  PushEscape();
  RunScene(sys.get());
  EXPECT_EQ(sys->quit, 1);
  EXPECT_EQ(counters.layer[1], 1);
  EXPECT_EQ(counters.background, 0);
  RunScene(sys.get());
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[1], 3);
  EXPECT_EQ(counters.pre, 3);
  EXPECT_EQ(counters.background, 0);
}

TEST_F(SceneTest, WindowCloseQuitsLikeEscapeAndOtherEventsAreIgnored) {
  SDL_Event other{};
  other.type = SDL_KEYDOWN;
  other.key.keysym.sym = SDLK_a;
  SDL_PushEvent(&other);
  EXPECT_EQ(PollQuitEvents(sys.get()), 0);
  SDL_Event close{};
  close.type = SDL_QUIT;
  SDL_PushEvent(&close);
  EXPECT_EQ(PollQuitEvents(sys.get()), 1);
}

TEST_F(SceneTest, EndSceneAfterSixtyGivesSixtyUpdatesAndCarriesIntoTheNextScene) {
  sys->updateLayer[2] = CountLayer2;
  EndSceneAfter(sys.get(), 60);
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[2], 60);

  // A countdown still running when a scene ends some other way goes on.
  counters = Counters{};
  sys->updateLayer[0] = CountLayer0;
  counters.endAt = 9;
  EndSceneAfter(sys.get(), 25);
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[0], 10);
  EXPECT_EQ(sys->endCountdown, 15);
  counters.endAt = -1;
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[0], 25);
}

TEST_F(SceneTest, FrozenLayerIsDrawnButNeitherUpdatedNorMoved) {
  Sprite* sprite = AllocSprite(sys->layers[1], nullptr, 0);
  sprite->vx = 4096;
  sprite->life = 3;
  sys->updateLayer[1] = CountLayer1;
  sys->updateLayer[0] = CountLayer0;
  FreezeLayer(sys.get(), 1);
  EXPECT_EQ(sys->layerFlags[1], LayerNoUpdate);
  counters.endAt = 9;
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[1], 0);
  EXPECT_EQ(sprite->x, 0);
  EXPECT_EQ(sprite->inUse, 1);
  EXPECT_EQ(sprite->life, 3);
  ResetLayerFlags(sys.get(), 1);
  EXPECT_EQ(sys->layerFlags[1], 0);
}

TEST_F(SceneTest, ClearSceneLeavesOtherLayersButAlwaysDropsSharedHooks) {
  Sprite* kept = AllocSprite(sys->layers[0], nullptr, 0);
  Sprite* cleared = AllocSprite(sys->layers[2], nullptr, 0);
  sys->updateLayer[0] = CountLayer0;
  sys->updateLayer[2] = CountLayer2;
  sys->preUpdate = CountPre;
  sys->drawBackground = CountBackground;
  FreezeLayer(sys.get(), 0);
  FreezeLayer(sys.get(), 2);
  ClearScene(sys.get(), 2);
  EXPECT_EQ(kept->inUse, 1);
  EXPECT_EQ(cleared->inUse, 0);
  EXPECT_EQ(sys->updateLayer[0], CountLayer0);
  EXPECT_EQ(sys->updateLayer[2], nullptr);
  EXPECT_EQ(sys->layerFlags[0], LayerNoUpdate);
  EXPECT_EQ(sys->layerFlags[2], 0);
  EXPECT_EQ(sys->preUpdate, nullptr);
  EXPECT_EQ(sys->drawBackground, nullptr);
  ClearAllScenes(sys.get());
  EXPECT_EQ(kept->inUse, 0);
  EXPECT_EQ(sys->updateLayer[0], nullptr);
}

TEST_F(SceneTest, ASystemWithoutScreenFontInputOrALayerCannotRun) {
  EXPECT_EQ(SystemUnusable(sys.get()), 0);
  EXPECT_EQ(SystemUnusable(nullptr), 1);
  for (int part = 0; part < 4; part++) {
    System broken = *sys.get();
    if (part == 0) broken.screen = nullptr;
    if (part == 1) broken.font = nullptr;
    if (part == 2) broken.input = nullptr;
    if (part == 3) broken.layers[3] = nullptr;
    EXPECT_EQ(SystemUnusable(&broken), 1) << part;
  }
}

TEST_F(SceneTest, LateFramesAreUpdatedButNotDrawn) {
  sys->drawBackground = CountBackground;
  sys->updateLayer[0] = CountLayer0;
  counters.endAt = 20;
  clock.workPerFrame = 40;  // every frame overruns its 16 ms
  RunScene(sys.get());
  EXPECT_EQ(counters.layer[0], 21);
  EXPECT_EQ(counters.background, 1);  // only the first frame, before any lateness
}

}  // namespace
