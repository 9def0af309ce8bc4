#include "frontend/high_scores.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/messages.h"
#include "support/test_system.h"

namespace {

const char kDefaultFile[] = "ABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\nMNO 60 6 0\n";

// The table as text, one "name score percent tail" row after another.
std::string Rows() {
  std::string text;
  for (const HighScoreEntry& row : TheHighScores()->rows)
    text += std::string(row.name) + "|" + std::to_string(row.score) + " " + std::to_string(row.itemPercent) + " " +
            std::to_string(row.scoreTail) + "\n";
  return text;
}

class HighScoresTest : public testing::Test {
 protected:
  void SetUp() override { ClearHighScores(); }
  std::string Load(const std::string& text) {
    WriteFile(path, text);
    ClearHighScores();
    EXPECT_EQ(LoadHighScores(path.c_str()), 0);
    return Rows();
  }
  TempDir dir;
  const std::string path = dir.File("sc");
};

TEST_F(HighScoresTest, TheDefaultsQualifyFromSixtyAndEqualScoresGoAbove) {
  EXPECT_EQ(LoadHighScores(dir.File("none").c_str()), 0);
  EXPECT_EQ(Rows(), "ABC|100 10 0\nDEF|90 9 0\nGHI|80 8 0\nJKL|70 7 0\nMNO|60 6 0\n");
  EXPECT_FALSE(HighScoreQualifies(59));
  EXPECT_TRUE(HighScoreQualifies(60));
  InsertHighScore("TOP", 100, 1, 0);
  InsertHighScore("MID", 90, 2, 3);
  InsertHighScore("LOW", 69, 0, 0);  // worse than every row: nothing changes
  InsertHighScore("LONGNAME", 95, 0, 0);
  EXPECT_EQ(Rows(), "TOP|100 1 0\nABC|100 10 0\nLON|95 0 0\nMID|90 2 3\nDEF|90 9 0\n");
}

TEST_F(HighScoresTest, SavedTablesReadBackTheSameWithBlanksInNamesAndEmptyRows) {
  LoadHighScores(dir.File("none").c_str());
  EXPECT_EQ(SaveHighScores(path.c_str()), 0);
  EXPECT_EQ(ReadFile(path), kDefaultFile);

  InsertHighScore("A C", 95, 50, 0);
  InsertHighScore(" B ", 85, 40, 0);
  InsertHighScore("   ", 82, 30, 0);
  const std::string table = Rows();
  SaveHighScores(path.c_str());
  const std::string saved = ReadFile(path);
  EXPECT_EQ(saved, "ABC 100 10 0\nA~C 95 50 0\nDEF 90 9 0\n~B~ 85 40 0\n~~~ 82 30 0\n");
  EXPECT_EQ(Load(saved), table);

  // Empty rows are written with an empty name and read back as empty rows,
  // not as a name "0" with the numbers shifted.
  EXPECT_EQ(Load("ZED 300 30 5\nYOU 250 25 0\n"), "ZED|300 30 5\nYOU|250 25 0\n|0 0 0\n|0 0 0\n|0 0 0\n");
  EXPECT_TRUE(HighScoreQualifies(0));
  SaveHighScores(path.c_str());
  EXPECT_EQ(ReadFile(path), "ZED 300 30 5\nYOU 250 25 0\n 0 0 0\n 0 0 0\n 0 0 0\n");
  EXPECT_EQ(Load(ReadFile(path)), "ZED|300 30 5\nYOU|250 25 0\n|0 0 0\n|0 0 0\n|0 0 0\n");
}

TEST_F(HighScoresTest, MalformedRowsKeepWhatTheyHoldAndSpoilNoOtherRow) {
  const std::pair<std::string, std::string> cases[] = {
      {"ABCDEFGHIJKLMNOP 100 10 0\nDEF 90 9 0\r\nGH\t80\t8\t0\n",
       "ABC|100 10 0\nDEF|90 9 0\nGH|80 8 0\n|0 0 0\n|0 0 0\n"},
      // Beyond int, a bad field, missing fields, blank lines, int's smallest
      // value, a number glued to letters, and one past int's largest.
      {"AAA 99999999999 5 0\nBBB 80 x 7\nCCC 70\n\n   \r\nDDD -2147483648 12abc 1\nEEE 2147483648 1 1\n",
       "AAA|0 0 0\nBBB|80 0 0\nCCC|70 0 0\nDDD|-2147483648 0 0\nEEE|0 0 0\n"},
      {"NUM 123456789012345678901234567890 1 2\nOK -0 +5 007\n+ 1 - 2\nX -\nMIN -2147483649 1 1\n",
       "NUM|0 0 0\nOK|0 5 7\n+|1 0 0\nX|0 0 0\nMIN|0 0 0\n"},
      {"", "|0 0 0\n|0 0 0\n|0 0 0\n|0 0 0\n|0 0 0\n"},
      // Bytes of every kind, a NUL among them, and a line far longer than a row.
      {std::string("\x01\xff\x00Q 5 5 5\n", 11) + std::string(5000, '7') + " 1 2 3\nOK 1 2 3\n",
       std::string("\x01\xff|5 5 5\n777|1 2 3\nOK|1 2 3\n|0 0 0\n|0 0 0\n")},
      // Fields may stand on lines of their own, as any white space separates them.
      {"ABC\n100\n10\n0\nDEF 90 9 0\nGHI 80\t8 0\n\n  JKL 70\r\n7\n0 MNO 60 6 0\n",
       "ABC|100 10 0\nDEF|90 9 0\nGHI|80 8 0\nJKL|70 7 0\nMNO|60 6 0\n"},
  };
  for (const auto& [file, rows] : cases) EXPECT_EQ(Load(file), rows) << file.substr(0, 60);
}

TEST_F(HighScoresTest, AFailedSaveReportsKeepsTheOldFileAndTheTableUntilASaveGoesThrough) {
  WriteFile(path, "OLD 1 1 1\n");
  LoadHighScores(path.c_str());
  InsertHighScore("NEW", 50, 5, 0);
  {
    const FileSizeLimit full(20);  // the message fits, the table does not
    EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(SaveHighScores(path.c_str()), 0); }), msg::MsgScoreSave);
  }
  EXPECT_EQ(ReadFile(path), "OLD 1 1 1\n");
  // The screens reload the file after every entry: the result stays.
  ClearHighScores();
  LoadHighScores(path.c_str());
  EXPECT_EQ(Rows().substr(0, 21), "NEW|50 5 0\nOLD|1 1 1\n");
  WriteFile(dir.File("other"), "ZZZ 7 7 7\n");  // another file reads as it is
  LoadHighScores(dir.File("other").c_str());
  EXPECT_EQ(Rows().substr(0, 10), "ZZZ|7 7 7\n");

  LoadHighScores(path.c_str());
  SaveHighScores(path.c_str());
  EXPECT_EQ(ReadFile(path).substr(0, 21), "NEW 50 5 0\nOLD 1 1 1\n");
  EXPECT_EQ(Load("FIL 3 3 3\n").substr(0, 10), "FIL|3 3 3\n") << "once saved, the file is read again";
}

}  // namespace
