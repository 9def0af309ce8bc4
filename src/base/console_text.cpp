#include "base/console_text.h"

#include <iconv.h>
#include <langinfo.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <clocale>
#include <cstdlib>
#include <cstring>

namespace {

struct Utf8Sink {
  int fd;
  iconv_t convert;
  char pending[2];  // the first byte of a character the last write cut in two
  size_t pendingCount;
};

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = write(fd, data, size);
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

ssize_t WriteConverted(void* cookie, const char* data, size_t size) {
  auto* sink = static_cast<Utf8Sink*>(cookie);
  char joined[512];
  size_t taken = 0;
  while (taken < size) {
    // What was left of the last write, then as much of this one as fits.
    size_t count = sink->pendingCount;
    std::memcpy(joined, sink->pending, count);
    const size_t more = std::min(size - taken, sizeof joined - count);
    std::memcpy(joined + count, data + taken, more);
    count += more;
    taken += more;
    sink->pendingCount = 0;
    char* in = joined;
    size_t inLeft = count;
    while (inLeft > 0) {
      char out[2048];
      char* outPtr = out;
      size_t outLeft = sizeof out;
      const size_t result = iconv(sink->convert, &in, &inLeft, &outPtr, &outLeft);
      if (!WriteAll(sink->fd, out, sizeof out - outLeft)) return -1;
      if (result != static_cast<size_t>(-1)) break;
      if (errno == EINVAL && inLeft < sizeof sink->pending) {
        // A character cut at the end of this piece: kept for the next piece or write.
        std::memcpy(sink->pending, in, inLeft);
        sink->pendingCount = inLeft;
        inLeft = 0;
      } else if (errno != E2BIG) {
        // Not Shift_JIS: the byte goes out as it is.
        if (!WriteAll(sink->fd, in, 1)) return -1;
        in++;
        inLeft--;
      }
    }
  }
  return static_cast<ssize_t>(size);
}

int CloseConverted(void* cookie) {
  auto* sink = static_cast<Utf8Sink*>(cookie);
  if (sink->pendingCount > 0) WriteAll(sink->fd, sink->pending, sink->pendingCount);
  iconv_close(sink->convert);
  std::free(sink);
  return 0;
}

bool LocaleIsUtf8() {
  const char* old = std::setlocale(LC_CTYPE, nullptr);
  char saved[64];
  std::snprintf(saved, sizeof saved, "%s", old ? old : "C");
  const bool utf8 = std::setlocale(LC_CTYPE, "") && std::strcmp(nl_langinfo(CODESET), "UTF-8") == 0;
  std::setlocale(LC_CTYPE, saved);  // the game itself keeps the C locale
  return utf8;
}

// The streams put in place and the ones they replaced: UseLocaleConsole sets
// them, RestoreConsole (at exit, or when called) puts the plain ones back.
struct ConsoleStreams {
  FILE* convertedOut;  // null while the plain streams are in place
  FILE* convertedErr;
  FILE* plainOut;
  FILE* plainErr;
  bool closesAtExit;  // RestoreConsole is registered at exit; never reset
};
ConsoleStreams console = {nullptr, nullptr, nullptr, nullptr, false};

}  // namespace

FILE* OpenUtf8Stream(int fd) {
  auto* sink = static_cast<Utf8Sink*>(std::calloc(1, sizeof(Utf8Sink)));
  if (!sink) return nullptr;
  sink->fd = fd;
  sink->convert = iconv_open("UTF-8", "CP932");
  if (sink->convert == reinterpret_cast<iconv_t>(-1)) {
    std::free(sink);
    return nullptr;
  }
  const cookie_io_functions_t functions = {nullptr, WriteConverted, nullptr, CloseConverted};
  FILE* stream = fopencookie(sink, "w", functions);
  if (!stream) {
    CloseConverted(sink);
    return nullptr;
  }
  setvbuf(stream, nullptr, _IOLBF, BUFSIZ);
  return stream;
}

int UseLocaleConsole() {
  if (console.convertedOut) return 1;
  if (!LocaleIsUtf8()) return 0;
  FILE* out = OpenUtf8Stream(STDOUT_FILENO);
  FILE* err = OpenUtf8Stream(STDERR_FILENO);
  if (!out || !err) {
    if (out) std::fclose(out);
    if (err) std::fclose(err);
    return 0;
  }
  std::fflush(stdout);
  std::fflush(stderr);
  if (!console.closesAtExit) console.closesAtExit = std::atexit(RestoreConsole) == 0;
  console.plainOut = stdout;
  console.plainErr = stderr;
  console.convertedOut = stdout = out;
  console.convertedErr = stderr = err;
  return 1;
}

void RestoreConsole() {
  if (!console.convertedOut) return;
  // Whatever prints after this goes out unconverted rather than into a closed stream.
  stdout = console.plainOut;
  stderr = console.plainErr;
  std::fclose(console.convertedOut);
  std::fclose(console.convertedErr);
  console.convertedOut = console.convertedErr = nullptr;
}
