// Saves killed at random moments: a child process saves one of two
// contents over and over until SIGKILL; after every kill the file must be
// one of them, whole. Both files the game writes, the settings and the
// scores, go through the same trial.
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

TEST(SaveUnderKill, TheSettingsAndTheScoresAreAlwaysTheWholeOldOrTheWholeNewFile) {
  TempDir dir;
  KeywordMap* maps[2] = {CreateKeywordMap(256), CreateKeywordMap(256)};
  // Many long lines, so a save takes several writes of the stream's buffer.
  for (int i = 0; i < 200; i++) {
    const std::string key = "key" + std::to_string(i);
    SetKeyword(maps[0], key.c_str(), std::string(150, 'a' + i % 26).c_str());
    SetKeyword(maps[1], key.c_str(), std::string(150, 'A' + i % 26).c_str());
  }
  HighScoreTable tables[2];
  for (int n = 0; n < 2; n++) {
    ClearHighScores();
    LoadHighScores(dir.File("none").c_str());  // the default rows
    InsertHighScore(n ? "BBB" : "AAA", 1000 + n, 50 + n, n);
    tables[n] = *TheHighScores();
  }
  const std::string config = dir.File("config"), scores = dir.File("sc");
  const std::pair<std::string, std::function<void(int)>> files[] = {
      {config, [&](int n) { SaveKeywordFile(maps[n], config.c_str()); }},
      {scores,
       [&](int n) {
         *TheHighScores() = tables[n];
         SaveHighScores(scores.c_str());
       }},
  };
  for (const auto& [path, save] : files) {
    SCOPED_TRACE(path);
    std::string contents[2];
    for (int n = 0; n < 2; n++) {
      save(n);
      contents[n] = ReadFile(path);
    }
    ASSERT_NE(contents[0], contents[1]);
    int midSave = 0;  // kills that left a temporary file behind: the save was cut short
    uint32_t seed = 99;
    for (int k = 0; k < kKills; k++) {
      std::fflush(nullptr);
      const pid_t child = fork();
      if (child == 0) {
        for (int n = 1;; n ^= 1) save(n);
      }
      ASSERT_GT(child, 0);
      seed = seed * 1664525u + 1013904223u;
      usleep((seed >> 8) % kLongestWaitMicros);
      kill(child, SIGKILL);
      int status = 0;
      waitpid(child, &status, 0);
      ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child ended by itself";
      struct stat info;
      midSave += stat((path + ".tmp").c_str(), &info) == 0;
      const std::string now = ReadFile(path);
      ASSERT_TRUE(now == contents[0] || now == contents[1]) << "after kill " << k << ":\n" << now.substr(0, 200);
    }
    std::printf("%s: %d kills, %d of them during a save\n", path.c_str(), kKills, midSave);
    EXPECT_GT(midSave, 0) << "no kill landed inside a save";
  }
  DestroyKeywordMap(maps[0]);
  DestroyKeywordMap(maps[1]);
}

}  // namespace
