#include "base/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

FILE* OpenRegularFile(const char* path) {
  if (!path) return nullptr;
  // Without O_NONBLOCK, opening a pipe waits for a writer before the type
  // can be looked at.
  const int fd = ::open(path, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || fcntl(fd, F_SETFL, 0) != 0) {
    ::close(fd);
    return nullptr;
  }
  FILE* file = fdopen(fd, "rb");
  if (!file) ::close(fd);
  return file;
}
