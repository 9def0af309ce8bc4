#include "graphics/bitmap_set.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "engine/messages.h"
#include "graphics/font.h"
#include "support/alloc_counter.h"
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

// A BMP of `bits` per pixel with the 40-byte info header and `pixels` bytes
// of pixel data, whatever its header claims.
std::string BmpBytes(int32_t width, int32_t height, int bits, size_t pixels) {
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  return "BM" + u32(54 + pixels) + u32(0) + u32(54) + u32(40) + u32(width) + u32(height) + u16(1) + u16(bits) + u32(0) +
         u32(pixels) + u32(2835) + u32(2835) + u32(0) + u32(0) + std::string(pixels, '\x40');
}

// SDL allocates the pixels a header claims before it reads one; a 120-byte
// file claiming 65538 x 16711681 pixels asked for four terabytes.
TEST_F(BitmapSetTest, HeadersClaimingMoreThanAnyScreenAreRefusedUnread) {
  const std::string huge = BmpBytes(65538, -16711681, 32, 66);
  const std::string wide = BmpBytes(kMaxBitmapSide + 1, 1, 24, 64);
  const std::string tall = BmpBytes(1, -(kMaxBitmapSide + 1), 24, 64);
  // The old 12-byte header holds unsigned 16-bit sides.
  const std::string core = "BM" + std::string("\x2a\0\0\0\0\0\0\0\x1a\0\0\0\x0c\0\0\0\xff\xff\x01\0\x01\0\x18\0", 24) +
                           std::string(16, '\0');
  WriteFile(dir.File("huge.bmp"), huge);
  WriteFile(dir.File("wide.bmp"), wide);
  WriteFile(dir.File("tall.bmp"), tall);
  WriteFile(dir.File("core.bmp"), core);
  // The largest accepted side still loads.
  WriteFile(dir.File("edge.bmp"), BmpBytes(kMaxBitmapSide, 1, 24, kMaxBitmapSide * 3));
  AllocationCounter counter;
  const std::string err = Load("1 huge.bmp\n2 wide.bmp\n3 tall.bmp\n4 core.bmp\n5 edge.bmp\n");
  if (AllocationCounter::Available()) {
    EXPECT_LT(counter.Largest(), 1u << 20);
  }
  std::string expected;
  for (const char* name : {"huge.bmp", "wide.bmp", "tall.bmp", "core.bmp"}) {
    char line[512];
    std::snprintf(line, sizeof line, msg::MsgBitmapLoad, dir.File(name).c_str());
    expected += line;
  }
  EXPECT_EQ(err, expected);
  for (int slot = 1; slot <= 4; slot++) EXPECT_EQ(set->bitmaps[slot], nullptr) << slot;
  ASSERT_NE(set->bitmaps[5], nullptr);
  EXPECT_EQ(set->bitmaps[5]->w, kMaxBitmapSide);

  CapturedStream captured(stderr);
  EXPECT_EQ(LoadFontRW(SDL_RWFromConstMem(huge.data(), static_cast<int>(huge.size())), "huge", 16, 16, 255, 0, 255),
            nullptr);
  char line[512];
  std::snprintf(line, sizeof line, msg::MsgFontMissing, "huge");
  EXPECT_EQ(captured.Text(), line);
}

}  // namespace
