#include <gtest/gtest.h>

#include <cstring>

#include "engine/scene.h"
#include "game/grid.h"
#include "sound/sound_bank.h"
#include "support/level_harness.h"

namespace {

class LevelFrameTest : public testing::Test {
 protected:
  LevelHarness level;
};

TEST_F(LevelFrameTest, TheFirstUpdateAlreadyCountsLifeAndTheStatusLinesShowIt) {
  level.LoadSpec(RoomSpec());
  EXPECT_EQ(level.player().life, 9999);
  level.player().score = 150;
  level.Frame();
  EXPECT_STREQ(level.game()->statusLine1->text, "Life   9998 Score    15000");
  EXPECT_STREQ(level.game()->statusLine2->text, "Magic x   5");
  EXPECT_EQ(level.game()->statusLine2->y >> 12, 463);
}

TEST_F(LevelFrameTest, LifeRunsOutAfterTenThousandFramesThenTheDeathTakesTwoHundred) {
  level.LoadSpec(RoomSpec());
  const int frames = level.RunUntil([&] { return level.player().dying != 0; }, 20000);
  EXPECT_EQ(frames, 9999);
  EXPECT_EQ(level.player().life, 0);
  EXPECT_EQ(level.player().deathTimer, 199);
  // The overlay waits 50 frames, then fades in, on the layer above the world.
  Sprite* overlay = nullptr;
  for (int i = 0; i < 3072; i++)
    if (level.sys()->layers[2]->sprites[i].inUse) overlay = &level.sys()->layers[2]->sprites[i];
  ASSERT_NE(overlay, nullptr);
  EXPECT_EQ(overlay->frame, 200);
  EXPECT_EQ(level.player().sprite->anim[0].frame, 50);
  const int rest = level.RunUntil([&] { return level.sceneEnded; }, 1000);
  EXPECT_EQ(rest, 199);
  EXPECT_EQ(level.player().lives, 2);
}

TEST_F(LevelFrameTest, TheKeyOpensTheDoorAndTheOpenDoorClearsTheLevelWithAWipe) {
  MapSpec layout = RoomSpec();
  layout.playerRow = 18;
  layout.keyCol = 6;
  layout.keyRow = 18;
  layout.doorCol = 3;
  layout.doorRow = 18;
  level.LoadSpec(layout);
  // Walking over the closed door first does nothing.
  level.PlacePlayer(3 * 48, 18 * 48);
  level.Frames(3);
  EXPECT_EQ(level.game()->levelCleared, 0);
  level.RunUntil([&] { return level.game()->door.sprite->frame == 21; }, 200, kRight);
  EXPECT_EQ(level.CountSound(SndKeyTaken), 1);
  EXPECT_EQ(level.game()->key.sprite->inUse, 0);
  level.RunUntil([&] { return level.game()->levelCleared != 0; }, 300, kLeft);
  ASSERT_EQ(level.game()->levelCleared, 1);
  EXPECT_EQ(level.player().clearTimer, 100) << "set by the player after this frame's countdown";
  EXPECT_EQ(level.player().sprite->visible, 0);
  int squares = 0;
  for (int i = 0; i < 3072; i++) squares += level.game()->world->sprites[i].frame == 201;
  EXPECT_EQ(squares, 40 * 30);
  const int life = level.player().life;
  const int frames = level.RunUntil([&] { return level.sceneEnded; }, 200);
  EXPECT_EQ(frames, 100);
  EXPECT_EQ(level.player().life, life) << "the clock stops at the door";
}

TEST_F(LevelFrameTest, KeyAndDoorTakenInOneFrameClearAtOnce) {
  MapSpec layout = RoomSpec();
  layout.playerCol = layout.keyCol = layout.doorCol = 5;
  layout.playerRow = layout.keyRow = layout.doorRow = 18;
  level.LoadSpec(layout);
  EXPECT_EQ(level.game()->levelCleared, 1);
}

TEST_F(LevelFrameTest, TheCameraCentresThePlayerWithinTheLevel) {
  MapSpec layout = RoomSpec();
  level.LoadSpec(layout);
  SpriteList* world = level.game()->world;
  level.PlacePlayer(48, 48);
  level.Frame();
  EXPECT_EQ(world->cameraX, 0);
  EXPECT_EQ(world->cameraY, 0);
  level.PlacePlayer(18 * 48, 18 * 48);
  level.player().vy = -64;  // keep it from falling this frame
  level.Frame();
  EXPECT_EQ(world->cameraX >> 12, 320);
  EXPECT_EQ(world->cameraY >> 12, 480);
  level.PlacePlayer(9 * 48, 9 * 48);
  level.Frame();
  EXPECT_EQ(world->cameraX >> 12, 9 * 48 - 296);
}

TEST_F(LevelFrameTest, PauseFreezesTheWorldAndScrollsTheCamera) {
  MapSpec layout = RoomSpec();
  layout.playerCol = 9;
  layout.playerRow = 18;
  level.LoadSpec(layout);
  level.Frames(3);
  const int life = level.player().life;
  SpriteList* world = level.game()->world;
  const Fixed12 camX = world->cameraX;
  level.Frame(kC);
  EXPECT_EQ(level.sys()->layerFlags[1], LayerNoUpdate);
  level.Frames(30, kRight);
  EXPECT_EQ(level.player().life, life - 1) << "only the frame of the pause counted";
  EXPECT_EQ(level.player().vx, 0);
  EXPECT_EQ(world->cameraX, camX + (30 << 12));
  level.Frames(400, kDown | kUp);
  EXPECT_EQ(world->cameraY >> 12, 480) << "Down wins and the camera stays in the level";
  level.Frame();
  level.Frame(kC);
  EXPECT_EQ(level.sys()->layerFlags[1], 0);
  EXPECT_EQ(level.sys()->updateLayer[2], nullptr);
  level.Frame();
  EXPECT_EQ(world->cameraX, camX) << "play centres the camera again";
}

TEST_F(LevelFrameTest, TheIntroKeepsTheWorldStillUntilItsFrame131) {
  level.Load(MapText(RoomSpec()), true);
  EXPECT_EQ(level.sys()->layerFlags[1], LayerNoUpdate);
  level.Frames(131);
  EXPECT_EQ(level.sys()->layerFlags[1], LayerNoUpdate);
  level.Frame();  // frame 131 unfreezes the world after its own turn has passed
  EXPECT_EQ(level.player().life, 9999);
  EXPECT_EQ(level.sys()->layerFlags[1], 0);
  level.Frame();
  EXPECT_EQ(level.player().life, 9998);
}

}  // namespace
