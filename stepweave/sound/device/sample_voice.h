#pragma once
// The playable side of one kit slot. Its wave is loaded once into a master
// buffer; every play starts a fresh duplicate of that buffer with the
// slot's pan and volume, so one slot can sound many times at once without
// copying a sample.
//
// Main thread only.
#include <cstdint>
#include <memory>

namespace stepweave {

class TDirectSoundBuffer;
class WaveCollectionItem;

class SampleVoice {
public:
    explicit SampleVoice(WaveCollectionItem& item);
    ~SampleVoice();
    SampleVoice(const SampleVoice&) = delete;
    SampleVoice& operator=(const SampleVoice&) = delete;

    // Starts a new copy of the sound, once, from its beginning. Without
    // wait it joins the kit's playing list; with wait it returns when the
    // copy has finished (checked every 10 ms). Does nothing while the kit is
    // not bound to an initialised device. An empty wave raises
    // EDirectSoundBufferError "%s cannot be made" ("Sound Buffer").
    void Play(bool wait = false);
    // Loads the wave into the master buffer, made anew.
    void Restore();
    // The master buffer, loaded now if it has no sound yet; nullptr while
    // the kit is not bound to an initialised device.
    TDirectSoundBuffer* MasterBuffer();
    // The master buffer object exists (it may still be empty).
    bool Initialized() const { return master_ != nullptr; }

    // The kit's side: make the (still empty) master object, or free it.
    void Initialize();
    void Finalize();

private:
    static constexpr uint32_t kWaitPollMilliseconds = 10;

    WaveCollectionItem& item_;
    std::unique_ptr<TDirectSoundBuffer> master_;
};

}  // namespace stepweave
