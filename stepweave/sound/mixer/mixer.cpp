#include "stepweave/sound/mixer/mixer.h"

#include <algorithm>
#include <thread>

namespace stepweave {

Mixer::Mixer(MillisecondClock& clock, uint32_t latencyMilliseconds)
    : clock_(clock), latency_(latencyMilliseconds) {}

Mixer::~Mixer() {
    for (MixerVoice* voice : voices_) {
        delete voice;
    }
}

// --- main thread ---

MixerVoice* Mixer::CreateVoice(SharedSoundMemory memory, const PcmLayout& layout, uint32_t frequency) {
    CollectGarbage();
    auto* voice = new MixerVoice(*this, std::move(memory), layout, frequency);
    voices_.insert(voice);
    return voice;
}

void Mixer::ReleaseVoice(MixerVoice* voice) {
    voice->Stop();
    MixerCommand command;
    command.kind = MixerCommand::Kind::Release;
    command.voice = voice;
    // Should the queue be full, the voice simply stays with the mixer and is
    // freed together with it.
    SendTimed(command);
    CollectGarbage();
}

void Mixer::CollectGarbage() {
    MixerGarbage garbage;
    while (garbage_.TryPop(garbage)) {
        if (garbage.voice != nullptr) {
            voices_.erase(garbage.voice);
            delete garbage.voice;
        }
        if (garbage.memory != nullptr) {
            const auto it = std::find_if(retiring_.begin(), retiring_.end(),
                                         [&](const SharedSoundMemory& kept) { return kept.get() == garbage.memory; });
            if (it != retiring_.end()) {
                retiring_.erase(it);
            }
        }
    }
}

bool Mixer::SendImmediate(const MixerCommand& command) { return immediate_.TryPush(command); }

bool Mixer::SendTimed(MixerCommand command) {
    command.time = stampTime_ ? *stampTime_ : clock_.Now();
    return timed_.TryPush(command);
}

void Mixer::KeepUntilReleased(SharedSoundMemory memory) { retiring_.push_back(std::move(memory)); }

// Sequentially consistent: once the insert is unset and the audio thread is
// seen outside it, a later block reads the unset insert.
void Mixer::DetachInsert() {
    insert_.store(nullptr);
    while (inInsert_.load()) {
        std::this_thread::yield();
    }
}

// --- audio thread ---

void Mixer::Process(float* out, int frames) { Process(out, frames, clock_.Now()); }

void Mixer::Process(float* out, int frames, uint32_t firstFrameTime) {
    mapping_.Observe(renderedFrames_, firstFrameTime);
    std::fill(out, out + static_cast<size_t>(frames) * kChannels, 0.0f);
    for (int i = 0; i < soundingCount_; ++i) {
        sounding_[i]->render_.memory->AcquireWrites();
    }

    bool commandsFlow = ApplyImmediateCommands();
    int done = 0;
    while (done < frames) {
        int until = frames;
        while (commandsFlow) {
            const MixerCommand* command = timed_.Front();
            if (command == nullptr) {
                break;
            }
            const int64_t due = mapping_.FrameFor(command->time, latency_) - renderedFrames_;
            if (due > done) {
                until = static_cast<int>(std::min<int64_t>(due, frames));
                break;
            }
            // Immediate commands sent before this one are applied before it.
            if (!ApplyImmediateCommands() || !ApplyTimed(*command)) {
                commandsFlow = false;  // garbage queue full: try again next callback
                break;
            }
            timed_.Pop();
        }
        RenderSounding(out + static_cast<size_t>(done) * kChannels, until - done);
        done = until;
    }
    inInsert_.store(true);
    if (MixerInsert* insert = insert_.load()) {
        insert->AddInto(out, frames, firstFrameTime);
    }
    inInsert_.store(false);

    PublishCursors();
    renderedFrames_ += frames;
    publishedFrames_.store(renderedFrames_, std::memory_order_release);
}

bool Mixer::ApplyImmediateCommands() {
    while (const MixerCommand* command = immediate_.Front()) {
        if (!ApplyImmediate(*command)) {
            return false;
        }
        immediate_.Pop();
    }
    return true;
}

bool Mixer::ApplyImmediate(const MixerCommand& command) {
    MixerVoice& voice = *command.voice;
    VoiceRenderState& render = voice.render_;
    switch (command.kind) {
        case MixerCommand::Kind::Stop:
            StopSounding(voice);
            return true;
        case MixerCommand::Kind::SetLooping:
            render.looping = command.flag;
            return true;
        case MixerCommand::Kind::SetCursor: {
            const uint32_t frame = std::min(command.value, render.frames - 1);
            render.position = static_cast<uint64_t>(frame) << kFrameFractionBits;
            voice.cursorFrame_.store(frame, std::memory_order_release);
            voice.cursorSetsApplied_.store(voice.cursorSetsApplied_.load(std::memory_order_relaxed) + 1,
                                           std::memory_order_release);
            return true;
        }
        case MixerCommand::Kind::SetStep:
            render.step = command.step;
            return true;
        case MixerCommand::Kind::SetGains:
            render.leftGain = command.leftGain;
            render.rightGain = command.rightGain;
            return true;
        case MixerCommand::Kind::SetMemory:
            if (!garbage_.TryPush(MixerGarbage{nullptr, const_cast<SoundMemory*>(render.memory)})) {
                return false;
            }
            render.memory = command.memory;
            render.memory->AcquireWrites();
            return true;
        case MixerCommand::Kind::Play:
        case MixerCommand::Kind::Release:
            break;
    }
    return true;
}

bool Mixer::ApplyTimed(const MixerCommand& command) {
    MixerVoice& voice = *command.voice;
    if (command.kind == MixerCommand::Kind::Play) {
        if (command.value == voice.currentGeneration_.load(std::memory_order_acquire)) {
            StartSounding(voice, command.value, command.flag);
        }
        voice.playsApplied_.store(voice.playsApplied_.load(std::memory_order_relaxed) + 1,
                                  std::memory_order_release);
        return true;
    }
    // Release: the voice goes back to the main thread, which frees it.
    StopSounding(voice);
    return garbage_.TryPush(MixerGarbage{&voice, nullptr});
}

void Mixer::StartSounding(MixerVoice& voice, uint32_t generation, bool looping) {
    voice.render_.looping = looping;
    voice.renderGeneration_ = generation;
    if (voice.soundingIndex_ >= 0) {
        return;
    }
    if (soundingCount_ == kMaxSoundingVoices) {
        voice.endedGeneration_.store(generation, std::memory_order_release);
        return;
    }
    voice.render_.memory->AcquireWrites();
    voice.soundingIndex_ = soundingCount_;
    sounding_[soundingCount_++] = &voice;
    voice.sounding_.store(true, std::memory_order_release);
}

void Mixer::StopSounding(MixerVoice& voice) {
    const int index = voice.soundingIndex_;
    if (index < 0) {
        return;
    }
    MixerVoice* last = sounding_[--soundingCount_];
    sounding_[index] = last;
    last->soundingIndex_ = index;
    voice.soundingIndex_ = -1;
    voice.cursorFrame_.store(voice.render_.WholeFrame() % voice.render_.frames, std::memory_order_release);
    voice.sounding_.store(false, std::memory_order_release);
}

void Mixer::RenderSounding(float* out, int frames) {
    if (frames <= 0) {
        return;
    }
    // Backwards, so that removing a finished voice (the last one moves into
    // its place) skips nothing.
    for (int i = soundingCount_ - 1; i >= 0; --i) {
        MixerVoice& voice = *sounding_[i];
        if (!RenderVoice(voice.render_, out, frames)) {
            // A one-shot that played to its end starts from its beginning next time.
            voice.render_.position = 0;
            StopSounding(voice);
            voice.endedGeneration_.store(voice.renderGeneration_, std::memory_order_release);
        }
    }
}

void Mixer::PublishCursors() {
    for (int i = 0; i < soundingCount_; ++i) {
        const VoiceRenderState& render = sounding_[i]->render_;
        sounding_[i]->cursorFrame_.store(render.WholeFrame() % render.frames, std::memory_order_release);
    }
}

}  // namespace stepweave
