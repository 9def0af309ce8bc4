#include "graphics/bitmap_set.h"

#include <gtest/gtest.h>

#include "engine/messages.h"
#include "support/test_bitmaps.h"
#include "support/test_system.h"

namespace {

class BitmapSetTest : public testing::Test {
 protected:
  void SetUp() override {
    SDL_Init(SDL_INIT_VIDEO);
    set = CreateBitmapSet(256);
    SaveTestBitmap(dir.File("a.bmp"), 48, 48, {200, 0, 0}, {0, 0, 0});
    SaveTestBitmap(dir.File("b.bmp"), 16, 16, {0, 200, 0}, {0, 0, 0});
    SaveTestBitmap(dir.File("x.bmp"), 8, 8, {0, 0, 200}, {0, 0, 0});
  }
  void TearDown() override { DestroyBitmapSet(set); }

  std::string Load(const std::string& list) {
    WriteFile(dir.File("list.txt"), list);
    CapturedStream captured(stderr);
    EXPECT_EQ(LoadBitmapDir(set, (dir.path() + "/").c_str()), 0);
    return captured.Text();
  }
  bool Keyed(int slot) { return (set->bitmaps[slot]->flags & SDL_SRCCOLORKEY) != 0; }

  TempDir dir;
  BitmapSet* set = nullptr;
};

TEST_F(BitmapSetTest, CommentAndBlankLinesLoadNothing) {
  EXPECT_EQ(Load("# pictures\n\n\r\n#12 a.bmp\n"), "");
  for (int i = 0; i < 256; i++) EXPECT_EQ(set->bitmaps[i], nullptr);
}

TEST_F(BitmapSetTest, ALaterLineReplacesTheSlot) {
  EXPECT_EQ(Load("7 a.bmp\n7 b.bmp\n"), "");
  ASSERT_NE(set->bitmaps[7], nullptr);
  EXPECT_EQ(set->bitmaps[7]->w, 16);
  EXPECT_EQ(set->count, 8);
}

TEST_F(BitmapSetTest, ASlotBeyondTheSetIsReportedAndTheNextLinesStillLoad) {
  char expected[128];
  std::snprintf(expected, sizeof expected, msg::MsgBitmapSlot, 300);
  std::string both = expected;
  std::snprintf(expected, sizeof expected, msg::MsgBitmapSlot, -4);
  both += expected;
  EXPECT_EQ(Load("300 a.bmp\n-4 a.bmp\n3 b.bmp\n"), both);
  EXPECT_NE(set->bitmaps[3], nullptr);
}

TEST_F(BitmapSetTest, AMissingFileIsReportedWithItsPathAndLeavesTheSlotEmpty) {
  const std::string err = Load("5 missing.bmp\n6 a.bmp\n");
  char expected[512];
  std::snprintf(expected, sizeof expected, msg::MsgBitmapLoad, (dir.path() + "/missing.bmp").c_str());
  EXPECT_EQ(err, expected);
  EXPECT_EQ(set->bitmaps[5], nullptr);
  EXPECT_NE(set->bitmaps[6], nullptr);
}

TEST_F(BitmapSetTest, LeadingBlanksAreNotACommentAndEmptyLinesAreSkipped) {
  EXPECT_EQ(Load("  8 x.bmp\n \t \n9\n"), "");
  ASSERT_NE(set->bitmaps[8], nullptr);
  EXPECT_EQ(set->bitmaps[8]->w, 8);
  EXPECT_EQ(set->bitmaps[9], nullptr);
}

TEST_F(BitmapSetTest, AThirdFieldMakesTheBitmapOpaqueButALoneHashDoesNot) {
  Load("1 a.bmp\n2 a.bmp opaque\n3 a.bmp #word\n4 a.bmp #\n");
  EXPECT_TRUE(Keyed(1));
  EXPECT_FALSE(Keyed(2));
  EXPECT_FALSE(Keyed(3));
  EXPECT_TRUE(Keyed(4));
}

TEST_F(BitmapSetTest, MissingListsAndSetsAreReported) {
  CapturedStream captured(stderr);
  EXPECT_EQ(LoadBitmapList(set, dir.File("none.txt").c_str(), "./"), -1);
  EXPECT_EQ(LoadBitmapList(nullptr, dir.File("none.txt").c_str(), "./"), -1);
  char expected[512];
  std::snprintf(expected, sizeof expected, msg::MsgOpenFailed, dir.File("none.txt").c_str());
  EXPECT_EQ(captured.Text(), std::string(expected) + msg::MsgNoBitmapSet);
  EXPECT_EQ(CreateBitmapSet(-1), nullptr);
  EXPECT_EQ(GetBitmap(set, 256), nullptr);
  EXPECT_EQ(GetBitmap(set, -1), nullptr);
}

}  // namespace
