// Saves killed at random moments: a child process saves one of two
// contents over and over until SIGKILL; after every kill the file must be
// one of them, whole.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "config/keyword_map.h"
#include "frontend/high_scores.h"
#include "support/test_system.h"

namespace {

constexpr int kKills = 200;
constexpr unsigned kLongestWaitMicros = 20000;

struct KillRun {
  int kills = 0;
  int midSave = 0;  // kills that left a temporary file behind: the save was cut short
};

// `save(n)` writes content n (0 or 1) to `path`; `contents` are the two
// files those saves make.
KillRun KillWhileSaving(const std::string& path, const std::function<void(int)>& save, const std::string contents[2]) {
  KillRun run;
  save(0);
  EXPECT_EQ(ReadFile(path), contents[0]);
  uint32_t seed = 99;
  for (int k = 0; k < kKills; k++) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      for (int n = 1;; n ^= 1) save(n);
    }
    EXPECT_GT(child, 0);
    seed = seed * 1664525u + 1013904223u;
    usleep((seed >> 8) % kLongestWaitMicros);
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";
    run.kills++;
    struct stat info;
    if (stat((path + ".tmp").c_str(), &info) == 0) run.midSave++;
    const std::string now = ReadFile(path);
    if (now != contents[0] && now != contents[1]) {
      ADD_FAILURE() << "after kill " << k << " the file holds " << now.size() << " bytes:\n" << now.substr(0, 200);
      break;
    }
  }
  return run;
}

TEST(SaveUnderKill, TheConfigurationIsAlwaysTheWholeOldOrTheWholeNewFile) {
  TempDir dir;
  const std::string path = dir.File("config");
  KeywordMap* maps[2] = {CreateKeywordMap(256), CreateKeywordMap(256)};
  // Many long lines, so a save takes several writes of the stream's buffer.
  for (int i = 0; i < 200; i++) {
    const std::string key = "key" + std::to_string(i);
    SetKeyword(maps[0], key.c_str(), std::string(150, 'a' + i % 26).c_str());
    SetKeyword(maps[1], key.c_str(), std::string(150, 'A' + i % 26).c_str());
  }
  SetKeyword(maps[0], "level", "2");
  SetKeyword(maps[1], "level", "5");
  std::string contents[2];
  for (int n = 0; n < 2; n++) {
    ASSERT_EQ(SaveKeywordFile(maps[n], path.c_str()), 0);
    contents[n] = ReadFile(path);
  }
  ASSERT_NE(contents[0], contents[1]);
  ASSERT_GT(contents[0].size(), 30000u);
  const KillRun run = KillWhileSaving(
      path, [&](int n) { SaveKeywordFile(maps[n], path.c_str()); }, contents);
  std::printf("configuration: %d kills, %d of them during a save\n", run.kills, run.midSave);
  EXPECT_EQ(run.kills, kKills);
  EXPECT_GT(run.midSave, 0) << "no kill landed inside a save";
  DestroyKeywordMap(maps[0]);
  DestroyKeywordMap(maps[1]);
}

TEST(SaveUnderKill, TheScoreFileIsAlwaysTheWholeOldOrTheWholeNewFile) {
  TempDir dir;
  const std::string path = dir.File("sc");
  HighScoreTable tables[2];
  for (int n = 0; n < 2; n++) {
    ClearHighScores();
    LoadHighScores(dir.File("none").c_str());  // the default rows
    InsertHighScore(n ? "BBB" : "AAA", 1000 + n, 50 + n, n);
    tables[n] = *TheHighScores();
  }
  std::string contents[2];
  for (int n = 0; n < 2; n++) {
    *TheHighScores() = tables[n];
    SaveHighScores(path.c_str());
    contents[n] = ReadFile(path);
  }
  ASSERT_NE(contents[0], contents[1]);
  const KillRun run = KillWhileSaving(
      path,
      [&](int n) {
        *TheHighScores() = tables[n];
        SaveHighScores(path.c_str());
      },
      contents);
  std::printf("scores: %d kills, %d of them during a save\n", run.kills, run.midSave);
  EXPECT_EQ(run.kills, kKills);
  EXPECT_GT(run.midSave, 0) << "no kill landed inside a save";
}

}  // namespace
