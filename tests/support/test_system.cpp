#include "support/test_system.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "engine/system.h"

namespace {

uint32_t FakeTicks(void* context) {
  auto* clock = static_cast<FakeClock*>(context);
  clock->now += clock->workPerFrame;
  return clock->now;
}

void FakeDelay(void* context, uint32_t ms) {
  auto* clock = static_cast<FakeClock*>(context);
  clock->now += ms;
  clock->waited += ms;
}

}  // namespace

void FakeClock::Install() {
  const FrameClock clock = {FakeTicks, FakeDelay, this};
  SetFrameClock(&clock);
}

void FakeClock::Uninstall() { SetFrameClock(nullptr); }

TestSystem::TestSystem() {
  sys_ = CreateSystem();
  InitSystem(sys_);
  ReleaseAllKeys();
}

TestSystem::~TestSystem() {
  ReleaseAllKeys();
  DestroySystem(sys_);
}

void SetKey(SDLKey key, bool down) {
  Uint8* keys = SDL_GetKeyState(nullptr);
  keys[key] = down ? 1 : 0;
}

void ReleaseAllKeys() {
  int count = 0;
  Uint8* keys = SDL_GetKeyState(&count);
  for (int i = 0; i < count; i++) keys[i] = 0;
}

int PushKey(SDLKey sym, SDLMod mod) {
  SDL_Event event{};
  event.type = SDL_KEYDOWN;
  event.key.keysym.sym = sym;
  event.key.keysym.mod = mod;
  return SDL_PushEvent(&event);
}

CapturedStream::CapturedStream(FILE* stream) : stream_(stream) {
  char name[] = "/tmp/runeblock-capture-XXXXXX";
  const int fd = mkstemp(name);
  path_ = name;
  std::fflush(stream_);
  savedFd_ = dup(fileno(stream_));
  dup2(fd, fileno(stream_));
  close(fd);
}

std::string CapturedStream::Text() {
  if (!done_) {
    std::fflush(stream_);
    dup2(savedFd_, fileno(stream_));
    close(savedFd_);
    done_ = true;
  }
  return ReadFile(path_);
}

CapturedStream::~CapturedStream() {
  Text();
  std::remove(path_.c_str());
}

TempDir::TempDir() {
  char name[] = "/tmp/runeblock-test-XXXXXX";
  path_ = mkdtemp(name);
}

TempDir::~TempDir() {
  const std::string command = "rm -rf '" + path_ + "'";
  if (std::system(command.c_str()) != 0) std::fprintf(stderr, "could not remove %s\n", path_.c_str());
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

void WriteFile(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary);
  out << content;
}

bool RunAtOnce(const std::vector<std::function<void()>>& bodies) {
  int gate[2];
  if (pipe(gate) != 0) return false;
  std::fflush(nullptr);
  std::vector<pid_t> children;
  for (const auto& body : bodies) {
    const pid_t child = fork();
    if (child == 0) {
      close(gate[1]);
      char byte;
      while (read(gate[0], &byte, 1) < 0 && errno == EINTR) {
      }
      body();
      std::fflush(nullptr);
      _exit(0);
    }
    if (child > 0) children.push_back(child);
  }
  // The gate opens for all of them when its last writer closes it.
  close(gate[0]);
  close(gate[1]);
  bool ok = children.size() == bodies.size();
  for (const pid_t child : children) {
    int status = 0;
    ok &= waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  }
  return ok;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes) {
  getrlimit(RLIMIT_FSIZE, &saved_);
  rlimit limit = saved_;
  limit.rlim_cur = bytes < saved_.rlim_max ? bytes : saved_.rlim_max;
  setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
