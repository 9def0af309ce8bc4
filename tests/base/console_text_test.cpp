// Messages on a UTF-8 terminal come out converted, byte for byte; under the
// C locale the streams are left alone, so the design's bytes go out.
#include "base/console_text.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "base/messages.h"
#include "support/test_system.h"

namespace {

// What the stream wrote to a file, after the given writes.
template <typename Writes>
std::string Converted(Writes writes) {
  TempDir dir;
  const std::string path = dir.File("out");
  FILE* file = std::fopen(path.c_str(), "w");
  FILE* stream = OpenUtf8Stream(fileno(file));
  EXPECT_NE(stream, nullptr);
  if (!stream) return "";
  writes(stream);
  std::fclose(stream);
  std::fclose(file);
  return ReadFile(path);
}

TEST(ConsoleText, ShiftJisBecomesUtf8AndOtherBytesPassAsTheyAre) {
  EXPECT_EQ(Converted([](FILE* s) { std::fputs(msg::MsgJoystickOpen, s); }),
            "\xE3\x82\xB8\xE3\x83\xA7\xE3\x82\xA4\xE3\x82\xB9\xE3\x83\x86\xE3\x82\xA3\xE3\x83\x83\xE3\x82\xAF"
            "\xE3\x82\xAA\xE3\x83\xBC\xE3\x83\x97\xE3\x83\xB3\xE5\xA4\xB1\xE6\x95\x97 \n");
  // A character cut between two writes, a path, and a byte no character starts with.
  EXPECT_EQ(Converted([](FILE* s) {
              std::fputs("./Media/a.bmp \x8E", s);
              std::fflush(s);
              std::fputs("\xB8\xFF!\n", s);
            }),
            "./Media/a.bmp \xE5\xA4\xB1\xFF!\n");
  // A message longer than any buffer on the way.
  std::string longer, expected;
  for (int i = 0; i < 700; i++) longer += "a\x8E\xB8", expected += "a\xE5\xA4\xB1";
  EXPECT_EQ(Converted([&](FILE* s) { std::fwrite(longer.data(), 1, longer.size(), s); }), expected);
}

TEST(ConsoleText, OnlyAUtf8LocaleReplacesTheStreamsAndExitClosesThemQuietly) {
  const char* saved = std::getenv("LC_ALL");
  const std::string before = saved ? saved : "";
  setenv("LC_ALL", "C", 1);
  FILE* err = stderr;
  EXPECT_EQ(UseLocaleConsole(), 0);
  EXPECT_EQ(stderr, err);
  saved ? setenv("LC_ALL", before.c_str(), 1) : unsetenv("LC_ALL");
  // A process that switches under a UTF-8 locale, leaves a message without
  // its line end and exits normally: the message is written, converted, and
  // the leak checker of a sanitizer build has nothing to say.
  TempDir dir;
  const pid_t child = fork();
  if (child == 0) {
    std::freopen(dir.File("err").c_str(), "w", stderr);
    unsetenv("LC_ALL");
    unsetenv("LC_CTYPE");
    setenv("LANG", "C.UTF-8", 1);
    const int switched = UseLocaleConsole();
    std::fputs("\x8E\xB8", stderr);
    std::exit(switched == 1 && stderr != err ? 0 : 2);
  }
  int status = -1;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status << ReadFile(dir.File("err"));
  EXPECT_EQ(ReadFile(dir.File("err")), "\xE5\xA4\xB1");
}

}  // namespace
