#include "config/keyword_map.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>

#include "base/messages.h"
#include "support/test_system.h"

namespace {

class KeywordMapTest : public testing::Test {
 protected:
  void SetUp() override { map = CreateKeywordMap(256); }
  void TearDown() override { DestroyKeywordMap(map); }
  // Loads the text into an empty map; returns what was printed.
  std::string Load(const std::string& content) {
    ClearKeywordMap(map);
    WriteFile(path, content);
    return OutputOf(stderr, [&] { EXPECT_EQ(LoadKeywordFile(map, path.c_str()), 0); });
  }
  std::string Saved() {
    EXPECT_EQ(SaveKeywordFile(map, dir.File("out").c_str()), 0);
    return ReadFile(dir.File("out"));
  }
  TempDir dir;
  const std::string path = dir.File("config");
  KeywordMap* map = nullptr;
};

TEST_F(KeywordMapTest, LinesReadAndWriteBackInTheFileLayout) {
  struct Case {
    std::string file, saved, printed;
  };
  const std::string longKey(300, 'k'), longValue(300, 'v');
  const Case cases[] = {
      {"#\r\n\r\n\nlevel 3\r\n# level 5\r\nname\t \tvalue\n", "#\nlevel\t\t\t\t3\nname\t\t\t\tvalue\n", ""},
      // A tab first is no comment; a key alone has an empty value.
      {"\t#word\nkeyonly\n", "#\nword\t\t\t\t\nkeyonly\t\t\t\t\n", ""},
      // A repeated key keeps its place and takes the last value.
      {"level 1\nother x\nlevel 4\n", "#\nlevel\t\t\t\t4\nother\t\t\t\tx\n", ""},
      // A line of blanks has no key; reading goes on.
      {"   \nlevel 2\n", "#\nlevel\t\t\t\t2\n", msg::MsgKeywordFailed},
      // Overlong keys and values are cut; an overlong line is skipped whole.
      {longKey + " " + longValue + "\n" + std::string(5000, 'x') + " tail\nlevel 7\n",
       "#\n" + longKey.substr(0, 199) + "\t\t\t\t" + longValue.substr(0, 199) + "\nlevel\t\t\t\t7\n", ""},
      {"#\n", "#\n", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Load(c.file), c.printed) << c.file.substr(0, 40);
    EXPECT_EQ(Saved(), c.saved) << c.file.substr(0, 40);
  }
  EXPECT_EQ(FindKeyword(map, "level"), -1);
  EXPECT_EQ(FindFreeKeyword(map), 0);
  Load("a 1\nb 2\n");
  EXPECT_EQ(FindKeyword(map, "b"), 1);
  EXPECT_STREQ(GetKeyword(map, "a"), "1");
  EXPECT_EQ(GetKeyword(map, "c"), nullptr);
}

TEST_F(KeywordMapTest, AnOverfullFileIsReportedOnceAndSavedBackWithEveryLine) {
  // The keys that find no slot, "level" among them, keep their lines as read.
  std::string content;
  for (int i = 0; i < 10000; i++) content += "k" + std::to_string(i) + "\t\t\t\tv" + std::to_string(i) + "\n";
  content += "level 3\r\nlast";
  EXPECT_EQ(Load(content), msg::MsgKeywordOverflow);
  EXPECT_STREQ(GetKeyword(map, "k255"), "v255");
  EXPECT_EQ(GetKeyword(map, "k256"), nullptr);
  // Settings the game then finds no room for add no second message.
  EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(SetKeyword(map, "sound_volume", "112"), -1); }), "");
  EXPECT_EQ(Saved(), "#\n" + content + "\n");

  // Past what the map keeps aside, saving would lose lines: it is refused.
  WriteFile(path, "#\n");
  std::string huge;
  for (int i = 0; i < 1500; i++) huge += "k" + std::to_string(i) + " " + std::string(4000, 'v') + "\n";
  Load(huge);
  char refused[512];
  std::snprintf(refused, sizeof refused, msg::MsgCannotCreate, path.c_str());
  WriteFile(path, "#\nold\t\t\t\tfile\n");
  EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(SaveKeywordFile(map, path.c_str()), -1); }), refused);
  EXPECT_EQ(ReadFile(path), "#\nold\t\t\t\tfile\n");
}

TEST_F(KeywordMapTest, MissingFilesAndFailedSavesAreReported) {
  char expected[512];
  std::snprintf(expected, sizeof expected, msg::MsgConfigOpen, path.c_str());
  EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(LoadKeywordFile(map, path.c_str()), -1); }), expected);
  // A folder where the file should be is refused.
  SetKeyword(map, "level", "1");
  const std::string folder = dir.File("folder");
  ASSERT_EQ(mkdir(folder.c_str(), 0700), 0);
  std::snprintf(expected, sizeof expected, msg::MsgCannotCreate, folder.c_str());
  EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(SaveKeywordFile(map, folder.c_str()), -1); }), expected);
}

TEST(KeywordMapNoMap, EveryOperationIsHarmlessWithoutAMap) {
  EXPECT_EQ(CreateKeywordMap(-1), nullptr);
  EXPECT_EQ(GetKeyword(nullptr, "level"), nullptr);
  EXPECT_EQ(SetKeyword(nullptr, "level", "1"), -1);
  EXPECT_EQ(FindKeyword(nullptr, "level"), -1);
  EXPECT_EQ(FindFreeKeyword(nullptr), -1);
  EXPECT_EQ(LoadKeywordFile(nullptr, "/nonexistent"), -1);
  EXPECT_EQ(SaveKeywordFile(nullptr, "/tmp/x"), -1);
  DestroyKeywordMap(nullptr);
}

}  // namespace
