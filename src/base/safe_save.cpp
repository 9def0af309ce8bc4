#include "base/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>

#include "base/regular_file.h"
#include "base/save_folder.h"
#include "base/text_lines.h"

namespace {

// More hops than this is a loop of links, as the system itself counts them.
constexpr int kMaxLinkHops = 40;

// The file a chain of symbolic links ends at (the path itself when it is no
// link), so that a link the player made stays a link. -1 when the chain
// loops or a step would not fit.
int FollowLinks(const char* path, char* out) {
  if (std::strlen(path) >= static_cast<size_t>(kPathBufferSize)) return -1;
  std::strcpy(out, path);
  for (int hop = 0; hop < kMaxLinkHops; hop++) {
    struct stat info;
    if (lstat(out, &info) != 0 || !S_ISLNK(info.st_mode)) return 0;
    char target[kPathBufferSize];
    const ssize_t length = readlink(out, target, sizeof target - 1);
    if (length < 0) return -1;
    target[length] = '\0';
    // A relative target is relative to the folder that holds the link.
    const char* slash = std::strrchr(out, '/');
    const size_t folder = target[0] == '/' || !slash ? 0 : static_cast<size_t>(slash - out) + 1;
    if (folder + static_cast<size_t>(length) >= static_cast<size_t>(kPathBufferSize)) return -1;
    std::memcpy(out + folder, target, static_cast<size_t>(length) + 1);
  }
  return -1;
}

// The whole file into a new buffer; null with *size 0 when there is no file.
char* ReadWhole(const char* path, size_t* size) {
  *size = 0;
  FILE* file = std::fopen(path, "rb");
  if (!file) return nullptr;
  char* data = nullptr;
  char block[4096];
  size_t got;
  bool failed = false;
  while (!failed && (got = std::fread(block, 1, sizeof block, file)) > 0) {
    char* grown = static_cast<char*>(std::realloc(data, *size + got));
    failed = !grown;
    if (grown) {
      data = grown;
      std::memcpy(data + *size, block, got);
      *size += got;
    }
  }
  failed |= std::ferror(file) != 0;
  std::fclose(file);
  if (failed) {
    std::free(data);
    *size = 0;
    return nullptr;
  }
  return data ? data : static_cast<char*>(std::malloc(1));
}

// Flushed to the disk, the file still open: a temporary file stays locked
// until it has been renamed.
int WriteAndSync(FILE* file, SaveWriter writer, void* context) {
  int failed = writer(file, context) != 0;
  failed |= std::fflush(file) != 0;
  failed |= ::fsync(fileno(file)) != 0;
  return failed ? -1 : 0;
}

// Where the folder may not be written (a shared install), the file is
// rewritten where it is, as a plain save would. That cannot be safe against
// a crash; the old bytes are overwritten rather than cut first, and put back
// when a write fails.
int RewriteInPlace(const char* path, SaveWriter writer, void* context) {
  size_t oldSize = 0;
  char* old = ReadWhole(path, &oldSize);
  if (!old) return -1;  // what could not be read could not be put back
  const int fd = ::open(path, O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  FILE* file = fd >= 0 ? fdopen(fd, "wb") : nullptr;
  if (!file && fd >= 0) ::close(fd);
  int result = file ? WriteAndSync(file, writer, context) : -1;
  const long newSize = result == 0 ? std::ftell(file) : -1;
  if (result == 0 && (newSize < 0 || ::ftruncate(fd, newSize) != 0 || ::fsync(fd) != 0)) result = -1;
  if (result != 0 && file) {
    for (size_t put = 0; put < oldSize;) {
      const ssize_t wrote = ::pwrite(fd, old + put, oldSize - put, static_cast<off_t>(put));
      if (wrote <= 0) break;
      put += static_cast<size_t>(wrote);
    }
    if (::ftruncate(fd, static_cast<off_t>(oldSize)) == 0) ::fsync(fd);
  }
  if (file) std::fclose(file);
  std::free(old);
  return result;
}

// A file-size limit (ulimit -f) fails the write, as a full disk does,
// instead of ending the game in the middle of the save.
class SizeLimitSignalIgnored {
 public:
  SizeLimitSignalIgnored() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGXFSZ, &ignore, &saved_);
  }
  ~SizeLimitSignalIgnored() { sigaction(SIGXFSZ, &saved_, nullptr); }

 private:
  struct sigaction saved_ {};
};

int SaveLocked(const char* target, SaveReader reader, SaveWriter writer, void* context) {
  struct stat info;
  const bool exists = lstat(target, &info) == 0;
  if (!exists && errno != ENOENT) return -1;
  // A file the player may not write is left alone, as opening it for
  // writing would have refused; one they may not read could not be kept.
  if (exists && (!S_ISREG(info.st_mode) || access(target, W_OK) != 0)) return -1;
  FILE* current = exists ? OpenRegularFile(target) : nullptr;
  if (exists && !current) return -1;
  const int read = reader ? reader(current, context) : 0;
  if (current) std::fclose(current);
  if (read != 0) return -1;

  RemoveLeftoverTemps(target);
  char temp[kPathBufferSize];
  const int fd = CreateSaveTemp(target, temp);
  if (fd < 0) return exists && (errno == EACCES || errno == EPERM) ? RewriteInPlace(target, writer, context) : -1;
  // The new file takes the old one's permissions (open's mode only applies
  // to a file it creates, cut by the umask).
  if (exists) fchmod(fd, info.st_mode & 07777);
  FILE* file = fdopen(fd, "wb");
  if (!file) ::close(fd);
  const bool saved = file && WriteAndSync(file, writer, context) == 0 && std::rename(temp, target) == 0;
  if (!saved) std::remove(temp);
  if (file) std::fclose(file);
  return saved ? 0 : -1;
}

}  // namespace

int SaveFileSafely(const char* path, SaveReader reader, SaveWriter writer, void* context) {
  char target[kPathBufferSize];
  if (FollowLinks(path, target) != 0) return -1;
  const SizeLimitSignalIgnored sizeLimit;
  const int folder = LockSaveFolder(target);
  const int result = SaveLocked(target, reader, writer, context);
  UnlockSaveFolder(folder);
  return result;
}
