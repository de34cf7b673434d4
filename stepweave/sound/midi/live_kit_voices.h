#pragma once
// The kit played live: hits that arrive from MIDI start on the audio thread,
// in the very next block it mixes, so that a pad sounds at most one audio
// block after it was struck, however busy the main thread is.
//
// Threads: any MIDI input thread calls Trigger; the audio thread mixes in
// AddInto (attached to the mixer as its insert); the main thread publishes
// the kit's sounds and pans and takes back what was heard. They share lock-
// free queues and atomics only; the audio thread never allocates, frees,
// locks or waits. A slot has eight copies that may sound at once; a ninth hit
// while all eight sound restarts the oldest.
#include <array>
#include <atomic>
#include <memory>
#include <vector>

#include "stepweave/sound/midi/live_hit.h"
#include "stepweave/sound/midi/multi_producer_queue.h"
#include "stepweave/sound/mixer/mixer_insert.h"
#include "stepweave/sound/mixer/sound_memory.h"
#include "stepweave/sound/mixer/spsc_queue.h"
#include "stepweave/sound/mixer/voice_renderer.h"

namespace stepweave {

inline constexpr int kLiveKitSlots = 17;  // slot 0 is the kit's blank one

// The sound of one slot: its bytes (kept alive by `keep`), how to read
// them and at which rate.
struct LiveSlotSound {
    SharedSoundMemory keep;
    PcmLayout layout;
    uint32_t frequency = 0;  // Hz; 0 for a slot without a sound
};

// What the main thread publishes: every slot's sound.
using LiveKitSounds = std::array<LiveSlotSound, kLiveKitSlots>;

class LiveKitVoices : public MixerInsert {
public:
    static constexpr int kCopiesPerSlot = 8;

    LiveKitVoices() = default;
    LiveKitVoices(const LiveKitVoices&) = delete;
    LiveKitVoices& operator=(const LiveKitVoices&) = delete;

    // --- any thread ---
    // False when too many hits wait already (the hit is dropped).
    bool Trigger(const LiveHit& hit) { return hits_.TryPush(hit); }

    // --- main thread ---
    // The sounds the next block on plays; the ones before stop there and
    // are freed on a later call. False when the audio thread has not yet
    // taken the last ones (try again later).
    bool Publish(const LiveKitSounds& sounds);
    // Hundredths of a decibel, as the kit item's pan.
    void SetPan(int slot, int32_t pan) { pans_[static_cast<size_t>(slot)].store(pan, std::memory_order_relaxed); }
    // The next hit the audio thread has started, oldest first.
    bool TakeHeard(HeardHit& heard) { return heard_.TryPop(heard); }

    // --- audio thread ---
    void AddInto(float* out, int frames, uint32_t firstFrameTime) override;

private:
    struct Table {
        LiveKitSounds sounds;
        std::array<VoiceRenderState, kLiveKitSlots> shapes;  // each slot's sound, ready to start
    };

    void CollectRetired();
    void TakeNewTable();
    void Start(const LiveHit& hit, uint32_t firstFrameTime);

    MultiProducerQueue<LiveHit> hits_{256};
    SpscQueue<Table*> incoming_{4};
    SpscQueue<Table*> retired_{8};
    SpscQueue<HeardHit> heard_{1024};
    std::array<std::atomic<int32_t>, kLiveKitSlots> pans_{};

    // Main thread: the tables published and not yet given back.
    std::vector<std::unique_ptr<Table>> owned_;

    // Audio thread.
    Table* current_ = nullptr;
    std::array<std::array<VoiceRenderState, kCopiesPerSlot>, kLiveKitSlots> copies_{};
    std::array<int, kLiveKitSlots> nextCopy_{};
};

}  // namespace stepweave
