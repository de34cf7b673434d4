// The watch that the device-thread tests rely on: a watch that counted
// nothing would let every "no allocation" check pass.
#include "tests/voxnote/analysis/resampling/allocation_watch.h"

#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace voxnote {
namespace {

using testing::AllocationWatch;

TEST(AllocationWatch, CountsTheHeapCallsAndLocksOfItsOwnThreadOnly) {
    std::mutex mutex;
    AllocationWatch watch;
    {
        auto held = std::make_unique<std::vector<int>>(100);  // two allocations, two frees
        std::lock_guard<std::mutex> lock(mutex);
    }
    EXPECT_EQ(watch.HeapCalls(), 4u);
    EXPECT_EQ(watch.MutexLocks(), 1u);

    std::thread other([&] {
        std::vector<int> elsewhere(1000);
        std::lock_guard<std::mutex> lock(mutex);
    });
    other.join();
    EXPECT_EQ(watch.MutexLocks(), 1u) << "another thread's lock";
}

}  // namespace
}  // namespace voxnote
