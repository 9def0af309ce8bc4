#include "engine/scene.h"

#include <gtest/gtest.h>

#include <string>

#include "graphics/sprite.h"
#include "support/test_system.h"

namespace {

struct Counts {
  int pre, layer0, layer1, background;
  int endAt;  // frame in which layer 0's callback ends the scene
} counts;

class SceneTest : public testing::Test {
 protected:
  void SetUp() override {
    counts = {0, 0, 0, 0, -1};
    clock.Install();
    sys->preUpdate = [](System*) { counts.pre++; };
    sys->drawBackground = [](System*) { counts.background++; };
    sys->updateLayer[0] = [](System* s) {
      counts.layer0++;
      if (static_cast<int>(s->timer.frameCount) == counts.endAt) s->sceneEnd = 1;
    };
    sys->updateLayer[1] = [](System*) { counts.layer1++; };
  }
  void TearDown() override { FakeClock::Uninstall(); }
  FakeClock clock;
  TestSystem sys;
};

TEST_F(SceneTest, ASceneEndsInTheFrameItsCallbackAsksAndLateFramesAreNotDrawn) {
  counts.endAt = 5;
  RunScene(sys.get());
  EXPECT_EQ(counts.layer0, 6);  // frames 0..5 updated
  EXPECT_EQ(counts.pre, 6);
  EXPECT_EQ(counts.background, 5) << "the last frame is not drawn";
  EXPECT_EQ(sys->sceneEnd, 0);

  counts = {0, 0, 0, 0, 20};
  clock.workPerFrame = 40;  // every frame overruns its 16 ms
  RunScene(sys.get());
  EXPECT_EQ(counts.layer0, 21);
  EXPECT_EQ(counts.background, 1) << "only the first frame, before any lateness";
}

// Each user adds and removes its own hook; the others run on, in slot order.
TEST_F(SceneTest, PassHooksRunInTheirOrderUntilEachRemovesItsOwn) {
  std::string order;
  const ScenePassHook note = [](System*, void* context) { *static_cast<std::string*>(context) += 'a'; };
  const ScenePassHook mark = [](System*, void* context) { *static_cast<std::string*>(context) += 'b'; };
  ASSERT_EQ(AddScenePassHook(note, &order), 0);
  ASSERT_EQ(AddScenePassHook(mark, &order), 0);
  EXPECT_EQ(AddScenePassHook(nullptr, nullptr), -1);
  RunScenePass(sys.get());
  RemoveScenePassHook(note, nullptr);  // not the context it was added with
  RunScenePass(sys.get());
  RemoveScenePassHook(note, &order);
  RunScenePass(sys.get());
  EXPECT_EQ(order, "ababb");
  std::string spare[kPassHookSlots];
  int added = 0;
  while (added <= kPassHookSlots && AddScenePassHook(note, &spare[added]) == 0) added++;
  EXPECT_EQ(added, kPassHookSlots - 1) << "one slot is still mark's";
  for (std::string& context : spare) RemoveScenePassHook(note, &context);
  RemoveScenePassHook(mark, &order);
  RunScenePass(sys.get());
  EXPECT_EQ(order, "ababb");
}

TEST_F(SceneTest, EscapeOrClosingTheWindowEndsTheSceneAndEveryLaterSceneRunsOnce) {
  PushKey(SDLK_ESCAPE);
  RunScene(sys.get());
  EXPECT_EQ(sys->quit, 1);
  RunScene(sys.get());
  EXPECT_EQ(counts.layer1, 2);
  EXPECT_EQ(counts.background, 0);
  PushKey(SDLK_a);
  EXPECT_EQ(PollQuitEvents(sys.get()), 0) << "other keys";
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
  EXPECT_EQ(PollQuitEvents(sys.get()), 1);
}

TEST_F(SceneTest, ACountdownEndsTheSceneAndCarriesIntoTheNextOne) {
  EndSceneAfter(sys.get(), 60);
  RunScene(sys.get());
  EXPECT_EQ(counts.layer1, 60);
  counts = {0, 0, 0, 0, 9};
  EndSceneAfter(sys.get(), 25);
  RunScene(sys.get());  // ended by layer 0 in frame 9
  EXPECT_EQ(sys->endCountdown, 15);
  counts.endAt = -1;
  RunScene(sys.get());
  EXPECT_EQ(counts.layer0, 10 + 15);
}

TEST_F(SceneTest, AFrozenLayerIsDrawnButNotUpdatedAndClearingASceneDropsTheSharedHooks) {
  Sprite* world = AllocSprite(sys->layers[1], nullptr, 0);
  world->vx = 4096;
  world->life = 3;
  Sprite* back = AllocSprite(sys->layers[0], nullptr, 0);
  FreezeLayer(sys.get(), 1);
  EXPECT_EQ(sys->layerFlags[1], LayerNoUpdate);
  counts.endAt = 9;
  RunScene(sys.get());
  EXPECT_EQ(counts.layer1, 0);
  EXPECT_EQ(world->x, 0);
  EXPECT_EQ(world->life, 3);
  EXPECT_EQ(counts.background, 9);
  FreezeLayer(sys.get(), 0);
  ClearScene(sys.get(), 1);
  EXPECT_EQ(back->inUse + world->inUse, 1);
  EXPECT_EQ(sys->updateLayer[1], nullptr);
  EXPECT_NE(sys->updateLayer[0], nullptr);
  EXPECT_EQ(sys->layerFlags[0] * 10 + sys->layerFlags[1], LayerNoUpdate * 10);
  EXPECT_EQ(sys->preUpdate, nullptr);
  EXPECT_EQ(sys->drawBackground, nullptr);
  ResetLayerFlags(sys.get(), 0);
  EXPECT_EQ(sys->layerFlags[0], 0);
  ClearAllScenes(sys.get());
  EXPECT_EQ(back->inUse, 0);
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

}  // namespace
