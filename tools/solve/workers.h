// Worker processes for the search. The game runs on one static record (and
// a little other file-scope state), so two simulations cannot share a
// process: each worker is a fork of the caller, with its own copy of the
// whole state, and turns the jobs it is sent (bytes) into results (bytes)
// down a socket. Results come back in the order the jobs were given,
// whichever worker ran which, so the caller's answer does not depend on how
// many workers there are.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using WorkerBytes = std::vector<uint8_t>;

class WorkerPool {
 public:
  using Serve = std::function<void(const WorkerBytes& job, WorkerBytes* result)>;

  WorkerPool() = default;
  ~WorkerPool() { Stop(); }
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // Forks `count` workers (at least one), each serving jobs with `serve` on
  // its copy of the process until the pool stops; 0, or -1 with `error` set.
  int Start(int count, Serve serve);
  // Runs the jobs; 0, or -1 with `error` set when a worker died or could
  // not be reached (the pool is stopped then).
  int Run(const std::vector<WorkerBytes>& jobs, std::vector<WorkerBytes>* results);
  // Ends the workers and waits for them.
  void Stop();

  int count() const { return static_cast<int>(workers_.size()); }
  const std::string& error() const { return error_; }

 private:
  struct Worker {
    pid_t pid;
    int socket;
  };
  int Fail(const std::string& what);

  std::vector<Worker> workers_;
  std::string error_;
};

// Online processors, at least 1.
int OnlineProcessors();
