#include "frontend/high_scores.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "engine/messages.h"
#include "support/test_system.h"

namespace {

const char kDefaultFile[] = "ABC 100 10 0\nDEF 90 9 0\nGHI 80 8 0\nJKL 70 7 0\nMNO 60 6 0\n";

class HighScoresTest : public testing::Test {
 protected:
  void SetUp() override { ClearHighScores(); }

  const HighScoreEntry& Row(int r) const { return TheHighScores()->rows[r]; }
  std::string Names() const {
    std::string names;
    for (const HighScoreEntry& row : TheHighScores()->rows) names += std::string(row.name) + "|";
    return names;
  }
  void LoadText(const std::string& text) {
    WriteFile(Path(), text);
    ClearHighScores();
    EXPECT_EQ(LoadHighScores(Path().c_str()), 0);
  }
  std::string Path() const { return dir.File("sc"); }
  void ExpectRow(int r, const char* name, int score, int itemPercent, int scoreTail) const {
    SCOPED_TRACE(testing::Message() << "row " << r);
    EXPECT_STREQ(Row(r).name, name);
    EXPECT_EQ(Row(r).score, score);
    EXPECT_EQ(Row(r).itemPercent, itemPercent);
    EXPECT_EQ(Row(r).scoreTail, scoreTail);
  }

