#include "stepweave/sound/midi/live_kit_voices.h"

#include <algorithm>

#include "stepweave/sound/mixer/decibel_gain.h"
#include "stepweave/sound/mixer/mixer.h"

namespace stepweave {

namespace {

constexpr int32_t kAttenuationPerLevel = 500;

bool Sounding(const VoiceRenderState& voice) { return voice.memory != nullptr; }

}  // namespace

// --- main thread ---

bool LiveKitVoices::Publish(const LiveKitSounds& sounds) {
    CollectRetired();
    auto table = std::make_unique<Table>();
    table->sounds = sounds;
    for (size_t slot = 0; slot < sounds.size(); ++slot) {
        const LiveSlotSound& sound = sounds[slot];
        VoiceRenderState& shape = table->shapes[slot];
        if (!sound.keep || sound.frequency == 0 || !sound.layout.IsMixable()) {
            continue;
        }
        shape.memory = sound.keep.get();
        shape.layout = sound.layout;
        shape.frames = sound.keep->Size() / static_cast<uint32_t>(sound.layout.BlockAlign());
        shape.step = StepForFrequency(sound.frequency, Mixer::kSampleRate);
        if (shape.frames == 0) {
            shape.memory = nullptr;
        }
    }
    if (!incoming_.TryPush(table.get())) {
        return false;
    }
    owned_.push_back(std::move(table));
    return true;
}

void LiveKitVoices::CollectRetired() {
    Table* retired = nullptr;
    while (retired_.TryPop(retired)) {
        owned_.erase(std::remove_if(owned_.begin(), owned_.end(),
                                    [&](const std::unique_ptr<Table>& table) { return table.get() == retired; }),
                     owned_.end());
    }
}

// --- audio thread ---

void LiveKitVoices::TakeNewTable() {
    Table* const* next = incoming_.Front();
    if (next == nullptr || (current_ != nullptr && !retired_.TryPush(current_))) {
        return;  // nothing new, or the main thread has yet to take back the old ones
    }
    current_ = *next;
    incoming_.Pop();
    for (auto& copies : copies_) {
        for (VoiceRenderState& copy : copies) {
            copy.memory = nullptr;  // the sounds of the old table stop here
        }
    }
}

void LiveKitVoices::Start(const LiveHit& hit, uint32_t firstFrameTime) {
    if (current_ == nullptr || hit.slot >= kLiveKitSlots || !Sounding(current_->shapes[hit.slot])) {
        return;
    }
    int& next = nextCopy_[hit.slot];
    VoiceRenderState& copy = copies_[hit.slot][static_cast<size_t>(next)];
    next = (next + 1) % kCopiesPerSlot;
    copy = current_->shapes[hit.slot];
    copy.memory->AcquireWrites();
    const StereoGains gains = GainsForVolumeAndPan(-kAttenuationPerLevel * hit.level,
                                                   pans_[hit.slot].load(std::memory_order_relaxed));
    copy.leftGain = gains.left;
    copy.rightGain = gains.right;
    heard_.TryPush({hit, static_cast<int32_t>(firstFrameTime - hit.receivedAt)});
}

void LiveKitVoices::AddInto(float* out, int frames, uint32_t firstFrameTime) {
    TakeNewTable();
    LiveHit hit;
    while (hits_.TryPop(hit)) {
        Start(hit, firstFrameTime);
    }
    for (auto& copies : copies_) {
        for (VoiceRenderState& copy : copies) {
            if (Sounding(copy) && !RenderVoice(copy, out, frames)) {
                copy.memory = nullptr;
            }
        }
    }
}

}  // namespace stepweave
