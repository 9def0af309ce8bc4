// The promises of the two files the game saves, the settings and the scores:
// a save killed at any moment leaves the whole old or the whole new file; a
// player saves into a folder they may not write (in place), never over a
// file they may not write, through a symbolic link (the link stays), and a
// replaced file keeps its permissions.
#include <grp.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>

#include "base/messages.h"
#include "config/keyword_map.h"
#include "frontend/high_scores.h"
#include "support/test_system.h"

namespace {

constexpr int kKills = 200;
constexpr unsigned kLongestWaitMicros = 20000;
constexpr uid_t kPlayer = 65534;  // "nobody": permissions do not bind root

enum FileKind { Settings, Scores };

class Saves : public testing::TestWithParam<FileKind> {
 protected:
  Saves() {
    // Many long lines, so a save takes several writes of the stream's buffer.
    for (int n = 0; n < 2; n++) {
      maps[n] = CreateKeywordMap(256);
      for (int i = 0; i < 200; i++)
        SetKeyword(maps[n], ("key" + std::to_string(i)).c_str(), std::string(150, (n ? 'A' : 'a') + i % 26).c_str());
      ClearHighScores();
      LoadHighScores(dir.File("none").c_str());  // the default rows
      InsertHighScore(n ? "BBB" : "AAA", 1000 + n, 50 + n, n);
      tables[n] = *TheHighScores();
      Save(dir.File("sample"), n);
      contents[n] = ReadFile(dir.File("sample"));
    }
  }
  ~Saves() override {
    DestroyKeywordMap(maps[0]);
    DestroyKeywordMap(maps[1]);
  }
  // Saves content n at the path.
  void Save(const std::string& path, int n) {
    if (GetParam() == Settings) {
      SaveKeywordFile(maps[n], path.c_str());
    } else {
      *TheHighScores() = tables[n];
      SaveHighScores(path.c_str());
    }
  }
  // What a refused save prints.
  std::string Refusal(const std::string& path) const {
    if (GetParam() == Scores) return msg::MsgScoreSave;
    char line[512];
    std::snprintf(line, sizeof line, msg::MsgCannotCreate, path.c_str());
    return line;
  }

  TempDir dir;
  KeywordMap* maps[2] = {};
  HighScoreTable tables[2] = {};
  std::string contents[2];
};

TEST_P(Saves, AKilledSaveLeavesTheWholeOldOrTheWholeNewFile) {
  const std::string path = dir.File("file");
  Save(path, 0);
  int midSave = 0;  // kills that left a temporary file behind: the save was cut short
  uint32_t seed = 99;
  for (int k = 0; k < kKills; k++) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
      for (int n = 1;; n ^= 1) Save(path, n);
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
  std::printf("%d kills, %d of them during a save\n", kKills, midSave);
  EXPECT_GT(midSave, 0) << "no kill landed inside a save";
}

TEST_P(Saves, PlayersFoldersFilesAndLinksAreTreatedAsAPlainRewriteWouldTreatThem) {
  struct Case {
    const char* what;
    mode_t folderMode;
    int fileMode;  // -1: no file yet
    bool link;     // the file is a relative link into another folder
    bool saved;
  };
  const Case cases[] = {
      {"a file in a folder the player cannot write", 0555, 0644, false, true},
      {"a new file in a folder the player cannot write", 0555, -1, false, false},
      {"a file the player cannot write", 0755, 0444, false, false},
      {"a file only the player may read", 0755, 0600, false, true},
      {"a link to a file elsewhere", 0755, 0640, true, true},
      {"a link to a file the player cannot write", 0755, 0444, true, false},
  };
  const bool root = geteuid() == 0;
  // As root, the files are the player's, as they would be.
  auto own = [&](const std::string& path) { return !root || chown(path.c_str(), kPlayer, kPlayer) == 0; };
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = dir.File("case" + std::to_string(++number));
    const std::string elsewhere = folder + "-target";
    const std::string path = folder + "/file", real = c.link ? elsewhere + "/file" : path;
    for (const std::string& made : {folder, elsewhere}) {
      ASSERT_EQ(mkdir(made.c_str(), 0755), 0);
      ASSERT_TRUE(own(made));
    }
    const std::string target = "../" + elsewhere.substr(dir.path().size() + 1) + "/file";
    ASSERT_TRUE(!c.link || symlink(target.c_str(), path.c_str()) == 0);
    if (c.fileMode >= 0) {
      WriteFile(real, contents[0]);
      ASSERT_EQ(chmod(real.c_str(), static_cast<mode_t>(c.fileMode)), 0);
      ASSERT_TRUE(own(real));
    }
    ASSERT_EQ(chmod(folder.c_str(), c.folderMode), 0);

    // The save runs as the player: as root, in a child that becomes "nobody".
    const std::string printed = OutputOf(stderr, [&] {
      if (!root) return Save(path, 1);
      std::fflush(nullptr);
      const pid_t child = fork();
      if (child == 0) {
        if (setgroups(0, nullptr) != 0 || setgid(kPlayer) != 0 || setuid(kPlayer) != 0) _exit(77);
        Save(path, 1);
        _exit(0);
      }
      int status = -1;
      waitpid(child, &status, 0);
      if (WIFEXITED(status) && WEXITSTATUS(status) == 77) GTEST_SKIP() << "cannot become an unprivileged user";
      ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the saving child failed";
    });
    if (IsSkipped()) return;
    chmod(folder.c_str(), 0755);  // so the folder can be cleaned up
    EXPECT_EQ(printed, c.saved ? "" : Refusal(path));
    struct stat info;
    if (c.fileMode < 0) {
      EXPECT_NE(stat(real.c_str(), &info), 0) << "a refused save made a file";
    } else {
      EXPECT_EQ(ReadFile(real), contents[c.saved ? 1 : 0]);
      ASSERT_EQ(stat(real.c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(c.fileMode)) << "permissions changed";
    }
    EXPECT_EQ(lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode), c.link) << "the link was replaced";
    for (const std::string& left : {path + ".tmp", real + ".tmp"}) EXPECT_NE(stat(left.c_str(), &info), 0) << left;
  }
}

INSTANTIATE_TEST_SUITE_P(Files, Saves, testing::Values(Settings, Scores),
                         [](const testing::TestParamInfo<FileKind>& info) {
                           return std::string(info.param == Settings ? "Settings" : "Scores");
                         });

}  // namespace
