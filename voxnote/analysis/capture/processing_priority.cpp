#include "voxnote/analysis/capture/processing_priority.h"

namespace voxnote {

std::string ProcessingPriority::Apply(bool runActive, bool higherPriority) {
    const bool wanted = runActive && higherPriority;
    if (wanted != raised_) {
        control_.SetCurrentThreadPriority(wanted ? ThreadPriority::AboveNormal : ThreadPriority::Normal);
        raised_ = wanted;
    }
    const std::optional<ThreadPriority> now = control_.CurrentThreadPriority();
    return now ? PriorityReport(*now) : std::string();
}

}  // namespace voxnote
