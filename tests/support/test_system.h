// Shared test scaffolding: a fake frame clock, a headless System, keyboard
// control and stderr capture.
#pragma once

#include <SDL.h>
#include <sys/resource.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "engine/system.h"

// Whether this build runs under the address sanitizer: some faults only it sees.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
inline constexpr bool kAddressSanitizer = __has_feature(address_sanitizer);
#else
inline constexpr bool kAddressSanitizer = false;
#endif

// A clock that only moves when told to, or when the timer waits on it.
struct FakeClock {
  uint32_t now = 1000;
  uint32_t waited = 0;        // total ms the timer asked to wait
  uint32_t workPerFrame = 0;  // ms added on each read, as if a frame took that long

  void Install();
  static void Uninstall();
};

// A System as InitSystem makes it (dummy video and audio), destroyed at scope end.
class TestSystem {
 public:
  TestSystem();
  ~TestSystem();
  System* get() const { return sys_; }
  System* operator->() const { return sys_; }

 private:
  System* sys_;
};

void SetKey(SDLKey key, bool down);
void ReleaseAllKeys();
// A key press as the next event poll will see it; 0 once it is queued.
int PushKey(SDLKey sym, SDLMod mod = KMOD_NONE);

// Captures what the code under test writes to stderr (or stdout).
class CapturedStream {
 public:
  explicit CapturedStream(FILE* stream);
  ~CapturedStream();
  std::string Text();

 private:
  FILE* stream_;
  int savedFd_;
  std::string path_;
  bool done_ = false;
};

// What `run` writes to `stream`.
template <class Run>
std::string OutputOf(FILE* stream, Run run) {
  CapturedStream captured(stream);
  run();
  return captured.Text();
}

// A fresh empty directory under /tmp, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

std::string ReadFile(const std::string& path);
std::vector<std::string> ReadLines(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);

// Runs every body at the same moment, each in a child process of its own;
// true when all of them ended by themselves with status 0.
bool RunAtOnce(const std::vector<std::function<void()>>& bodies);

// Files grow no further than `bytes` while it lives, as under `ulimit -f`.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes);
  ~FileSizeLimit();

 private:
  rlimit saved_{};
};
