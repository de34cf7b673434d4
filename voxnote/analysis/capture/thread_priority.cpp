#include "voxnote/analysis/capture/thread_priority.h"

#include <sys/resource.h>

#include <cerrno>

namespace voxnote {

namespace {

int NiceValue(ThreadPriority priority) {
    switch (priority) {
        case ThreadPriority::Idle: return 19;
        case ThreadPriority::Lowest: return 10;
        case ThreadPriority::BelowNormal: return 5;
        case ThreadPriority::Normal: return 0;
        case ThreadPriority::AboveNormal: return -5;
        case ThreadPriority::Highest: return -10;
        case ThreadPriority::TimeCritical: return -20;
    }
    return 0;
}

ThreadPriority PriorityOfNice(int nice) {
    if (nice >= 19) return ThreadPriority::Idle;
    if (nice >= 6) return ThreadPriority::Lowest;
    if (nice >= 1) return ThreadPriority::BelowNormal;
    if (nice == 0) return ThreadPriority::Normal;
    if (nice >= -5) return ThreadPriority::AboveNormal;
    if (nice >= -19) return ThreadPriority::Highest;
    return ThreadPriority::TimeCritical;
}

}  // namespace

// On Linux the nice value of PRIO_PROCESS 0 belongs to the calling thread;
// elsewhere to the process, whose main thread is the one that asks.
bool SystemThreadPriority::SetCurrentThreadPriority(ThreadPriority priority) {
    return setpriority(PRIO_PROCESS, 0, NiceValue(priority)) == 0;
}

std::optional<ThreadPriority> SystemThreadPriority::CurrentThreadPriority() {
    errno = 0;
    const int nice = getpriority(PRIO_PROCESS, 0);
    if (nice == -1 && errno != 0) {
        return std::nullopt;
    }
    return PriorityOfNice(nice);
}

std::string PriorityReport(ThreadPriority priority) {
    const char* name = "";
    switch (priority) {
        case ThreadPriority::Idle: name = "THREAD_PRIORITY_IDLE"; break;
        case ThreadPriority::Lowest: name = "THREAD_PRIORITY_LOWEST"; break;
        case ThreadPriority::BelowNormal: name = "THREAD_PRIORITY_BELOW_NORMAL"; break;
        case ThreadPriority::Normal: name = "THREAD_PRIORITY_NORMAL"; break;
        case ThreadPriority::AboveNormal: name = "THREAD_PRIORITY_ABOVE_NORMAL"; break;
        case ThreadPriority::Highest: name = "THREAD_PRIORITY_HIGHEST"; break;
        case ThreadPriority::TimeCritical: name = "THREAD_PRIORITY_TIME_CRITICAL"; break;
    }
    return std::string("New mode has been set to ") + name;
}

}  // namespace voxnote
