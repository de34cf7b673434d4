#pragma once
// "Higher Priority Processing": while a live run is active and the setting is
// on, the main thread runs above normal priority, so that the analysis keeps
// up with the sound card; otherwise it runs at normal priority.
#include <string>

#include "voxnote/analysis/capture/thread_priority.h"

namespace voxnote {

class ProcessingPriority {
public:
    explicit ProcessingPriority(ThreadPriorityControl& control) : control_(control) {}

    // Raises or lowers the thread for the run's state; returns the diagnostic
    // report of the priority the thread has now (empty when unknown).
    std::string Apply(bool runActive, bool higherPriority);
    bool IsRaised() const { return raised_; }

private:
    ThreadPriorityControl& control_;
    bool raised_ = false;
};

}  // namespace voxnote
