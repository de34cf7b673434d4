#include "stepweave/sound/mixer/mixer_voice.h"

#include "stepweave/sound/mixer/mixer.h"

namespace stepweave {

MixerVoice::MixerVoice(Mixer& mixer, SharedSoundMemory memory, const PcmLayout& layout, uint32_t frequency)
    : mixer_(mixer),
      layout_(layout),
      frames_(memory->Size() / static_cast<uint32_t>(layout.BlockAlign())),
      memory_(std::move(memory)) {
    render_.memory = memory_.get();
    render_.frames = frames_;
    render_.layout = layout_;
    render_.step = StepForFrequency(frequency, Mixer::kSampleRate);
}

bool MixerVoice::Play(bool looping) {
    if (IsPlaying()) {
        // Already playing (or about to): only the looping flag can change.
        if (looping != looping_) {
            MixerCommand command;
            command.kind = MixerCommand::Kind::SetLooping;
            command.voice = this;
            command.flag = looping;
            if (!mixer_.SendImmediate(command)) {
                return false;
            }
            looping_ = looping;
        }
        return true;
    }
    const uint32_t generation = generation_ + 1;
    currentGeneration_.store(generation, std::memory_order_release);
    MixerCommand command;
    command.kind = MixerCommand::Kind::Play;
    command.voice = this;
    command.value = generation;
    command.flag = looping;
    if (!mixer_.SendTimed(command)) {
        return false;
    }
    generation_ = generation;
    ++playsSent_;
    playing_ = true;
    looping_ = looping;
    return true;
}

bool MixerVoice::Stop() {
    // Advancing the generation first cancels a Play that has not sounded yet.
    generation_ += 1;
    currentGeneration_.store(generation_, std::memory_order_release);
    playing_ = false;
    MixerCommand command;
    command.kind = MixerCommand::Kind::Stop;
    command.voice = this;
    return mixer_.SendImmediate(command);
}

bool MixerVoice::SetCursor(uint32_t frame) {
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetCursor;
    command.voice = this;
    command.value = frame;
    if (!mixer_.SendImmediate(command)) {
        return false;
    }
    requestedCursor_ = frame;
    ++cursorSetsSent_;
    return true;
}

bool MixerVoice::SetFrequency(uint32_t frequency) {
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetStep;
    command.voice = this;
    command.step = StepForFrequency(frequency, Mixer::kSampleRate);
    return mixer_.SendImmediate(command);
}

bool MixerVoice::SetGains(float leftGain, float rightGain) {
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetGains;
    command.voice = this;
    command.leftGain = leftGain;
    command.rightGain = rightGain;
    return mixer_.SendImmediate(command);
}

bool MixerVoice::ReplaceMemory(SharedSoundMemory memory) {
    MixerCommand command;
    command.kind = MixerCommand::Kind::SetMemory;
    command.voice = this;
    command.memory = memory.get();
    if (!mixer_.SendImmediate(command)) {
        return false;
    }
    mixer_.KeepUntilReleased(std::move(memory_));
    memory_ = std::move(memory);
    return true;
}

bool MixerVoice::IsPlaying() {
    if (playing_ && endedGeneration_.load(std::memory_order_acquire) == generation_) {
        playing_ = false;  // the one-shot ran out
    }
    return playing_;
}

uint32_t MixerVoice::CursorFrame() const {
    if (cursorSetsApplied_.load(std::memory_order_acquire) != cursorSetsSent_) {
        return requestedCursor_;
    }
    return cursorFrame_.load(std::memory_order_acquire);
}

bool MixerVoice::IsQuiet() const {
    return playsApplied_.load(std::memory_order_acquire) == playsSent_ &&
           !sounding_.load(std::memory_order_acquire);
}

}  // namespace stepweave
