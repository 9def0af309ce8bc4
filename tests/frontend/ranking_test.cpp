#include "frontend/ranking.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "frontend_fixture.h"
#include "graphics/sprite.h"

namespace {

constexpr int kBackgroundSlot = 1501;
constexpr int kFirstRowSlot = 1502;

std::string RowText(HighScoreEntry row) {
  char text[64];
  FormatRankingRow(text, sizeof text, row);
  return text;
}

TEST(RankingRowTest, NamesAndNumbersLineUpInTheirColumns) {
  EXPECT_EQ(RowText({"ABC", 100, 10, 0}), "ABC  10      100 00");
  EXPECT_EQ(RowText({"", 0, 0, 0}), "      0        0 00");
  EXPECT_EQ(RowText({"A C", 123456789, 100, 7}), "A C 100 123456789 07");
}

class RankingTest : public FrontendTest {
 protected:
  void ShowAndSnap() {
    Watch([this](uint32_t frame) {
      passes++;
      if (frame == 0) first.assign(Slot(kBackgroundSlot), Slot(kFirstRowSlot + 5));
    });
    ShowRanking(sys.get());
  }

  int passes = 0;
  std::vector<Sprite> first;
};

TEST_F(RankingTest, ShowsTheFileRowsFadingInUntilButtonZ) {
  WriteFile(ScorePath(), "Q~Q 900 90 1\nRST 800 80 0\n");
  Hold(UpdateRanking, 10, Bit(ButtonX) | Bit(ButtonC) | Bit(Up));
  Hold(UpdateRanking, 30, Bit(ButtonZ));
  ShowAndSnap();
  EXPECT_EQ(sys->timer.frameCount, 30u);
  EXPECT_EQ(passes, 31);

  ASSERT_EQ(first.size(), 6u);
  EXPECT_EQ(first[0].frame, 164);
  EXPECT_EQ(first[0].kind, KindBitmap);
  EXPECT_EQ(first[0].x | first[0].y, 0);
  const char* rows[] = {"Q Q  90      900 01", "RST  80      800 00", "      0        0 00", "      0        0 00",
                        "      0        0 00"};
  for (int r = 0; r < 5; r++) {
    const Sprite& row = first[1 + r];
    EXPECT_EQ(row.kind, KindText) << r;
    EXPECT_STREQ(row.text, rows[r]);
    EXPECT_EQ(row.x, PixelsToFixed(200)) << r;
    EXPECT_EQ(row.y, PixelsToFixed(150 + 48 * r)) << r;
  }
  for (const Sprite& s : first) {
    EXPECT_EQ(s.visible, 1);
    EXPECT_EQ(s.effect, EffectFadeIn);
    EXPECT_EQ(s.alpha, 255 / 120);
  }
  EXPECT_EQ(CountUsedSprites(sys->layers[2]), 0);
  EXPECT_EQ(sys->updateLayer[2], nullptr);
}

TEST_F(RankingTest, WithoutAScoreFileShowsTheDefaultRowsAndWritesNothing) {
  Hold(UpdateRanking, 1, Bit(ButtonZ));
  ShowAndSnap();
  ASSERT_EQ(first.size(), 6u);
  EXPECT_STREQ(first[1].text, "ABC  10      100 00");
  EXPECT_STREQ(first[5].text, "MNO   6       60 00");
  FILE* written = std::fopen(ScorePath().c_str(), "rb");
  EXPECT_EQ(written, nullptr);
  if (written) std::fclose(written);
}

}  // namespace
