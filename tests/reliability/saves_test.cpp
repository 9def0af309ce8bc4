// The promises of the two files the game saves, the settings and the scores,
// whatever else goes on: a save killed at any moment, two games saving at
// once, a full disk or a file-size limit leave the whole old or the whole new
// file, and the next save removes what a killed one left; a player saves into
// a folder they may not write (in place), never over a file they may not
// write or read, through a symbolic link they made (the link stays) but never
// through one by a temporary file's name, and a replaced file keeps its
// permissions.
#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include "base/messages.h"
#include "base/safe_save.h"
#include "base/save_folder.h"
#include "config/keyword_map.h"
#include "frontend/high_scores.h"
#include "support/test_system.h"

namespace {

constexpr int kKills = 200;
constexpr int kRounds = 40;
constexpr int kSavesAtOnce = 5;
constexpr int kReadsAtOnce = 500;
constexpr unsigned kLongestWaitMicros = 20000;
constexpr uid_t kPlayer = 65534;  // "nobody": permissions do not bind root

// Files a save of "file" or "sample" may have made beside them, one name a line.
std::string Leftovers(const std::string& folder) {
  std::string names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const std::string name = entry.path().filename();
    if (name.rfind("file.", 0) == 0 || name.rfind("sample.", 0) == 0) names += name + "\n";
  }
  return names;
}

enum FileKind { Settings, Scores };

