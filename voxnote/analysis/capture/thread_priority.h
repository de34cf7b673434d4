#pragma once
// The scheduling priority of the calling (main) thread, in the seven steps
// the program reports, and the diagnostic text for each.
#include <optional>
#include <string>

namespace voxnote {

enum class ThreadPriority { Idle, Lowest, BelowNormal, Normal, AboveNormal, Highest, TimeCritical };

class ThreadPriorityControl {
public:
    virtual ~ThreadPriorityControl() = default;
    virtual bool SetCurrentThreadPriority(ThreadPriority priority) = 0;
    virtual std::optional<ThreadPriority> CurrentThreadPriority() = 0;
};

// The system's scheduler, through the calling thread's nice value (0 is
// normal, -5 above normal). Raising needs the right to do so; without it the
// call fails and the thread stays where it was.
class SystemThreadPriority : public ThreadPriorityControl {
public:
    bool SetCurrentThreadPriority(ThreadPriority priority) override;
    std::optional<ThreadPriority> CurrentThreadPriority() override;
};

// "New mode has been set to THREAD_PRIORITY_NORMAL" and its like.
std::string PriorityReport(ThreadPriority priority);

}  // namespace voxnote
