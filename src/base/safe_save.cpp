#include "base/safe_save.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <utility>

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

int WriteAndSync(FILE* file, SaveWriter writer, const void* context) {
  int failed = writer(file, context) != 0;
  failed |= std::fflush(file) != 0;
  failed |= ::fsync(fileno(file)) != 0;
  failed |= std::fclose(file) != 0;
  return failed ? -1 : 0;
}

int WriteBytes(FILE* file, const void* context) {
  const auto* bytes = static_cast<const std::pair<const char*, size_t>*>(context);
  return std::fwrite(bytes->first, 1, bytes->second, file) == bytes->second ? 0 : -1;
}

// Where no temporary file can be made (a folder the player cannot write to)
// the file is rewritten where it is, as a plain save would. That cannot be
// safe against a crash, but a write that fails puts the old bytes back.
int RewriteInPlace(const char* path, bool exists, SaveWriter writer, const void* context) {
  size_t oldSize = 0;
  char* old = exists ? ReadWhole(path, &oldSize) : nullptr;
  if (exists && !old) return -1;  // what could not be read could not be put back
  FILE* file = std::fopen(path, "wb");
  int result = file ? WriteAndSync(file, writer, context) : -1;
  if (result != 0 && old) {
    const std::pair<const char*, size_t> bytes{old, oldSize};
    FILE* again = std::fopen(path, "wb");
    if (again) WriteAndSync(again, WriteBytes, &bytes);
  }
  std::free(old);
  return result;
}

}  // namespace

int SaveFileSafely(const char* path, SaveWriter writer, const void* context) {
  char target[kPathBufferSize];
  if (FollowLinks(path, target) != 0) return -1;
  struct stat info;
  const bool exists = stat(target, &info) == 0;
  // A file the player may not write is left alone, as opening it for
  // writing would have refused.
  if (exists && (!S_ISREG(info.st_mode) || access(target, W_OK) != 0)) return -1;
  char temp[kPathBufferSize];
  if (JoinPath(temp, target, ".tmp") != 0) return -1;
  const int fd = ::open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (fd < 0) return RewriteInPlace(target, exists, writer, context);
  // The new file takes the old one's permissions (open's mode only applies
  // to a file it creates, cut by the umask).
  struct stat made;
  if (exists && fstat(fd, &made) == 0 && S_ISREG(made.st_mode)) fchmod(fd, info.st_mode & 07777);
  FILE* file = fdopen(fd, "wb");
  if (!file) ::close(fd);
  if (file && WriteAndSync(file, writer, context) == 0 && std::rename(temp, target) == 0) return 0;
  std::remove(temp);
  return -1;
}
