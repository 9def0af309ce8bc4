#include "base/save_folder.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "base/text_lines.h"

namespace {

// A save takes milliseconds; a game that holds the lock longer is stopped,
// and waiting on it would hang this game's exit.
constexpr int kLockWaitMs = 3000;
constexpr int kLockPollMs = 10;
// Names taken by files nobody removed before this save runs out of tries.
constexpr int kTempAttempts = 100;

// The serial of this process's temporary names, for the whole run: each name
// CreateSaveTemp tries takes the next; nothing resets it.
struct TempNames {
  unsigned serial;
};
TempNames tempNames = {0};

// Where the folder part of `path` ends: the length up to and including its
// last slash, 0 when the path names a file of the working folder.
size_t FolderLength(const char* path) {
  const char* slash = std::strrchr(path, '/');
  return slash ? static_cast<size_t>(slash - path) + 1 : 0;
}

// A temporary file of a save of `base`: "<base>.<pid>-<serial>.tmp", or
// "<base>.tmp" as saves of earlier versions named theirs.
bool IsTempName(const char* name, const char* base) {
  const size_t length = std::strlen(base);
  if (std::strncmp(name, base, length) != 0 || name[length] != '.') return false;
  const char* middle = name + length + 1;
  const size_t middleLength = std::strlen(middle);
  if (middleLength < 3 || std::strcmp(middle + middleLength - 3, "tmp") != 0) return false;
  if (middleLength == 3) return true;
  if (middleLength == 4 || middle[middleLength - 4] != '.') return false;
  for (size_t i = 0; i + 4 < middleLength; i++)
    if ((middle[i] < '0' || middle[i] > '9') && middle[i] != '-') return false;
  return true;
}

}  // namespace

int LockSaveFolder(const char* path) {
  char folder[kPathBufferSize];
  const size_t length = FolderLength(path);
  if (length >= sizeof folder) return -1;
  std::memcpy(folder, path, length);
  std::strcpy(folder + length, ".");
  const int fd = ::open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return -1;
  for (int waited = 0; flock(fd, LOCK_EX | LOCK_NB) != 0; waited += kLockPollMs) {
    if (errno != EWOULDBLOCK || waited >= kLockWaitMs) {
      ::close(fd);
      return -1;
    }
    usleep(kLockPollMs * 1000);
  }
  return fd;
}

void UnlockSaveFolder(int folder) {
  if (folder >= 0) ::close(folder);
}

void RemoveLeftoverTemps(const char* path) {
  const size_t folderLength = FolderLength(path);
  char temp[kPathBufferSize];
  if (folderLength >= sizeof temp) return;
  std::memcpy(temp, path, folderLength);
  std::strcpy(temp + folderLength, ".");
  DIR* folder = opendir(temp);
  if (!folder) return;
  while (const dirent* entry = readdir(folder)) {
    if (!IsTempName(entry->d_name, path + folderLength)) continue;
    if (folderLength + std::strlen(entry->d_name) >= sizeof temp) continue;
    std::strcpy(temp + folderLength, entry->d_name);
    // Only a regular file, opened without following a link: a link or a
    // folder by that name is no save's and stays.
    struct stat named, held;
    if (lstat(temp, &named) != 0 || !S_ISREG(named.st_mode)) continue;
    const int fd = ::open(temp, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) continue;
    // A lock nobody holds is a save that no longer runs; the name must still
    // be the file that was locked.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &held) == 0 && lstat(temp, &named) == 0 &&
        held.st_ino == named.st_ino && held.st_dev == named.st_dev)
      unlink(temp);
    ::close(fd);
  }
  closedir(folder);
}

int CreateSaveTemp(const char* path, char* temp) {
  for (int attempt = 0; attempt < kTempAttempts; attempt++) {
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld-%u.tmp", static_cast<long>(getpid()), tempNames.serial++);
    if (JoinPath(temp, path, suffix) != 0) {
      errno = ENAMETOOLONG;
      return -1;
    }
    const int fd = ::open(temp, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return -1;
    // Where the system has no locks the file goes unlocked, and no other
    // game's clean-up can lock it either.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK) return fd;
    ::close(fd);  // another game's clean-up took it for a leftover and removes it
  }
  errno = EEXIST;
  return -1;
}
