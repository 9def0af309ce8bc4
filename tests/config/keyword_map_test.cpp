#include "config/keyword_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "engine/messages.h"
#include "support/test_system.h"

namespace {

class KeywordMapTest : public testing::Test {
 protected:
  void SetUp() override { map = CreateKeywordMap(256); }
  void TearDown() override { DestroyKeywordMap(map); }

  void Load(const std::string& content) {
    WriteFile(dir.File("config"), content);
    ASSERT_EQ(LoadKeywordFile(map, dir.File("config").c_str()), 0);
  }
  std::string Get(const char* key) {
    const char* value = GetKeyword(map, key);
    return value ? value : "<absent>";
  }

  TempDir dir;
  KeywordMap* map = nullptr;
};

TEST_F(KeywordMapTest, ReadsCrLfBlanksAndSkipsCommentAndBlankLines) {
  Load("#\r\n\r\n\nlevel 3\r\n# level 5\r\nname\t \tvalue\n");
  EXPECT_EQ(Get("level"), "3");
  EXPECT_EQ(Get("name"), "value");
  EXPECT_EQ(FindKeyword(map, "level"), 0);
  EXPECT_EQ(FindKeyword(map, "name"), 1);
}

TEST_F(KeywordMapTest, ALineStartingWithATabIsNotACommentAndAKeyAloneHasAnEmptyValue) {
  Load("\t#word\nkeyonly\n");
  EXPECT_EQ(Get("word"), "");
  EXPECT_EQ(Get("keyonly"), "");
  ASSERT_EQ(SaveKeywordFile(map, dir.File("out").c_str()), 0);
  EXPECT_EQ(ReadFile(dir.File("out")), "#\nword\t\t\t\t\nkeyonly\t\t\t\t\n");
}

TEST_F(KeywordMapTest, ARepeatedKeyKeepsItsSlotAndTakesTheLastValue) {
  Load("level 1\nother x\nlevel 4\n");
  EXPECT_EQ(FindKeyword(map, "level"), 0);
  EXPECT_EQ(Get("level"), "4");
  ASSERT_EQ(SaveKeywordFile(map, dir.File("out").c_str()), 0);
  EXPECT_EQ(ReadFile(dir.File("out")), "#\nlevel\t\t\t\t4\nother\t\t\t\tx\n");
}

TEST_F(KeywordMapTest, The257thKeyIsRefusedAndTheFirst256AreWrittenInFileOrder) {
  std::string content;
  for (int i = 0; i < 257; i++) content += "k" + std::to_string(i) + " v" + std::to_string(i) + "\n";
  std::string err;
  {
    CapturedStream captured(stderr);
    Load(content);
    err = captured.Text();
  }
  EXPECT_EQ(err, msg::MsgKeywordOverflow);
  EXPECT_EQ(Get("k255"), "v255");
  EXPECT_EQ(Get("k256"), "<absent>");
  ASSERT_EQ(SaveKeywordFile(map, dir.File("out").c_str()), 0);
  const std::string saved = ReadFile(dir.File("out"));
  EXPECT_EQ(saved.find("k0\t\t\t\tv0\nk1\t\t\t\tv1\n"), 2u);
  EXPECT_EQ(saved.find("k256"), std::string::npos);
}

TEST_F(KeywordMapTest, ALineOfBlanksReportsAMissingKeyAndReadingGoesOn) {
  std::string err;
  {
    CapturedStream captured(stderr);
    Load("   \nlevel 2\n");
    err = captured.Text();
  }
  EXPECT_EQ(err, msg::MsgKeywordFailed);
  EXPECT_EQ(Get("level"), "2");
}

TEST_F(KeywordMapTest, AMissingFileIsReportedAndSavingCreatesItWithTheHeaderOnly) {
  std::string err;
  const std::string path = dir.File("config");
  {
    CapturedStream captured(stderr);
    EXPECT_EQ(LoadKeywordFile(map, path.c_str()), -1);
    err = captured.Text();
  }
  char expected[512];
  std::snprintf(expected, sizeof expected, msg::MsgConfigOpen, path.c_str());
  EXPECT_EQ(err, expected);
  EXPECT_EQ(Get("level"), "<absent>");
  ASSERT_EQ(SaveKeywordFile(map, path.c_str()), 0);
  EXPECT_EQ(ReadFile(path), "#\n");
  // What was saved reads back: the header line is skipped.
  Load(ReadFile(path));
  EXPECT_EQ(FindFreeKeyword(map), 0);
}

TEST_F(KeywordMapTest, AFailedSaveKeepsTheOldFile) {
  const std::string path = dir.File("config");
  WriteFile(path, "#\nlevel\t\t\t\t6\n");
  mkdir((path + ".tmp").c_str(), 0700);  // the temporary file cannot be created
  SetKeyword(map, "level", "1");
  std::string err;
  {
    CapturedStream captured(stderr);
    EXPECT_EQ(SaveKeywordFile(map, path.c_str()), -1);
    err = captured.Text();
  }
  char expected[512];
  std::snprintf(expected, sizeof expected, msg::MsgCannotCreate, path.c_str());
  EXPECT_EQ(err, expected);
  EXPECT_EQ(ReadFile(path), "#\nlevel\t\t\t\t6\n");
}

TEST_F(KeywordMapTest, ASaveOverAFolderThatIsNotWritableFailsOnRenameToo) {
  // A directory standing where the file should go: the rename must fail and
  // the temporary file must not be left behind.
  const std::string path = dir.File("config");
  mkdir(path.c_str(), 0700);
  SetKeyword(map, "level", "1");
  std::string err;
  {
    CapturedStream captured(stderr);
    EXPECT_EQ(SaveKeywordFile(map, path.c_str()), -1);
    err = captured.Text();
  }
  struct stat info;
  EXPECT_NE(stat((path + ".tmp").c_str(), &info), 0);
}

TEST_F(KeywordMapTest, OverlongKeysAndValuesAreCutAndOverlongLinesSkipped) {
  const std::string longKey(300, 'k');
  const std::string longValue(300, 'v');
  const std::string hugeLine(5000, 'x');
  Load(longKey + " " + longValue + "\n" + hugeLine + " tail\nlevel 7\n");
  const std::string cutKey(199, 'k');
  EXPECT_EQ(Get(cutKey.c_str()), std::string(199, 'v'));
  EXPECT_EQ(Get("tail"), "<absent>") << "the rest of an overlong line is not a line of its own";
  EXPECT_EQ(Get("level"), "7");
}

TEST(KeywordMapNoMap, EveryOperationIsHarmlessWithoutAMap) {
  EXPECT_EQ(CreateKeywordMap(-1), nullptr);
  EXPECT_EQ(GetKeyword(nullptr, "level"), nullptr);
  EXPECT_EQ(SetKeyword(nullptr, "level", "1"), -1);
  EXPECT_EQ(FindKeyword(nullptr, "level"), -1);
  EXPECT_EQ(LoadKeywordFile(nullptr, "/nonexistent"), -1);
  EXPECT_EQ(SaveKeywordFile(nullptr, "/tmp/x"), -1);
  DestroyKeywordMap(nullptr);
}

}  // namespace
