#pragma once
// The playing side of a kit: the sound device it is bound to, the copies
// started without waiting that have not been freed yet, and the sweep that
// frees the finished ones every 500 ms, in batches rather than per hit.
//
// Main thread only.
#include <memory>
#include <vector>

namespace stepweave {

class RepeatingTimer;
class TCustomDXSound;
class TDirectSoundBuffer;
class WaveCollection;

class KitPlayback {
public:
    static constexpr uint32_t kSweepMilliseconds = 500;

    explicit KitPlayback(WaveCollection& kit);
    ~KitPlayback();
    KitPlayback(const KitPlayback&) = delete;
    KitPlayback& operator=(const KitPlayback&) = delete;

    // The device the kit is bound to while it is initialised, else nullptr.
    TCustomDXSound* Device() const { return device_; }
    bool IsBound() const;

    // Binds to the device: an empty master object for every voice, and the sweep.
    void Initialize(TCustomDXSound& device);
    // Stops the sweep, frees every copy still listed and every master
    // buffer, and forgets the device.
    void Finalize();
    // Every voice loads its wave into its master buffer. A voice that cannot
    // (an empty wave) is left without one; playing it reports why.
    void Restore();

    void AddPlaying(std::unique_ptr<TDirectSoundBuffer> copy);
    int PlayingCount() const { return static_cast<int>(playing_.size()); }
    // Frees every listed copy that is neither playing nor looping, from the
    // last to the first.
    void Sweep();

private:
    WaveCollection& kit_;
    TCustomDXSound* device_ = nullptr;
    std::vector<std::unique_ptr<TDirectSoundBuffer>> playing_;
    std::unique_ptr<RepeatingTimer> sweep_;
};

}  // namespace stepweave
