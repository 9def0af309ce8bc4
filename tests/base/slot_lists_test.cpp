// The list files that fill numbered slots, pictures and sounds alike: one
// grammar, checked once against both readers, and the line reader beneath.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "base/messages.h"
#include "base/text_lines.h"
#include "graphics/bitmap_set.h"
#include "sound/sound_bank.h"
#include "support/test_media.h"
#include "support/test_system.h"

namespace {

// One reader of slot lists: it loads a folder's list.txt and tells what a
// slot holds (0 = empty, else 1 for file "a", 2 for file "b").
struct Reader {
  const char* extension;
  const char* slotMessage;
  const char* missingMessage;
  std::function<void(const std::string& dir)> load;
  std::function<int(int slot)> holds;
};

class SlotListTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_AUDIO), 0);
    ASSERT_EQ(OpenAudio(), 1);
    SaveTestBitmap(dir.File("a.bmp"), 48, 48, {200, 0, 0}, {0, 0, 0});
    SaveTestBitmap(dir.File("b.bmp"), 16, 16, {0, 200, 0}, {0, 0, 0});
    WriteFile(dir.File("a.wav"), TestWav(2205, 3));
    WriteFile(dir.File("b.wav"), TestWav(1000, 7));
    set = CreateBitmapSet(256);
    bank = CreateSoundBank(256);
  }
  void TearDown() override {
    DestroyBitmapSet(set);
    DestroySoundBank(bank);
    CloseAudio();
  }
  std::vector<Reader> Readers() {
    return {{".bmp", msg::MsgBitmapSlot, msg::MsgBitmapLoad,
             [this](const std::string& d) { EXPECT_EQ(LoadBitmapDir(set, d.c_str()), 0); },
             [this](int slot) {
               const SDL_Surface* s = GetBitmap(set, slot);
               return s ? (s->w == 48 ? 1 : 2) : 0;
             }},
            {".wav", msg::MsgSoundSlot, msg::MsgWavMissing,
             [this](const std::string& d) { EXPECT_EQ(LoadSoundDir(bank, d.c_str()), 0); },
             [this](int slot) {
               const Mix_Chunk* c = slot >= 0 && slot < bank->capacity ? bank->chunks[slot] : nullptr;
               return c ? (c->alen == 2205 * 4 ? 1 : 2) : 0;
             }}};
  }
  TempDir dir;
  BitmapSet* set = nullptr;
  SoundBank* bank = nullptr;
};

TEST_F(SlotListTest, BothReadersFollowOneGrammar) {
  struct Case {
    std::string list;                        // "{a}" and "{b}" name the two files
    std::vector<std::pair<int, int>> slots;  // slot and what it holds afterwards
    std::vector<int> refusedSlots;           // slots reported as outside the set
    std::vector<std::string> missing;        // files reported as unreadable
  };
  const Case cases[] = {
      {"# pictures\n\n\r\n#12 {a}\n", {{12, 0}}, {}, {}},
      {"7 {a}\n7 {b}\n", {{7, 2}}, {}, {}},
      {"10\t{a}\t# menu select\r\n", {{10, 1}}, {}, {}},
      {"  8 {b}\n \t \n9\n  # word\n", {{8, 2}, {9, 0}}, {}, {}},
      {"300 {a}\n-4 {a}\n256 {a}\n3 {b}\n", {{3, 2}}, {300, -4, 256}, {}},
      {"5 missing{x}\n6 {a}\n", {{5, 0}, {6, 1}}, {}, {"missing{x}"}},
      {"15 " + std::string(4090, 'n') + "\n16 {a}\n", {{15, 0}, {16, 1}}, {}, {}},
  };
  for (const Reader& reader : Readers()) {
    for (const Case& c : cases) {
      auto named = [&](std::string text) {
        for (const char* mark : {"{a}", "{b}", "{x}"}) {
          const std::string file = mark[1] == 'x' ? reader.extension : std::string(1, mark[1]) + reader.extension;
          for (size_t at; (at = text.find(mark)) != std::string::npos;) text.replace(at, 3, file);
        }
        return text;
      };
      SCOPED_TRACE(reader.extension + (": " + named(c.list).substr(0, 40)));
      WriteFile(dir.File("list.txt"), named(c.list));
      std::string err;
      {
        CapturedStream captured(stderr);
        reader.load(dir.path() + "/");
        err = captured.Text();
      }
      std::string expected;
      char line[8192];
      for (int slot : c.refusedSlots) {
        std::snprintf(line, sizeof line, reader.slotMessage, slot);
        expected += line;
      }
      for (const std::string& name : c.missing) {
        std::snprintf(line, sizeof line, reader.missingMessage, (dir.path() + "/" + named(name)).c_str());
        expected += line;
      }
      if (c.list.size() > 4000) {
        std::snprintf(line, sizeof line, msg::MsgPathTooLong, std::string(4090, 'n').c_str());
        expected += line;
      }
      EXPECT_EQ(err, expected);
      for (const auto& [slot, holds] : c.slots) EXPECT_EQ(reader.holds(slot), holds) << "slot " << slot;
    }
  }
}

TEST_F(SlotListTest, MissingListsAndSetsAreReported) {
  const std::string none = dir.File("none.txt");
  char line[512];
  CapturedStream captured(stderr);
  EXPECT_EQ(LoadBitmapList(set, none.c_str(), "./"), -1);
  EXPECT_EQ(LoadBitmapList(nullptr, none.c_str(), "./"), -1);
  EXPECT_EQ(LoadSoundList(bank, none.c_str(), "./"), -1);
  EXPECT_EQ(LoadSoundList(nullptr, none.c_str(), "./"), -1);
  std::string expected;
  std::snprintf(line, sizeof line, msg::MsgOpenFailed, none.c_str());
  expected += line + std::string(msg::MsgNoBitmapSet);
  std::snprintf(line, sizeof line, msg::MsgSoundListOpen, none.c_str());
  expected += line + std::string(msg::MsgNoSoundBank);
  EXPECT_EQ(captured.Text(), expected);
}

TEST(LineReader, SkipsOverlongLinesWholeAndSplitsAtItsSeparators) {
  const std::string text = std::string(4095, 'a') + "\n" + std::string(5000, 'b') + " tail\nlast";
  FILE* file = fmemopen(const_cast<char*>(text.data()), text.size(), "rb");
  LineReader reader{file, {}};
  ASSERT_NE(ReadLine(&reader), nullptr);
  EXPECT_EQ(std::strlen(reader.line), 4095u) << "a line of exactly 4095 characters is whole";
  ASSERT_NE(ReadLine(&reader), nullptr);
  EXPECT_STREQ(reader.line, "last") << "the rest of an overlong line is not a line of its own";
  EXPECT_EQ(ReadLine(&reader), nullptr);
  std::fclose(file);

  char line[] = "  7\tname.bmp # opaque\r\n";
  char* tokens[3];
  ASSERT_EQ(SplitTokens(line, tokens, 3), 3);
  EXPECT_STREQ(tokens[1], "name.bmp");
  EXPECT_STREQ(tokens[2], "opaque");
  char two[] = "1 2 3";
  EXPECT_EQ(SplitTokens(two, tokens, 2), 2);
  for (const char* skipped : {"#x", "\r\n", "\n", ""}) EXPECT_TRUE(IsSkippedLine(skipped)) << skipped;
  EXPECT_FALSE(IsSkippedLine(" #x"));
}

}  // namespace
