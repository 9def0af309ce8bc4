#include "base/safe_save.h"

#include <unistd.h>

#include <cstring>

#include "base/text_lines.h"

int SaveFileSafely(const char* path, SaveWriter writer, const void* context) {
  char temp[kPathBufferSize];
  if (JoinPath(temp, path, ".tmp") != 0) return -1;
  FILE* file = std::fopen(temp, "wb");
  if (!file) return -1;
  int failed = writer(file, context) != 0;
  failed |= std::fflush(file) != 0;
  failed |= ::fsync(fileno(file)) != 0;
  failed |= std::fclose(file) != 0;
  if (!failed && std::rename(temp, path) == 0) return 0;
  std::remove(temp);
  return -1;
}