  TempDir dir;
};

TEST_F(HighScoresTest, MissingFileGivesTheDefaultRowsAndSixtyQualifiesButFiftyNineDoesNot) {
  EXPECT_EQ(LoadHighScores(dir.File("none").c_str()), 0);
  ExpectRow(0, "ABC", 100, 10, 0);
  ExpectRow(1, "DEF", 90, 9, 0);
  ExpectRow(2, "GHI", 80, 8, 0);
  ExpectRow(3, "JKL", 70, 7, 0);
  ExpectRow(4, "MNO", 60, 6, 0);

  EXPECT_FALSE(HighScoreQualifies(59));
  EXPECT_TRUE(HighScoreQualifies(60));
  InsertHighScore("___", 60, 3, 0);
  EXPECT_EQ(Names(), "ABC|DEF|GHI|JKL|___|");
  ExpectRow(4, "___", 60, 3, 0);
}

TEST_F(HighScoresTest, EqualScoresGoAboveAndWorseThanEveryRowChangesNothing) {
  LoadHighScores(dir.File("none").c_str());
  InsertHighScore("TOP", 100, 1, 0);
  EXPECT_EQ(Names(), "TOP|ABC|DEF|GHI|JKL|");
  InsertHighScore("MID", 90, 2, 0);
  EXPECT_EQ(Names(), "TOP|ABC|MID|DEF|GHI|");

  InsertHighScore("LOW", 69, 0, 0);
  EXPECT_EQ(Names(), "TOP|ABC|MID|DEF|GHI|");

  // A name handed in longer than the field keeps its first three letters.
  InsertHighScore("LONGNAME", 200, 0, 0);
  ExpectRow(0, "LON", 200, 0, 0);
}

TEST_F(HighScoresTest, SavingTheDefaultsWritesFiveLinesOfSingleBlanks) {
  LoadHighScores(dir.File("none").c_str());
  EXPECT_EQ(SaveHighScores(Path().c_str()), 0);
  EXPECT_EQ(ReadFile(Path()), kDefaultFile);
  struct stat info;
  EXPECT_NE(stat((Path() + ".tmp").c_str(), &info), 0) << "temporary file left behind";
}

TEST_F(HighScoresTest, AFileOfTwoLinesLoadsTwoRowsAndTheRestStayZero) {
  LoadText("ZED 300 30 5\nYOU 250 25 0\n");
  ExpectRow(0, "ZED", 300, 30, 5);
  ExpectRow(1, "YOU", 250, 25, 0);
  for (int r = 2; r < 5; r++) ExpectRow(r, "", 0, 0, 0);
  EXPECT_TRUE(HighScoreQualifies(0));

  // Empty rows are written with an empty name and read back as empty rows,
  // not as a name "0" with the numbers shifted.
  SaveHighScores(Path().c_str());
  EXPECT_EQ(ReadFile(Path()), "ZED 300 30 5\nYOU 250 25 0\n 0 0 0\n 0 0 0\n 0 0 0\n");
  ClearHighScores();
  LoadHighScores(Path().c_str());
  for (int r = 2; r < 5; r++) ExpectRow(r, "", 0, 0, 0);
  ExpectRow(1, "YOU", 250, 25, 0);
}

TEST_F(HighScoresTest, NamesWithBlanksSurviveSaveAndLoadWithoutShiftingOtherRows) {
  LoadHighScores(dir.File("none").c_str());
  InsertHighScore("A C", 95, 50, 0);
  InsertHighScore(" B ", 85, 40, 0);
  InsertHighScore("   ", 82, 30, 0);
  SaveHighScores(Path().c_str());
  const std::string saved = ReadFile(Path());
  EXPECT_NE(saved.find("ABC 100 10 0\n"), std::string::npos) << "plain names must keep the old format";

  ClearHighScores();
  LoadHighScores(Path().c_str());
  ExpectRow(0, "ABC", 100, 10, 0);
  ExpectRow(1, "A C", 95, 50, 0);
  ExpectRow(2, "DEF", 90, 9, 0);
  ExpectRow(3, " B ", 85, 40, 0);
  ExpectRow(4, "   ", 82, 30, 0);
  SaveHighScores(Path().c_str());
  EXPECT_EQ(ReadFile(Path()), saved) << "a second round trip changes nothing";
}

TEST_F(HighScoresTest, AnOverlongNameWordKeepsThreeLettersAndTheNextRowsInPlace) {
  LoadText("ABCDEFGHIJKLMNOP 100 10 0\nDEF 90 9 0\r\nGH\t80\t8\t0\n");
  ExpectRow(0, "ABC", 100, 10, 0);
  ExpectRow(1, "DEF", 90, 9, 0);
  ExpectRow(2, "GH", 80, 8, 0);
  ExpectRow(3, "", 0, 0, 0);
}

TEST_F(HighScoresTest, MalformedRowsLeaveTheirUnreadFieldsZeroAndSpoilNoOtherRow) {
  LoadText(
      "AAA 99999999999 5 0\n"      // score beyond int: not a number
      "BBB 80 x 7\n"               // the first bad field ends the row
      "CCC 70\n"                   // missing fields
      "\n   \r\n"                  // lines of white space hold no row
      "DDD -2147483648 12abc 1\n"  // the smallest int is fine, 12abc is not
      "EEE 2147483648 1 1\n");
  ExpectRow(0, "AAA", 0, 0, 0);
  ExpectRow(1, "BBB", 80, 0, 0);
  ExpectRow(2, "CCC", 70, 0, 0);
  ExpectRow(3, "DDD", -2147483648, 0, 0);
  ExpectRow(4, "EEE", 0, 0, 0);

  // Digits enough to overflow any integer type on the way.
  LoadText("NUM 123456789012345678901234567890 1 2\nOK -0 +5 007\n");
  ExpectRow(0, "NUM", 0, 0, 0);
  ExpectRow(1, "OK", 0, 5, 7);

  LoadText("");
  EXPECT_EQ(Names(), "|||||");
  EXPECT_EQ(Row(0).score, 0);

  // Bytes of every kind, a NUL among them, and a line far longer than a row,
  // fed through the stream entry.
  std::string bytes = std::string("\x01\xff\x00Q 5 5 5\n", 11) + std::string(5000, '7') + " 1 2 3\nOK 1 2 3\n";
  FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
  ASSERT_NE(stream, nullptr);
  ClearHighScores();
  EXPECT_EQ(LoadHighScoresStream(stream), 0);
  std::fclose(stream);
  ExpectRow(0, "\x01\xff", 5, 5, 5);
  ExpectRow(1, "777", 0, 0, 0);
  ExpectRow(2, "OK", 1, 2, 3);
}

TEST_F(HighScoresTest, AFailedSaveReportsAndKeepsTheOldFile) {
  WriteFile(Path(), "OLD 1 1 1\n");
  LoadHighScores(dir.File("none").c_str());
  // The temporary file cannot be created where a folder of its name stands.
  ASSERT_EQ(mkdir((Path() + ".tmp").c_str(), 0700), 0);
  CapturedStream captured(stderr);
  EXPECT_EQ(SaveHighScores(Path().c_str()), 0);
  EXPECT_EQ(captured.Text(), msg::MsgScoreSave);
  EXPECT_EQ(ReadFile(Path()), "OLD 1 1 1\n");

  CapturedStream missingFolder(stderr);
  SaveHighScores(dir.File("no/such/sc").c_str());
  EXPECT_EQ(missingFolder.Text(), msg::MsgScoreSave);
}

// The screens reload the file after every entry; a result that could not be
// written must not vanish from them, and goes into the file once it can.
TEST_F(HighScoresTest, AnUnsavedTableIsTheFilesTableUntilASaveGoesThrough) {
  WriteFile(Path(), "OLD 1 1 1\n");
  LoadHighScores(Path().c_str());
  InsertHighScore("NEW", 50, 5, 0);
  ASSERT_EQ(mkdir((Path() + ".tmp").c_str(), 0700), 0);
  {
    CapturedStream quiet(stderr);
    SaveHighScores(Path().c_str());
  }
  ClearHighScores();
  LoadHighScores(Path().c_str());
  ExpectRow(0, "NEW", 50, 5, 0);
  ExpectRow(1, "OLD", 1, 1, 1);
  EXPECT_EQ(ReadFile(Path()), "OLD 1 1 1\n");
  WriteFile(dir.File("other"), "ZZZ 7 7 7\n");  // another file is read as it is
  LoadHighScores(dir.File("other").c_str());
  ExpectRow(0, "ZZZ", 7, 7, 7);

  ASSERT_EQ(rmdir((Path() + ".tmp").c_str()), 0);
  LoadHighScores(Path().c_str());
  SaveHighScores(Path().c_str());
  EXPECT_EQ(ReadFile(Path()).substr(0, 21), "NEW 50 5 0\nOLD 1 1 1\n");
  WriteFile(Path(), "FIL 3 3 3\n");
  ClearHighScores();
  LoadHighScores(Path().c_str());
  ExpectRow(0, "FIL", 3, 3, 3);
}

}  // namespace
