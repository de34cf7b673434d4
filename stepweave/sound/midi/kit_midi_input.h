#pragma once
// The kit played from MIDI on a program's sound output: the input ports
// (midi_input_ports.h), the live voices that the output's mixer adds in
// (live_kit_voices.h), the kit's sounds and pans kept up to date on them,
// and every hit handed on to the main thread as well (for recording it).
//
// Main thread, except OnHitQueued.
#include <functional>
#include <memory>

#include "stepweave/sound/midi/live_kit_voices.h"
#include "stepweave/sound/midi/midi_input_ports.h"
#include "stepweave/sound/timing/timer_scheduler.h"

namespace stepweave {

class AudioOutput;
class KitPlayer;

class KitMidiInput {
public:
    // How often the kit's sounds and pans are looked at: a kit loaded or a
    // pan moved is heard from MIDI after at most this long.
    static constexpr uint32_t kKitLookMilliseconds = 100;

    // `onHitQueued` is called on an input thread after each hit was queued
    // for the main thread (to wake it); it must not block.
    KitMidiInput(std::shared_ptr<AudioOutput> output, KitPlayer& kit, TimerScheduler& timers,
                 std::function<void()> onHitQueued = {});
    // Closes the ports, then takes the voices out of the mix.
    ~KitMidiInput();
    KitMidiInput(const KitMidiInput&) = delete;
    KitMidiInput& operator=(const KitMidiInput&) = delete;

    MidiInputPorts& Ports() { return *ports_; }
    // What a port does with each hit, on its input thread: starts it in the
    // next block of the mix and queues it for the main thread.
    void Receive(const LiveHit& hit);
    // The hits in the order they came, for the main thread.
    bool TakeHit(LiveHit& hit) { return mainThreadHits_.TryPop(hit); }
    // The hits as the audio thread started them, with their delays.
    bool TakeHeard(HeardHit& heard) { return voices_.TakeHeard(heard); }
    // Looks at the kit now (the timer does it every kKitLookMilliseconds).
    void LookAtKit();

private:
    std::shared_ptr<AudioOutput> output_;
    KitPlayer& kit_;
    std::function<void()> onHitQueued_;
    LiveKitVoices voices_;
    MultiProducerQueue<LiveHit> mainThreadHits_{256};
    std::array<const SoundMemory*, kLiveKitSlots> published_{};
    std::array<uint32_t, kLiveKitSlots> publishedFrequency_{};
    bool publishedOnce_ = false;
    RepeatingTimer look_;
    std::unique_ptr<MidiInputPorts> ports_;
};

}  // namespace stepweave
