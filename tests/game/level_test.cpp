// Level rules the recorded plays never reach: maps that are not well formed,
// the clock running out or given up, and the key and door taken in one frame.
#include <gtest/gtest.h>

#include <cstring>

#include "base/messages.h"
#include "engine/scene.h"
#include "game/grid.h"
#include "game/level_loader.h"
#include "game/recording.h"
#include "game/replay.h"
#include "support/game_harness.h"

namespace {

std::string Codes(int count, int code) {
  std::string text;
  for (int i = 0; i < count; i++) text += std::to_string(code) + " ";
  return text;
}

// The map text up to its item records, to be ended by a test.
std::string RoomUpToItems() {
  const std::string map = MapText(RoomSpec());
  return map.substr(0, map.find("-1 0 0 0"));
}

// What loading the map text printed.
std::string Printed(GameHarness& level, const std::string& map) {
  return OutputOf(stderr, [&] { level.Load(map); });
}

TEST(LevelLoader, TilesRowByRowEarlyEndsAndGarbage) {
  GameHarness level;
  EXPECT_EQ(Printed(level, "0 " + Codes(18, 11) + "0\n" + Codes(380, 0) + "\n3 4 5 6 7 8\n-1\n"), "");
  EXPECT_EQ(level.Code(0, 0), TileEmpty) << "the map overwrites the ring";
  EXPECT_EQ(level.Code(18, 0), TileBlock);
  EXPECT_EQ(level.Code(19, 0), TileEmpty);
  EXPECT_EQ(level.Code(0, 19), TileEmpty);
  for (auto [column, row] : {std::pair{-1, 5}, {20, 5}, {5, 20}, {5, -1}})
    EXPECT_TRUE(IsSolidCell(level.game(), column, row)) << "outside the grid is wall";
  EXPECT_FALSE(IsBreakableCell(level.game(), 20, 5));
  EXPECT_EQ(level.PixelX(), 3 * 48);
  EXPECT_EQ(level.game()->door.sprite->x >> 12, 5 * 48);
  EXPECT_EQ(level.game()->key.sprite->y >> 12, 8 * 48);

  // A section ending early repeats its last code; a header that cannot be
  // read puts everything in cell 1. Either is played, and named.
  char tiles[1024], positions[1024];
  std::snprintf(tiles, sizeof tiles, msg::MsgMapTiles, level.dir().File("level.map").c_str());
  std::snprintf(positions, sizeof positions, msg::MsgMapPositions, level.dir().File("level.map").c_str());
  EXPECT_EQ(Printed(level, Codes(25, 10) + "12 x"), tiles);
  EXPECT_EQ(level.Code(5, 1), TileCracked);
  EXPECT_EQ(level.Code(19, 19), TileCracked);
  EXPECT_EQ(level.PixelY(), 48);
  EXPECT_EQ(level.game()->itemsTotal, 0);
  EXPECT_EQ(Printed(level, Codes(400, 0) + "3 4 x"), positions);
  EXPECT_EQ(level.PixelX(), 3 * 48) << "what was read of the header holds";
  EXPECT_EQ(level.game()->key.sprite->x >> 12, 48);

  for (const char* map : {"garbage\n", ""}) {
    EXPECT_EQ(Printed(level, map), tiles);
    EXPECT_EQ(level.Code(0, 0), TileWall) << "the reset grid stays";
    EXPECT_EQ(level.Code(5, 5), TileEmpty);
    EXPECT_EQ(level.game()->levelCleared, 1) << "player, key and door share cell 1,1";
  }
}

TEST(LevelLoader, ItemAndEnemyRecordsThatAreShortOrOutOfRange) {
  GameHarness level;
  auto load = [&](const std::string& map) {
    level.game()->itemsTotal = 0;
    level.Load(map);
  };
  EXPECT_EQ(OutputOf(stderr, [&] { load(RoomUpToItems() + "3 5 5 0\n4 6 6 1\n"); }), "") << "no terminator is needed";
  EXPECT_EQ(level.game()->itemsTotal, 2);
  EXPECT_EQ(level.game()->items[1].sprite->visible, 0) << "hidden";

  load(RoomUpToItems() + "5 3 3 0\n-1\n# the idea of this level\n\n1 4 4 16 0\n1 6\n   \n30 2 2 1 1\n");
  EXPECT_EQ(level.game()->itemsTotal, 1);
  const Enemy* enemies = level.game()->enemies;
  EXPECT_EQ(enemies[1].sprite->x >> 12, 6 * 48);
  EXPECT_EQ(enemies[1].sprite->y >> 12, 4 * 48) << "the row carries over from the line before";
  EXPECT_EQ(enemies[1].speed, 16);
  EXPECT_EQ(enemies[2].type, 1) << "a line of blanks repeats the line before";
  EXPECT_EQ(enemies[3].type, 0) << "type 30 has no enemy";
  load(RoomUpToItems() + "-1\n#\n1 6\n");
  EXPECT_EQ(enemies[0].sprite->y >> 12, 0) << "what the first line lacks is 0";
  EXPECT_EQ(enemies[0].dir, DirRight);

  MapSpec huge = RoomSpec();
  huge.playerCol = 99999;
  huge.items = {"1 -50 3 0", "2 3 4000000000 0", "0 3 3 0", "19 4 4 0"};
  huge.enemies = {"1 7 7 2000000000 0", "3 -3 99 1 9"};
  load(MapText(huge));
  EXPECT_EQ(level.PixelX(), 19 * 48);
  EXPECT_EQ(level.game()->items[0].tileX, 0);
  EXPECT_EQ(level.game()->itemsTotal, 2) << "types outside the table are neither made nor counted";
  EXPECT_EQ(level.game()->enemies[0].speed, 1000000);
  EXPECT_EQ(level.game()->enemies[1].sprite->x >> 12, 0);
  level.Frames(50);  // nothing of this may overflow or read outside the grid
}

TEST(LevelLoader, AMissingMapIsReportedAndLeavesAnEmptyRoom) {
  GameHarness level;
  MapSpec withItem = RoomSpec();
  withItem.items = {"3 5 5 0"};
  level.LoadSpec(withItem);
  char expected[256];
  std::snprintf(expected, sizeof expected, msg::MsgOpenFailed, "/nonexistent/map9.map");
  EXPECT_EQ(OutputOf(stderr, [&] { level.LoadFile("/nonexistent/map9.map"); }), expected);
  EXPECT_EQ(level.game()->items[0].type, 0) << "no item of the level before lingers";
  EXPECT_EQ(level.game()->levelCleared, 1) << "an empty room, cleared at once as an unreadable map is";

  level.player().magic = 7;
  level.LoadSpec(RoomSpec());
  EXPECT_EQ(level.player().magic, 7) << "magic is topped up to five, never lowered";
  level.player().magic = 2;
  level.LoadSpec(RoomSpec());
  EXPECT_EQ(level.player().magic, 5);
}

TEST(OpenRing, ThePlayerWalksOutOfTheGridAndOnWithoutThePositionOverflowing) {
  GameHarness level;
  MapSpec layout = RoomSpec();
  layout.rows[18][0] = '.';
  level.LoadSpec(layout);
  level.Frames(200, kLeft);
  EXPECT_LT(level.PixelX(), -48) << "out through the gap";
  // Where a walk of some 97 minutes would take it, next to the integer's end.
  level.PlacePlayer(-524200, 18 * 48);
  level.Frames(200, kLeft);
  EXPECT_LT(level.PixelX(), -100 * kLevelPixels);
  EXPECT_EQ(level.sys()->layers[LayerWorld]->cameraX, 0);
}

TEST(PlayerHead, TouchesABlockWithoutBumpingItUntilItIsFourPixelsIn) {
  GameHarness level;
  MapSpec layout = RoomSpec();
  layout.rows[5][5] = 'B';
  level.LoadSpec(layout);
  level.PlacePlayer(5 * 48, 5 * 48 + 45);
  level.player().vy = -320;  // a pixel up this frame, after gravity
  level.Frame();
  EXPECT_EQ(level.PixelY(), 5 * 48 + 44);
  EXPECT_EQ(level.Code(5, 5), TileBlock);
  level.Frame();
  EXPECT_EQ(level.PixelY(), 5 * 48 + 44);
  EXPECT_EQ(level.player().vy, 0);
  EXPECT_EQ(level.Code(5, 5), TileCracked);
}

TEST(LevelClock, LifeRunsOutAfterTenThousandFramesThenTheDeathTakesTwoHundred) {
  GameHarness level;
  level.LoadSpec(RoomSpec());
  EXPECT_EQ(level.RunUntil([&] { return level.player().dying != 0; }, 20000), 9999);
  EXPECT_EQ(level.player().deathTimer, 199);
  EXPECT_EQ(level.RunUntil([&] { return level.sceneEnded; }, 1000), 199);
  EXPECT_EQ(level.player().lives, 2);
}

// The text sprite on the screens layer that shows `text`, or null.
const Sprite* ScreenText(GameHarness& level, const char* text) {
  const SpriteList* screens = level.sys()->layers[LayerScreens];
  for (int i = 0; i < screens->highWater; i++)
    if (screens->sprites[i].inUse && std::strcmp(screens->sprites[i].text, text) == 0) return &screens->sprites[i];
  return nullptr;
}

TEST(LevelClock, VWhilePausedGivesUpTheAttemptAsTheClockRunningOutDoes) {
  GameHarness level;
  level.LoadSpec(RoomSpec());
  level.Frames(10, kV);
  EXPECT_FALSE(level.player().dying) << "V does nothing in play";
  level.Frame(kC);
  level.Frame();
  const int life = level.player().life;
  EXPECT_NE(ScreenText(level, "Paused"), nullptr);
  const Sprite* way = ScreenText(level, "V gives up this try for a life");
  ASSERT_NE(way, nullptr);
  EXPECT_TRUE(way->visible);
  level.Frame(kV);
  EXPECT_EQ(ScreenText(level, "Paused"), nullptr);
  EXPECT_EQ(level.player().life, 0);
  EXPECT_GT(life, 9000);
  EXPECT_EQ(level.RunUntil([&] { return level.player().dying != 0; }, 10), 1);

  // A recording holds V like any other input and replays the same way out.
  level.UseGameFolder();
  level.WriteMap(1, MapText(RoomSpec()));
  std::vector<uint8_t> inputs(140, 0);
  inputs.insert(inputs.end(), {kC, 0, kV});
  inputs.resize(inputs.size() + 300, 0);
  Recording recording{kRecordingVersion, {}, inputs.data(), inputs.size()};
  NewGameAttemptStart(&recording.start, 0);
  ReplayOutcome outcome{};
  RunReplay(level.sys(), &recording, nullptr, &outcome);
  EXPECT_EQ(outcome.result, ReplayDied);
  EXPECT_EQ(outcome.lives, 2);
}

}  // namespace
