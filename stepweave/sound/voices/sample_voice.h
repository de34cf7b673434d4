#pragma once
// The playable side of one kit slot. Its wave is loaded once into a master
// voice; every play starts a fresh duplicate of that voice with the slot's
// pan and volume, so one slot can sound many times at once without copying
// a sample.
//
// Main thread only.
#include <cstdint>
#include <memory>

namespace stepweave {

class KitPlayer;
class Voice;
class WaveCollectionItem;

class SampleVoice {
public:
    SampleVoice(KitPlayer& kit, WaveCollectionItem& item);
    ~SampleVoice();
    SampleVoice(const SampleVoice&) = delete;
    SampleVoice& operator=(const SampleVoice&) = delete;

    // Starts a new copy of the sound, once, from its beginning. Without
    // wait it joins the kit's playing copies; with wait it returns when the
    // copy has finished (checked every 10 ms). Does nothing while the kit is
    // not bound to an open device. An empty wave raises
    // VoiceError "%s cannot be made" ("Sound Buffer").
    void Play(bool wait = false);
    // Loads the wave into the master voice, made anew.
    void Restore();
    // The master voice, loaded now if it has no sound yet; nullptr while
    // the kit is not bound to an open device.
    Voice* MasterVoice();
    // The master voice object exists (it may still be empty).
    bool HasMaster() const { return master_ != nullptr; }

    // The kit's side: make the (still empty) master object, or free it.
    void MakeMaster();
    void FreeMaster();

private:
    static constexpr uint32_t kWaitPollMilliseconds = 10;

    KitPlayer& kit_;
    WaveCollectionItem& item_;
    std::unique_ptr<Voice> master_;
};

}  // namespace stepweave
