// The grammar of the picture and sound lists, read once by ReadSlotList for
// both, and the line reader beneath every text file of the game.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/text_lines.h"
#include "support/test_system.h"

namespace {

// What a list hands its loader, one "slot path fields" entry per call.
std::vector<std::string> Read(const std::string& list, std::string* printed) {
  std::vector<std::string> calls;
  FILE* file = fmemopen(const_cast<char*>(list.data()), list.size(), "rb");
  CapturedStream captured(stderr);
  ReadSlotList(
      file, "dir/",
      [](void* context, int slot, const char* path, int fields) {
        static_cast<std::vector<std::string>*>(context)->push_back(std::to_string(slot) + " " + path + " " +
                                                                   std::to_string(fields));
      },
      &calls);
  std::fclose(file);
  *printed = captured.Text();
  return calls;
}

TEST(SlotList, LinesGiveASlotAFileAndAnyThirdFieldCommentsAndBlanksNothing) {
  const std::string longName(4092, 'n');  // "dir/" and it make 4096 bytes: one too many
  struct Case {
    std::string list;
    std::vector<std::string> calls;
    bool pathTooLong = false;
  };
  const Case cases[] = {
      {"# pictures\n\n\r\n#12 a\n  # word\n", {}},
      {"7 a\n7 b\n", {"7 dir/a 2", "7 dir/b 2"}},  // the loader replaces the slot
      {"10\ta\t# menu select\r\n", {"10 dir/a 3"}},
      {"  8 b opaque extra\n \t \n9\n", {"8 dir/b 3"}},
      // The loader judges the slot: no number reads as -1, a number beyond the integer as its end.
      {"300 a\n-4 a\n+7 a\nx a\n150x a\n0x10 a\n4294967446 a\n-9999999999 a\n",
       {"300 dir/a 2", "-4 dir/a 2", "7 dir/a 2", "-1 dir/a 2", "-1 dir/a 2", "-1 dir/a 2", "2147483647 dir/a 2",
        "-2147483648 dir/a 2"}},
      {"15 " + longName + "\n16 a", {"16 dir/a 2"}, true},
      {"17 " + longName.substr(1), {"17 dir/" + longName.substr(1) + " 2"}},  // 4095 bytes: the longest path
  };
  for (const Case& c : cases) {
    std::string printed;
    EXPECT_EQ(Read(c.list, &printed), c.calls) << c.list.substr(0, 30);
    char expected[8192] = "";
    if (c.pathTooLong) std::snprintf(expected, sizeof expected, msg::MsgPathTooLong, longName.c_str());
    EXPECT_EQ(printed, expected);
  }
}

TEST(LineReader, ALineOfExactly4095CharactersIsWholeAndALongerOneIsSkipped) {
  const std::string text =
      std::string(4094, 'c') + "\nnext\n" + std::string(4095, 'a') + "\n" + std::string(5000, 'b') + " tail\nlast";
  FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
  LineReader reader{file, {}};
  ASSERT_NE(ReadLine(&reader), nullptr);
  EXPECT_EQ(std::strlen(reader.line), 4095u) << "4094 characters and the line end fill the buffer";
  ASSERT_NE(ReadLine(&reader), nullptr);
  EXPECT_STREQ(reader.line, "next\n");
  ASSERT_NE(ReadLine(&reader), nullptr);
  EXPECT_EQ(std::strlen(reader.line), 4095u) << "a line of exactly 4095 characters is whole";
  ASSERT_NE(ReadLine(&reader), nullptr);
  EXPECT_STREQ(reader.line, "last") << "the rest of an overlong line is not a line of its own";
  EXPECT_EQ(ReadLine(&reader), nullptr);
  std::fclose(file);
}

}  // namespace