class Saves : public testing::TestWithParam<FileKind> {
 protected:
  Saves() {
    // Many long lines, so a save takes several writes of the stream's buffer;
    // the two contents differ in length, so a mix of them shows.
    for (int n = 0; n < 2; n++) {
      maps[n] = CreateKeywordMap(256);
      for (int i = 0; i < 200; i++)
        SetKeyword(maps[n], ("key" + std::to_string(i)).c_str(),
                   std::string(150 + 40 * n, (n ? 'A' : 'a') + i % 26).c_str());
      ClearHighScores();
      LoadHighScores(dir.File("none").c_str());  // the default rows
      InsertHighScore(n ? "BBB" : "AAA", n ? 1000000 : 1000, 50 + n, n);
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
    midSave += !Leftovers(dir.path()).empty();
    const std::string now = ReadFile(path);
    ASSERT_TRUE(now == contents[0] || now == contents[1]) << "after kill " << k << ":\n" << now.substr(0, 200);
  }
  std::printf("%d kills, %d of them during a save\n", kKills, midSave);
  EXPECT_GT(midSave, 0) << "no kill landed inside a save";
  Save(path, 0);
  EXPECT_EQ(Leftovers(dir.path()), "") << "the next save removes what a killed one left";
}

TEST_P(Saves, TwoGamesSavingAtOnceLeaveOneWholeFileOfEitherAtEveryMoment) {
  const std::string path = dir.File("file");
  Save(path, 0);
  auto whole = [&] {
    const std::string now = ReadFile(path);
    return now == contents[0] || now == contents[1];
  };
  auto game = [&](int n) {
    return [&, n] {
      for (int save = 0; save < kSavesAtOnce; save++) Save(path, n);
    };
  };
  auto reader = [&] {
    for (int read = 0; read < kReadsAtOnce; read++)
      if (!whole()) _exit(1);
  };
  for (int round = 0; round < kRounds; round++) {
    ASSERT_TRUE(RunAtOnce({game(0), game(1), reader})) << "round " << round << ": a file cut or mixed was seen";
    ASSERT_TRUE(whole()) << "after round " << round;
  }
  EXPECT_EQ(Leftovers(dir.path()), "");
}

TEST_P(Saves, AFullDiskOrAFileSizeLimitRefusesTheSaveAndKeepsTheOldFileWhole) {
  // A tmpfs of its own, where only the child that mounts it sees it.
  auto mount = [](const std::string& disk) {
    return unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
           ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=1m,nr_inodes=16") == 0;
  };
  for (const bool noInode : {false, true}) {
    SCOPED_TRACE(noInode ? "a disk with no free inode" : "a file-size limit");
    const std::string disk = dir.File(noInode ? "full" : "limited"), path = disk + "/file";
    ASSERT_EQ(mkdir(disk.c_str(), 0755), 0);
    if (noInode && !RunAtOnce({[&] { _exit(mount(disk) ? 0 : 1); }})) GTEST_SKIP() << "no tmpfs can be mounted here";
    // The child judges what it sees: the old file whole and no temporary file.
    const std::string printed = OutputOf(stderr, [&] {
      EXPECT_TRUE(RunAtOnce({[&] {
        if (noInode && !mount(disk)) _exit(1);
        WriteFile(path, contents[0]);
        for (int i = 0, fd = 0; noInode && fd >= 0; i++) {
          fd = open((disk + "/filler" + std::to_string(i)).c_str(), O_WRONLY | O_CREAT, 0644);
          if (fd >= 0) close(fd);
        }
        {
          const FileSizeLimit limit(noInode ? RLIM_INFINITY : contents[1].size() / 2);
          Save(path, 1);
        }
        _exit(ReadFile(path) == contents[0] && Leftovers(disk).empty() ? 0 : 1);
      }})) << "the save ended the game, changed the old file or left a temporary file";
    });
    EXPECT_EQ(printed, Refusal(path));
  }
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
      {"a file the player cannot read", 0755, 0200, false, false},
      {"a file only the player may read", 0755, 0600, false, true},
      {"a new file", 0755, -1, false, true},
      {"a link to a file elsewhere", 0755, 0640, true, true},
      {"a link to a file the player cannot write", 0755, 0444, true, false},
  };
  const bool root = geteuid() == 0;
  // As root, the save runs in a child that becomes the player, "nobody".
  auto becomePlayer = [&] {
    if (root && (setgroups(0, nullptr) != 0 || setgid(kPlayer) != 0 || setuid(kPlayer) != 0)) _exit(1);
  };
  if (!RunAtOnce({becomePlayer})) GTEST_SKIP() << "cannot become an unprivileged user";
  // As root, the files are the player's, as they would be.
  auto own = [&](const std::string& path) { return !root || lchown(path.c_str(), kPlayer, kPlayer) == 0; };
  ASSERT_EQ(chmod(dir.path().c_str(), 0755), 0);
  int number = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = dir.File("case" + std::to_string(++number));
    const std::string elsewhere = folder + "-target", victim = elsewhere + "/victim";
    const std::string path = folder + "/file", real = c.link ? elsewhere + "/file" : path;
    for (const std::string& made : {folder, elsewhere}) {
      ASSERT_EQ(mkdir(made.c_str(), 0755), 0);
      ASSERT_TRUE(own(made));
    }
    const std::string target = "../" + elsewhere.substr(dir.path().size() + 1) + "/file";
    ASSERT_TRUE(!c.link || symlink(target.c_str(), path.c_str()) == 0);
    if (c.fileMode >= 0) {
      WriteFile(real, contents[1]);
      ASSERT_EQ(chmod(real.c_str(), static_cast<mode_t>(c.fileMode)), 0);
      ASSERT_TRUE(own(real));
    }
    // A link someone put where saves made their temporary file, to a file
    // the player may write: no save writes through it.
    WriteFile(victim, "victim");
    ASSERT_TRUE(own(victim));
    ASSERT_EQ(symlink(victim.c_str(), (path + ".tmp").c_str()), 0);
    ASSERT_TRUE(own(path + ".tmp"));
    ASSERT_EQ(chmod(folder.c_str(), c.folderMode), 0);

    const std::string printed = OutputOf(stderr, [&] {
      EXPECT_TRUE(RunAtOnce({[&] {
        becomePlayer();
        Save(path, 0);  // the shorter content: a file rewritten in place is cut to it
      }}));
    });
    chmod(folder.c_str(), 0755);  // so the folder can be cleaned up
    EXPECT_EQ(printed, c.saved ? "" : Refusal(path));
    struct stat info;
    if (c.fileMode < 0) {
      EXPECT_EQ(stat(real.c_str(), &info) == 0 ? ReadFile(real) : "none", c.saved ? contents[0] : "none");
    } else {
      EXPECT_EQ(ReadFile(real), contents[c.saved ? 0 : 1]);
      ASSERT_EQ(stat(real.c_str(), &info), 0);
      EXPECT_EQ(info.st_mode & 07777, static_cast<mode_t>(c.fileMode)) << "permissions changed";
    }
    EXPECT_EQ(lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode), c.link) << "the link was replaced";
    EXPECT_EQ(ReadFile(victim), "victim") << "written through a link by a temporary file's name";
    EXPECT_EQ(Leftovers(folder), "file.tmp\n") << "only the link stays beside the file";
    EXPECT_EQ(Leftovers(elsewhere), "");
  }
}

