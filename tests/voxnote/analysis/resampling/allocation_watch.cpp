#include "tests/voxnote/analysis/resampling/allocation_watch.h"

#include <dlfcn.h>
#include <pthread.h>

#include <cerrno>
#include <cstddef>
#include <cstdlib>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VOXNOTE_TEST_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define VOXNOTE_TEST_ADDRESS_SANITIZER 1
#endif

#if defined(VOXNOTE_TEST_ADDRESS_SANITIZER)
#include <sanitizer/allocator_interface.h>
#endif

namespace {

// Plain thread-locals of the executable: reaching them allocates nothing,
// so the counting itself is safe inside the allocator.
constinit thread_local int watches = 0;
constinit thread_local uint64_t heapCalls = 0;
constinit thread_local uint64_t mutexLocks = 0;

void CountHeapCall() {
    if (watches > 0) {
        ++heapCalls;
    }
}

}  // namespace

#if defined(VOXNOTE_TEST_ADDRESS_SANITIZER)

namespace {

void MallocHook(const volatile void*, size_t) { CountHeapCall(); }
void FreeHook(const volatile void*) { CountHeapCall(); }

// Installed once, before the first watch opens (and before any other thread
// of the test program starts).
bool InstallHooks() {
    static const bool installed = __sanitizer_install_malloc_and_free_hooks(MallocHook, FreeHook) != 0;
    return installed;
}

}  // namespace

#else

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* memory, size_t size);
void __libc_free(void* memory);
void* __libc_memalign(size_t alignment, size_t size);

void* malloc(size_t size) noexcept {
    CountHeapCall();
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) noexcept {
    CountHeapCall();
    return __libc_calloc(count, size);
}

void* realloc(void* memory, size_t size) noexcept {
    CountHeapCall();
    return __libc_realloc(memory, size);
}

void free(void* memory) noexcept {
    if (memory != nullptr) {
        CountHeapCall();
    }
    __libc_free(memory);
}

void* memalign(size_t alignment, size_t size) noexcept {
    CountHeapCall();
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) noexcept {
    CountHeapCall();
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** memory, size_t alignment, size_t size) noexcept {
    CountHeapCall();
    *memory = __libc_memalign(alignment, size);
    return *memory != nullptr ? 0 : ENOMEM;
}
}

namespace {

bool InstallHooks() { return true; }

}  // namespace

#endif

extern "C" int pthread_mutex_lock(pthread_mutex_t* mutex) noexcept {
    using Lock = int (*)(pthread_mutex_t*);
    static const Lock next = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    if (watches > 0) {
        ++mutexLocks;
    }
    return next(mutex);
}

namespace voxnote::testing {

AllocationWatch::AllocationWatch() : heapCallsAtStart_(heapCalls), mutexLocksAtStart_(mutexLocks) {
    if (!InstallHooks()) {
        std::abort();  // nothing could be counted
    }
    ++watches;
}

AllocationWatch::~AllocationWatch() { --watches; }

uint64_t AllocationWatch::HeapCalls() const { return heapCalls - heapCallsAtStart_; }

uint64_t AllocationWatch::MutexLocks() const { return mutexLocks - mutexLocksAtStart_; }

}  // namespace voxnote::testing
