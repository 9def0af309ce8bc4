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
  // What a save writes over the file the map was loaded from.
  std::string Saved() {
    EXPECT_EQ(SaveKeywordFile(map, path.c_str()), 0);
    return ReadFile(path);
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
      // A key's name may have words, cut as any value; every other value is one word.
      {"key_down  right \t shift # the other one\r\nlevel 3 extra\nkey_up\tup\t\nkey_v #\nkey_c " + longValue + " x\n",
       "#\nkey_down\t\t\t\tright shift\nlevel\t\t\t\t3\nkey_up\t\t\t\tup\nkey_v\t\t\t\t\nkey_c\t\t\t\t" +
           longValue.substr(0, 199) + "\n",
       ""},
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
  std::string huge;
  for (int i = 0; i < 1500; i++) huge += "k" + std::to_string(i) + " " + std::string(4000, 'v') + "\n";
  Load(huge);
  char refused[512];
  std::snprintf(refused, sizeof refused, msg::MsgCannotCreate, path.c_str());
  EXPECT_EQ(OutputOf(stderr, [&] { EXPECT_EQ(SaveKeywordFile(map, path.c_str()), -1); }), refused);
  EXPECT_EQ(ReadFile(path), huge);
}

TEST_F(KeywordMapTest, ASaveWritesWhatThisRunSetOverTheFileAsItStands) {
  // Two games read the same file; what each sets survives the other's save,
  // and a key neither set keeps the file's value at the moment of the save.
  WriteFile(path, "#\na 1\nlevel 2\nb 3\n");
  KeywordMap* other = CreateKeywordMap(256);
  LoadKeywordFile(map, path.c_str());
  LoadKeywordFile(other, path.c_str());
  SetKeyword(map, "level", "5");
  SetKeyword(other, "b", "9");
  SetKeyword(other, "sound_volume", "64");
  EXPECT_EQ(SaveKeywordFile(other, path.c_str()), 0);
  WriteFile(path, ReadFile(path) + "c\t\t\t\t4\n");  // the player edits the file meanwhile
  EXPECT_EQ(Saved(), "#\na\t\t\t\t1\nlevel\t\t\t\t5\nb\t\t\t\t9\nsound_volume\t\t\t\t64\nc\t\t\t\t4\n");
  DestroyKeywordMap(other);

  // Games that save at the same moment, each its own key: both keys stay.
  for (int round = 0; round < 20; round++) {
    const std::string value = std::to_string(round);
    auto game = [&](const char* key) {
      return [&, key] {
        SetKeyword(map, key, value.c_str());
        if (SaveKeywordFile(map, path.c_str()) != 0) _exit(1);
      };
    };
    ClearKeywordMap(map);
    ASSERT_TRUE(RunAtOnce({game("one"), game("two")}));
    const std::string file = ReadFile(path);
    for (const char* key : {"\none\t\t\t\t", "\ntwo\t\t\t\t"})
      ASSERT_NE(file.find(key + value + "\n"), file.npos) << "round " << round << ":\n" << file;
  }
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
