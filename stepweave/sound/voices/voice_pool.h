#pragma once
// The copies of a kit's sounds that were started without waiting and have
// not been freed yet, and the sweep that frees the finished ones every
// 500 ms, in batches rather than per hit.
//
// Main thread only.
#include <cstdint>
#include <memory>
#include <vector>

namespace stepweave {

class RepeatingTimer;
class TimerScheduler;
class Voice;

class VoicePool {
public:
    static constexpr uint32_t kSweepMilliseconds = 500;

    VoicePool();
    ~VoicePool();
    VoicePool(const VoicePool&) = delete;
    VoicePool& operator=(const VoicePool&) = delete;

    // The sweep runs on `timers` from now on.
    void StartSweeping(TimerScheduler& timers);
    // Stops the sweep and frees every copy still listed.
    void Clear();

    void Add(std::unique_ptr<Voice> copy);
    int Count() const { return static_cast<int>(playing_.size()); }
    // Frees every listed copy that is neither playing nor looping, from the
    // last to the first.
    void Sweep();

private:
    std::vector<std::unique_ptr<Voice>> playing_;
    std::unique_ptr<RepeatingTimer> sweep_;
};

}  // namespace stepweave
