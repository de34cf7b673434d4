#pragma once
// Counts what the calling thread asks of the heap (malloc, calloc, realloc,
// free and the aligned allocations) and how often it locks a mutex while a
// watch is open, for tests of code that must run on an audio device's
// thread. The test program replaces the C allocator's entry points (under
// AddressSanitizer, whose allocator cannot be replaced, it installs the
// sanitizer's allocation hooks instead) and pthread_mutex_lock; other
// threads are never counted.
#include <cstdint>

namespace voxnote::testing {

class AllocationWatch {
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    uint64_t HeapCalls() const;
    uint64_t MutexLocks() const;

private:
    uint64_t heapCallsAtStart_;
    uint64_t mutexLocksAtStart_;
};

}  // namespace voxnote::testing