// Half of the text, then the rest once the game is woken again.
int WriteHalfThenStop(FILE* file, void* context) {
  const std::string& text = *static_cast<const std::string*>(context);
  const size_t half = text.size() / 2;
  if (std::fwrite(text.data(), 1, half, file) != half || std::fflush(file) != 0) return -1;
  raise(SIGSTOP);
  return std::fwrite(text.data() + half, 1, text.size() - half, file) == text.size() - half ? 0 : -1;
}

int WriteWhole(FILE* file, void* context) {
  const std::string& text = *static_cast<const std::string*>(context);
  return std::fwrite(text.data(), 1, text.size(), file) == text.size() ? 0 : -1;
}

// A killed save's file is "<name>.tmp" or "<name>.<pid>-<serial>.tmp" that
// no running save holds; a player's file that merely looks like one stays.
TEST(SaveFolder, OnlyTheNamesOfASavesTemporaryFilesAreTakenForLeftovers) {
  TempDir dir;
  std::set<std::string> kept = {"file",          "file.old.tmp", "file.7a-3.tmp", "file..tmp", "file.1-2.tmpx",
                                "files.1-2.tmp", "file.xtmp",    "fil.tmp",       "fila.tmp",  "file_tmp"};
  for (const std::string& name : kept) WriteFile(dir.File(name), "");
  for (const char* name : {"file.tmp", "file.90-1.tmp", "file.-.tmp"}) WriteFile(dir.File(name), "");
  char running[4096];  // a save under way holds its own
  const int held = CreateSaveTemp(dir.File("file").c_str(), running);
  ASSERT_GE(held, 0);
  RemoveLeftoverTemps(dir.File("file").c_str());
  close(held);
  kept.insert(std::filesystem::path(running).filename());
  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(dir.path())) left.insert(entry.path().filename());
  EXPECT_EQ(left, kept);
}

TEST(SaveFolder, AFolderTooLongOrMissingIsNotLocked) {
  EXPECT_EQ(LockSaveFolder((std::string(5000, 'a') + "/file").c_str()), -1);
  EXPECT_EQ(LockSaveFolder("/no such folder/file"), -1);
}

TEST(SaveInAnotherGame, OneStoppedMidwayKeepsItsTemporaryFileAndBothSavesAreWhole) {
  TempDir dir;
  const std::string path = dir.File("file");
  std::string stopped(100000, 's'), quick(50000, 'q');
  std::fflush(nullptr);
  const pid_t other = fork();
  if (other == 0) _exit(SaveFileSafely(path.c_str(), nullptr, WriteHalfThenStop, &stopped) == 0 ? 0 : 1);
  int status = -1;
  ASSERT_EQ(waitpid(other, &status, WUNTRACED), other);
  ASSERT_TRUE(WIFSTOPPED(status));
  // This game waits a moment for the other's save, then saves beside it.
  EXPECT_EQ(SaveFileSafely(path.c_str(), nullptr, WriteWhole, &quick), 0);
  EXPECT_EQ(ReadFile(path), quick);
  EXPECT_NE(Leftovers(dir.path()), "") << "the stopped save's temporary file was removed";
  kill(other, SIGCONT);
  waitpid(other, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the other game's save failed";
  EXPECT_EQ(ReadFile(path), stopped);
  EXPECT_EQ(Leftovers(dir.path()), "");
}

INSTANTIATE_TEST_SUITE_P(Files, Saves, testing::Values(Settings, Scores),
                         [](const testing::TestParamInfo<FileKind>& info) {
                           return std::string(info.param == Settings ? "Settings" : "Scores");
                         });

}  // namespace
