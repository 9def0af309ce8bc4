#include <gtest/gtest.h>

#include "game/grid.h"
#include "game/tile_collision.h"
#include "sound/sound_bank.h"
#include "support/level_harness.h"

namespace {

class MagicTest : public testing::Test {
 protected:
  int Sparks() {
    int count = 0;
    for (int i = 1201; i < 1300; i++) count += level.game()->world->sprites[i].inUse != 0;
    return count;
  }
  LevelHarness level;
};

TEST_F(MagicTest, FacingRightPastTheCellMiddleTargetsTwoColumnsOn) {
  level.LoadRoom();
  level.PlacePlayer(4 * 48 + 30, 18 * 48);
  level.Frame(kZ);
  EXPECT_EQ(level.player().state, Cast);
  level.Frame();
  EXPECT_EQ(level.Code(6, 18), TileChange);
  EXPECT_EQ(level.Code(5, 18), TileEmpty);
  EXPECT_EQ(level.CountSound(SndMakeBlock), 1);
  EXPECT_EQ(Sparks(), 4);
}

TEST_F(MagicTest, AFormingBlockIsSolidOnlyOnceItShowsTheBlock) {
  level.LoadRoom();
  level.PlacePlayer(4 * 48, 18 * 48);
  level.Frame(kZ);  // targets (5, 18)
  for (int frame = 1; frame < 16; frame++) {
    ASSERT_EQ(level.Code(5, 18), TileChange) << frame;
    ASSERT_FALSE(IsSolidCell(level.game(), 5, 18));
    level.Frame();
  }
  EXPECT_EQ(level.Code(5, 18), TileChange);
  level.Frame();
  EXPECT_EQ(level.Code(5, 18), TileBlock);
  EXPECT_TRUE(IsSolidCell(level.game(), 5, 18));
  level.Frames(40);
  EXPECT_EQ(level.Code(5, 18), TileBlock);
  // Magic on the block breaks it again.
  level.Frame(kZ);
  level.Frames(30);
  EXPECT_EQ(level.Code(5, 18), TileEmpty);
  EXPECT_EQ(level.CountSound(SndMagicBreak), 1);
  EXPECT_EQ(level.CountSound(SndBlockHit), 1);
}

TEST_F(MagicTest, CrouchingTargetsOneRowLowerAndStandingMagicAlignsThePlayer) {
  std::vector<std::string> rows = EmptyRoom();
  rows[18] = "#BBBBBBBBB.........#";
  MapSpec layout;
  layout.rows = rows;
  layout.playerRow = 17;
  level.LoadSpec(layout);
  level.Frames(3);
  level.Frame(kDown);
  ASSERT_EQ(level.player().crouching, 1);
  level.Frame(kDown | kZ);
  level.Frames(30, kDown);
  EXPECT_EQ(level.Code(3, 18), TileEmpty) << "the block in front and below broke";
  EXPECT_EQ(level.Code(3, 17), TileEmpty);

  level.LoadRoom();
  level.PlacePlayer(4 * 48 + 10, 18 * 48);
  level.Frame(kZ);
  EXPECT_EQ(level.PixelX(), 4 * 48 + 5);
  level.Frames(20);
  level.PlacePlayer(4 * 48 + 30, 18 * 48);
  level.player().facing = 1;
  level.Frame(kZ);
  EXPECT_EQ(level.PixelX(), 4 * 48 + 43);
  level.Frame();
  EXPECT_EQ(level.Code(4, 18), TileChange) << "facing left past the middle targets the own column";
}

TEST_F(MagicTest, WallsAndMagicProofCellsAreLeftAlone) {
  std::vector<std::string> rows = EmptyRoom();
  rows[18][5] = 'N';
  level.LoadRoom(rows);
  level.PlacePlayer(4 * 48, 18 * 48);
  level.Frame(kZ);
  level.Frames(20);
  EXPECT_EQ(level.Code(5, 18), TileNoMagic);
  level.PlacePlayer(1 * 48, 18 * 48);
  level.player().facing = 1;
  level.Frame(kZ);
  level.Frames(20);
  EXPECT_EQ(level.Code(0, 18), TileWall);
  EXPECT_EQ(Sparks(), 0);
  EXPECT_EQ(level.CountSound(SndMakeBlock), 0);
}

TEST_F(MagicTest, MagicOnAFormingBlockRestartsItAndAVisibleItemPreventsABlock) {
  level.LoadRoom(EmptyRoom(), {"9 5 18 0", "4 7 18 1"});
  level.PlacePlayer(4 * 48, 18 * 48);
  Item* item = &level.game()->items[0];
  const int sequence[] = {13, 6, 16, 9};
  for (int expected : sequence) {
    level.Frame(kZ);
    level.Frames(20);
    EXPECT_EQ(item->type, expected);
    EXPECT_EQ(item->sprite->frame, 39 + expected);
    EXPECT_EQ(level.Code(5, 18), TileEmpty);
  }
  // A hidden item does not stop a block, and stays hidden in it; a cell
  // caught changing (13) is made into a block anew.
  level.PlacePlayer(6 * 48, 18 * 48);
  level.Frame();
  level.SetCode(7, 18, TileChange);
  level.Frame(kZ);
  EXPECT_EQ(level.CountSound(SndMakeBlock), 1);
  level.Frames(40);
  EXPECT_EQ(level.Code(7, 18), TileBlock);
  EXPECT_EQ(level.game()->items[1].hidden, 1);
  EXPECT_EQ(level.game()->items[1].sprite->visible, 0);
}

TEST_F(MagicTest, EachFireballSpendsACharge) {
  level.LoadRoom();
  level.player().magic = 1;
  level.Frame(kX);
  EXPECT_EQ(level.player().magic, 0);
  ASSERT_NE(level.game()->fireballs[0], nullptr);
  EXPECT_EQ(level.game()->fireballs[0]->vx, 16384);
  EXPECT_EQ(level.game()->fireballs[0]->life, 99) << "100 frames, one already gone";
  EXPECT_EQ(level.CountSound(SndShot), 1);
  // Input is only polled once the cast is over: a poll must see X released
  // before a new press counts.
  level.Frames(16);
  level.Frame(kX);
  EXPECT_NE(level.player().state, Cast);
  level.Frame();
  level.Frame(kX);
  EXPECT_EQ(level.player().state, Cast);
  EXPECT_EQ(level.player().magic, 0);
  EXPECT_EQ(level.CountSound(SndShot), 1);
  EXPECT_EQ(level.game()->fireballs[1], nullptr);
}

TEST_F(MagicTest, AFireballClimbsTheFirstWallAndLivesItsLifetime) {
  level.LoadRoom();
  level.player().fireBonus = 200;
  level.PlacePlayer(14 * 48, 18 * 48);
  level.Frame();
  level.Frame(kX);
  Sprite* fireball = level.game()->fireballs[0];
  int climbedAt = -1;
  for (int frame = 0; frame < 300 && fireball->inUse; frame++) {
    level.Frame();
    if (climbedAt < 0 && fireball->vy < 0) climbedAt = fireball->x >> 12;
  }
  EXPECT_EQ(climbedAt, 18 * 48 + 5);
  EXPECT_FALSE(fireball->inUse) << "gone after 100 + 200 frames";
  EXPECT_EQ(level.Code(18, 18), TileEmpty);
}

// A bare sprite crawling with the two tests, moved as the sprite update does.
TEST_F(MagicTest, ACrawlingObjectCirclesALoneBlock) {
  std::vector<std::string> rows = EmptyRoom();
  rows[10][10] = 'B';
  level.LoadRoom(rows);
  Sprite body{};
  body.x = (9 * 48 + 20) << 12;
  body.y = (9 * 48 + 5) << 12;  // resting on the block's top
  body.vx = 4096;
  bool sides[4] = {};  // moved right, down, left, up
  for (int frame = 0; frame < 400; frame++) {
    TileTurn(level.sys(), &body);
    TileCorner(level.sys(), &body);
    body.x += body.vx;
    body.y += body.vy;
    if (body.vx > 0) sides[0] = true;
    if (body.vy > 0) sides[1] = true;
    if (body.vx < 0) sides[2] = true;
    if (body.vy < 0) sides[3] = true;
    const int px = body.x >> 12, py = body.y >> 12;
    ASSERT_TRUE(px > 9 * 48 - 48 && px < 11 * 48 + 48 && py > 9 * 48 - 48 && py < 11 * 48 + 48)
        << "left the block at frame " << frame;
  }
  EXPECT_TRUE(sides[0] && sides[1] && sides[2] && sides[3]);
}

TEST_F(MagicTest, TurnsApplyToOneAxisAtATimeAndNothingAtRest) {
  level.LoadRoom();
  Sprite still{};
  still.x = 5 * 48 << 12;
  still.y = 18 * 48 << 12;
  EXPECT_EQ(TileTurn(level.sys(), &still), 0);
  EXPECT_EQ(TileCorner(level.sys(), &still), 0);
  // Moving right and down onto a block at once: only the horizontal case is
  // looked at, and nothing is ahead in that direction.
  level.SetCode(5, 11, TileBlock);
  Sprite diagonal{};
  diagonal.x = (5 * 48 + 10) << 12;
  diagonal.y = (10 * 48 + 10) << 12;
  diagonal.vx = 4096;
  diagonal.vy = 4096;
  EXPECT_EQ(TileTurn(level.sys(), &diagonal), 0);
  EXPECT_EQ(diagonal.vy, 4096);
  // Running into the right wall level with the body: turn up, snapped flush.
  Sprite runner{};
  runner.x = (18 * 48 + 4) << 12;
  runner.y = (18 * 48 + 5) << 12;
  runner.vx = 16384;
  EXPECT_EQ(TileTurn(level.sys(), &runner), 1);
  EXPECT_EQ(runner.vx, 0);
  EXPECT_EQ(runner.vy, -16384);
  EXPECT_EQ(runner.x >> 12, 18 * 48 + 5);
}

}  // namespace
