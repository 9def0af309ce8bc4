#include "frontend/ranking.h"

#include "frontend/high_scores.h"
#include "frontend/screen_test.h"

namespace {

constexpr int kBackgroundSlot = 1501;
constexpr int kFirstRowSlot = 1502;

std::string RowText(HighScoreEntry row) {
  char text[64];
  FormatRankingRow(text, sizeof text, row);
  return text;
}

class RankingTest : public ScreenTest {
 protected:
  void ShowAndLook() {
    watch = [this](uint32_t frame) {
      passes++;
      if (frame != 0) return;
      layout = Looks(kBackgroundSlot, kFirstRowSlot + 4);
      for (int s = kBackgroundSlot; s <= kFirstRowSlot + 4; s++) fadingIn += Slot(s)->effect == EffectFadeIn;
    };
    ShowRanking(sys);
    ExpectCleanedUp();
  }
  int passes = 0;
  int fadingIn = 0;
  std::vector<std::string> layout;
};

TEST_F(RankingTest, ShowsTheFileRowsInTheirColumnsFadingInUntilButtonZ) {
  EXPECT_EQ(RowText({"A C", 123456789, 100, 7}), "A C 100 123456789 07");
  WriteFile(scorePath, "Q~Q 900 90 1\nRST 800 80 0\n");
  Hold(UpdateRanking, 10, kX | kC | kUp);
  Hold(UpdateRanking, 30, kZ);
  ShowAndLook();
  EXPECT_EQ(passes, 31);
  EXPECT_EQ(layout, (std::vector<std::string>{"#164 0,0", "'Q Q  90      900 01' 200,150",
                                              "'RST  80      800 00' 200,198", "'      0        0 00' 200,246",
                                              "'      0        0 00' 200,294", "'      0        0 00' 200,342"}));
  EXPECT_EQ(fadingIn, 6);
}

TEST_F(RankingTest, WithoutAScoreFileShowsTheDefaultRowsAndWritesNothing) {
  Hold(UpdateRanking, 1, kZ);
  ShowAndLook();
  ASSERT_EQ(layout.size(), 6u);
  EXPECT_EQ(layout[1], "'ABC  10      100 00' 200,150");
  EXPECT_EQ(layout[5], "'MNO   6       60 00' 200,342");
  EXPECT_EQ(ReadFile(scorePath), "");
}

}  // namespace
