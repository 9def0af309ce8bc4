#include "support/alloc_counter.h"

extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*mallocHook)(const volatile void*, size_t),
                                                         void (*freeHook)(const volatile void*)) __attribute__((weak));

namespace {

std::atomic<long> allocations{0};

void OnMalloc(const volatile void*, size_t) { allocations.fetch_add(1, std::memory_order_relaxed); }
void OnFree(const volatile void*) {}

bool InstallHooks() {
  static const bool installed =
      __sanitizer_install_malloc_and_free_hooks && __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree) != 0;
  return installed;
}

}  // namespace

AllocationCounter::AllocationCounter() : start_((InstallHooks(), allocations.load())) {}
AllocationCounter::~AllocationCounter() = default;
bool AllocationCounter::Available() { return InstallHooks(); }
long AllocationCounter::Count() const { return allocations.load() - start_; }
