// Counts heap allocations made by the process while a counter is alive.
// Works through the sanitizer runtime's allocation hooks; without a
// sanitizer, Available() is false and callers skip.
#pragma once

#include <atomic>
#include <cstddef>

class AllocationCounter {
 public:
  AllocationCounter();
  ~AllocationCounter();
  static bool Available();
  long Count() const;
  // The largest single allocation made while this counter was the newest.
  size_t Largest() const;

 private:
  long start_;
};
