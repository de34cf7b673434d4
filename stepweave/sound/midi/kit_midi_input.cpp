#include "stepweave/sound/midi/kit_midi_input.h"

#include "stepweave/sound/files/errors.h"
#include "stepweave/sound/kit/kit_layout.h"
#include "stepweave/sound/output/audio_output.h"
#include "stepweave/sound/voices/kit_player.h"
#include "stepweave/sound/voices/voice.h"

namespace stepweave {

namespace {

// The slot's sound as its master voice plays it; none when the kit lacks the
// slot or its wave cannot be played.
LiveSlotSound SoundOfSlot(KitPlayer& kit, int slot) {
    LiveSlotSound sound;
    const std::string_view label = kKitSlotNames[static_cast<size_t>(slot)];
    if (kit.Items().IndexOf(label) < 0) {
        return sound;
    }
    try {
        Voice* voice = kit.Voice(kit.Items().Find(label)).MasterVoice();
        if (voice == nullptr || !voice->IsMade()) {
            return sound;
        }
        const WaveFormat format = voice->Format();
        sound.keep = voice->Memory();
        sound.layout = PcmLayout{format.channels, format.bitsPerSample};
        sound.frequency = voice->Frequency();
    } catch (const StepweaveError&) {
        // An empty wave: the slot stays silent, as a cell of it plays nothing.
    }
    return sound;
}

}  // namespace

KitMidiInput::KitMidiInput(std::shared_ptr<AudioOutput> output, KitPlayer& kit, TimerScheduler& timers,
                           std::function<void()> onHitQueued)
    : output_(std::move(output)),
      kit_(kit),
      onHitQueued_(std::move(onHitQueued)),
      look_(timers, kKitLookMilliseconds, [this] { LookAtKit(); }),
      ports_(std::make_unique<MidiInputPorts>(output_->Clock(), [this](const LiveHit& hit) { Receive(hit); })) {
    LookAtKit();
    output_->GetMixer().AttachInsert(&voices_);
}

KitMidiInput::~KitMidiInput() {
    ports_.reset();
    output_->GetMixer().DetachInsert();
}

// On an input thread.
void KitMidiInput::Receive(const LiveHit& hit) {
    voices_.Trigger(hit);
    if (mainThreadHits_.TryPush(hit) && onHitQueued_) {
        onHitQueued_();
    }
}

void KitMidiInput::LookAtKit() {
    LiveKitSounds sounds;
    bool changed = !publishedOnce_;
    for (int slot = 1; slot < kLiveKitSlots; ++slot) {
        sounds[static_cast<size_t>(slot)] = SoundOfSlot(kit_, slot);
        const LiveSlotSound& sound = sounds[static_cast<size_t>(slot)];
        changed = changed || sound.keep.get() != published_[static_cast<size_t>(slot)] ||
                  sound.frequency != publishedFrequency_[static_cast<size_t>(slot)];
        const std::string_view label = kKitSlotNames[static_cast<size_t>(slot)];
        if (kit_.Items().IndexOf(label) >= 0) {
            voices_.SetPan(slot, kit_.Items().Find(label).Pan());
        }
    }
    if (changed && voices_.Publish(sounds)) {
        publishedOnce_ = true;
        for (int slot = 0; slot < kLiveKitSlots; ++slot) {
            published_[static_cast<size_t>(slot)] = sounds[static_cast<size_t>(slot)].keep.get();
            publishedFrequency_[static_cast<size_t>(slot)] = sounds[static_cast<size_t>(slot)].frequency;
        }
    }
}

}  // namespace stepweave
