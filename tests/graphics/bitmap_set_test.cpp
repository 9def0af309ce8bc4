#include "graphics/bitmap_set.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdint>

#include "base/messages.h"
#include "graphics/font.h"
#include "support/alloc_counter.h"
#include "support/test_media.h"
#include "support/test_system.h"

namespace {

class BitmapSetTest : public testing::Test {
 protected:
  void SetUp() override {
    SDL_Init(SDL_INIT_VIDEO);
    set = CreateBitmapSet(256);
    SaveTestBitmap(dir.File("a.bmp"), 48, 48, {200, 0, 0}, {0, 0, 0});
  }
  void TearDown() override { DestroyBitmapSet(set); }
  std::string Load(const std::string& list) {
    WriteFile(dir.File("list.txt"), list);
    return OutputOf(stderr, [&] { EXPECT_EQ(LoadBitmapDir(set, (dir.path() + "/").c_str()), 0); });
  }
  bool Keyed(int slot) { return (set->bitmaps[slot]->flags & SDL_SRCCOLORKEY) != 0; }

  TempDir dir;
  BitmapSet* set = nullptr;
};

TEST_F(BitmapSetTest, AThirdFieldMakesTheBitmapOpaqueAndBadLinesAreReported) {
  char slot[64], missing[512], pipe[512], list[512];
  std::snprintf(slot, sizeof slot, msg::MsgBitmapSlot, 256);
  std::snprintf(missing, sizeof missing, msg::MsgBitmapLoad, dir.File("none.bmp").c_str());
  // A pipe is never opened: it would hold the start until a writer came.
  ASSERT_EQ(mkfifo(dir.File("pipe.bmp").c_str(), 0600), 0);
  std::snprintf(pipe, sizeof pipe, msg::MsgBitmapLoad, dir.File("pipe.bmp").c_str());
  EXPECT_EQ(Load("1 a.bmp\n2 a.bmp opaque\n3 a.bmp #word\n4 a.bmp #\n256 a.bmp\n6 none.bmp\n7 pipe.bmp\n"),
            std::string(slot) + missing + pipe);
  EXPECT_TRUE(Keyed(1));
  EXPECT_FALSE(Keyed(2));
  EXPECT_FALSE(Keyed(3));
  EXPECT_TRUE(Keyed(4));
  EXPECT_EQ(CreateBitmapSet(-1), nullptr);
  EXPECT_NE(GetBitmap(set, 1), nullptr);
  for (int slot : {256, -1, 5, 6, 7}) EXPECT_EQ(GetBitmap(set, slot), nullptr) << slot;
  EXPECT_EQ(LoadBitmapAt(nullptr, dir.File("pipe.bmp").c_str(), 1), -1) << "no set, no file opened";
  CapturedStream captured(stderr);
  EXPECT_EQ(LoadBitmapList(set, dir.File("none.txt").c_str(), "./"), -1);
  EXPECT_EQ(LoadBitmapList(nullptr, dir.File("none.txt").c_str(), "./"), -1);
  std::snprintf(list, sizeof list, msg::MsgOpenFailed, dir.File("none.txt").c_str());
  EXPECT_EQ(captured.Text(), std::string(list) + msg::MsgNoBitmapSet);
}

// A BMP of `bits` per pixel with the 40-byte info header and `pixels` bytes
// of pixel data, whatever its header claims. An 8-bit one run-length encoded
// instead holds a black palette and two runs, however large it claims to be.
std::string BmpBytes(int32_t width, int32_t height, int bits, size_t pixels, bool rle = false) {
  auto u32 = [](uint32_t v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [](uint16_t v) { return std::string(reinterpret_cast<const char*>(&v), 2); };
  const std::string palette(rle ? 1024 : 0, '\0');
  const std::string data = rle ? std::string("\xff\x01\xff\x01\0\0\0\x01", 8) : std::string(pixels, '\x40');
  const uint32_t offset = 54 + palette.size();
  return "BM" + u32(offset + data.size()) + u32(0) + u32(offset) + u32(40) + u32(width) + u32(height) + u16(1) +
         u16(bits) + u32(rle ? 1 : 0) + u32(data.size()) + u32(2835) + u32(2835) + u32(rle ? 256 : 0) + u32(0) +
         palette + data;
}

// SDL allocates the pixels a header claims before it reads one; a 120-byte
// file claiming 65538 x 16711681 pixels asked for four terabytes.
TEST_F(BitmapSetTest, HeadersClaimingMoreThanAnyScreenAreRefusedUnread) {
  const std::string huge = BmpBytes(65538, -16711681, 32, 66);
  WriteFile(dir.File("huge.bmp"), huge);
  WriteFile(dir.File("wide.bmp"), BmpBytes(kMaxBitmapSide + 1, 1, 24, 64));
  WriteFile(dir.File("tall.bmp"), BmpBytes(1, -(kMaxBitmapSide + 1), 24, 64));
  // The old 12-byte header holds unsigned 16-bit sides.
  WriteFile(dir.File("core.bmp"),
            "BM" + std::string("\x2a\0\0\0\0\0\0\0\x1a\0\0\0\x0c\0\0\0\xff\xff\x01\0\x01\0\x18\0", 24) +
                std::string(16, '\0'));
  WriteFile(dir.File("short.bmp"), "BM");
  // The largest accepted side still loads.
  WriteFile(dir.File("edge.bmp"), BmpBytes(kMaxBitmapSide, 1, 24, kMaxBitmapSide * 3));
  AllocationCounter counter;
  const std::string err = Load("1 huge.bmp\n2 wide.bmp\n3 tall.bmp\n4 core.bmp\n5 short.bmp\n6 edge.bmp\n");
  if (AllocationCounter::Available()) {
    EXPECT_LT(counter.Largest(), 1u << 20);
  }
  std::string expected;
  for (const char* name : {"huge.bmp", "wide.bmp", "tall.bmp", "core.bmp", "short.bmp"}) {
    char line[512];
    std::snprintf(line, sizeof line, msg::MsgBitmapLoad, dir.File(name).c_str());
    expected += line;
  }
  EXPECT_EQ(err, expected);
  for (int slot = 1; slot <= 5; slot++) EXPECT_EQ(set->bitmaps[slot], nullptr) << slot;
  ASSERT_NE(set->bitmaps[6], nullptr);
  EXPECT_EQ(set->bitmaps[6]->w, kMaxBitmapSide);

  CapturedStream captured(stderr);
  EXPECT_EQ(LoadFontRW(SDL_RWFromConstMem(huge.data(), static_cast<int>(huge.size())), "huge", 16, 16, 255, 0, 255),
            nullptr);
  char line[512];
  std::snprintf(line, sizeof line, msg::MsgFontMissing, "huge");
  EXPECT_EQ(captured.Text(), line);
}

// A kilobyte of run-length code may claim 16 MiB of pixels: every set's
// pictures share one budget, a picture that would pass it is refused before
// SDL takes the memory, and one replaced or freed gives its share back.
TEST_F(BitmapSetTest, AllSetsShareOneBudgetOfDecodedPixels) {
  constexpr size_t kClaim = 4096 * 4096;
  WriteFile(dir.File("rle.bmp"), BmpBytes(4096, 4096, 8, 0, true));
  const std::string rle = dir.File("rle.bmp");
  const size_t before = BitmapBytesHeld();
  const int fit = static_cast<int>((kBitmapBudget - before) / kClaim);
  ASSERT_GT(fit, 0);
  for (int slot = 1; slot <= fit; slot++) ASSERT_EQ(LoadBitmapAt(set, rle.c_str(), slot), 0) << slot;
  BitmapSet* other = CreateBitmapSet(8);
  char refused[512];
  std::snprintf(refused, sizeof refused, msg::MsgBitmapLoad, rle.c_str());
  AllocationCounter counter;
  int result = 0;
  EXPECT_EQ(OutputOf(stderr, [&] { result = LoadBitmapAt(other, rle.c_str(), 1); }), refused);
  EXPECT_EQ(result, -1);
  if (AllocationCounter::Available()) {
    EXPECT_LT(counter.Largest(), 1u << 20);
  }
  EXPECT_EQ(LoadBitmapAt(set, rle.c_str(), fit), 0) << "a replaced picture's share is free";
  DestroyBitmapSet(set);
  set = CreateBitmapSet(256);
  EXPECT_EQ(BitmapBytesHeld(), before);
  EXPECT_EQ(LoadBitmapAt(other, rle.c_str(), 1), 0);
  DestroyBitmapSet(other);
}

}  // namespace
