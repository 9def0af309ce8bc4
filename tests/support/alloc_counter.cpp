#include "support/alloc_counter.h"

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*)) __attribute__((weak));

namespace {

std::atomic<long> allocations{0};
std::atomic<size_t> largest{0};

void OnMalloc(const volatile void*, size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  size_t seen = largest.load(std::memory_order_relaxed);
  while (size > seen && !largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
  }
}
void OnFree(const volatile void*) {}

bool InstallHooks() {
  static const bool installed =
      __sanitizer_install_malloc_and_free_hooks && __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
  return installed;
}

}  // namespace

AllocationCounter::AllocationCounter() : start_((InstallHooks(), allocations.load())) { largest.store(0); }
AllocationCounter::~AllocationCounter() = default;
bool AllocationCounter::Available() { return InstallHooks(); }
long AllocationCounter::Count() const { return allocations.load() - start_; }
size_t AllocationCounter::Largest() const { return largest.load(); }
