#include "solve/workers.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace {

// A message is its length (8 bytes) and its bytes.
bool SendAll(int socket, const void* data, size_t size) {
  const uint8_t* at = static_cast<const uint8_t*>(data);
  while (size > 0) {
    const ssize_t sent = send(socket, at, size, MSG_NOSIGNAL);
    if (sent < 0 && errno == EINTR) continue;
    if (sent <= 0) return false;
    at += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

bool ReceiveAll(int socket, void* data, size_t size) {
  uint8_t* at = static_cast<uint8_t*>(data);
  while (size > 0) {
    const ssize_t got = recv(socket, at, size, 0);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    at += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool SendMessage(int socket, const WorkerBytes& bytes) {
  const uint64_t size = bytes.size();
  return SendAll(socket, &size, sizeof size) && SendAll(socket, bytes.data(), bytes.size());
}

constexpr uint64_t kMaxMessage = 1ull << 32;

bool ReceiveMessage(int socket, WorkerBytes* bytes) {
  uint64_t size = 0;
  if (!ReceiveAll(socket, &size, sizeof size) || size > kMaxMessage) return false;
  bytes->resize(size);
  return ReceiveAll(socket, bytes->data(), size);
}

}  // namespace

int OnlineProcessors() {
  const long count = sysconf(_SC_NPROCESSORS_ONLN);
  return count > 0 ? static_cast<int>(count) : 1;
}

int WorkerPool::Start(int count, Serve serve) {
  Stop();
  error_.clear();
  if (count < 1) count = 1;
  for (int i = 0; i < count; i++) {
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_STREAM, 0, pair) != 0) return Fail(std::string("no socket: ") + strerror(errno));
    const pid_t pid = fork();
    if (pid < 0) {
      close(pair[0]);
      close(pair[1]);
      return Fail(std::string("no worker process: ") + strerror(errno));
    }
    if (pid == 0) {
      close(pair[0]);
      for (const Worker& other : workers_) close(other.socket);
      WorkerBytes job, result;
      while (ReceiveMessage(pair[1], &job)) {
        result.clear();
        serve(job, &result);
        if (!SendMessage(pair[1], result)) _exit(1);
      }
      // The caller's state is a copy: nothing of it is flushed or freed here.
      _exit(0);
    }
    close(pair[1]);
    workers_.push_back({pid, pair[0]});
  }
  return 0;
}

int WorkerPool::Run(const std::vector<WorkerBytes>& jobs, std::vector<WorkerBytes>* results) {
  results->assign(jobs.size(), {});
  if (workers_.empty()) return Fail("no workers");
  std::vector<long> running(workers_.size(), -1);  // the job each worker has
  size_t next = 0, done = 0;
  while (done < jobs.size()) {
    std::vector<pollfd> waits;
    for (size_t w = 0; w < workers_.size(); w++) {
      if (running[w] < 0 && next < jobs.size()) {
        if (!SendMessage(workers_[w].socket, jobs[next])) return Fail("a worker stopped answering");
        running[w] = static_cast<long>(next++);
      }
      if (running[w] >= 0) waits.push_back({workers_[w].socket, POLLIN, 0});
    }
    if (poll(waits.data(), waits.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return Fail(std::string("poll: ") + strerror(errno));
    }
    for (size_t w = 0, i = 0; w < workers_.size(); w++) {
      if (running[w] < 0) continue;
      const pollfd& wait = waits[i++];
      if (!(wait.revents & (POLLIN | POLLHUP | POLLERR))) continue;
      if (!ReceiveMessage(workers_[w].socket, &(*results)[running[w]])) return Fail("a worker stopped answering");
      running[w] = -1;
      done++;
    }
  }
  return 0;
}

int WorkerPool::Fail(const std::string& what) {
  error_ = what;
  // A worker that is gone says how; the others are ended.
  for (size_t w = 0; w < workers_.size(); w++) {
    close(workers_[w].socket);
    int status = 0;
    pid_t ended = waitpid(workers_[w].pid, &status, WNOHANG);
    if (ended == 0) {
      usleep(50000);  // one that is just going, after its last words
      ended = waitpid(workers_[w].pid, &status, WNOHANG);
    }
    if (ended == 0) {
      kill(workers_[w].pid, SIGKILL);
      waitpid(workers_[w].pid, nullptr, 0);
    } else if (ended == workers_[w].pid && WIFSIGNALED(status)) {
      error_ += "; worker " + std::to_string(w + 1) + " was killed by signal " + std::to_string(WTERMSIG(status));
    } else if (ended == workers_[w].pid && WIFEXITED(status) && WEXITSTATUS(status) != 0) {
      error_ += "; worker " + std::to_string(w + 1) + " exited with status " + std::to_string(WEXITSTATUS(status));
    }
  }
  workers_.clear();
  return -1;
}

void WorkerPool::Stop() {
  for (const Worker& worker : workers_) close(worker.socket);
  for (const Worker& worker : workers_) waitpid(worker.pid, nullptr, 0);
  workers_.clear();
}
