#include "stepweave/sound/output/audio_output.h"

#include "stepweave/sound/output/audio_backend_choice.h"

namespace stepweave {

namespace {

std::weak_ptr<AudioOutput>& Current() {
    static std::weak_ptr<AudioOutput> current;
    return current;
}

AudioBackendFactory& Factory() {
    static AudioBackendFactory factory;
    return factory;
}

}  // namespace

std::shared_ptr<AudioOutput> AudioOutput::Acquire() {
    if (auto running = Current().lock()) {
        return running;
    }
    std::unique_ptr<AudioBackend> backend = Factory() ? Factory()() : AudioBackendFromEnvironment();
    if (!backend || !backend->Open()) {
        return nullptr;
    }
    std::shared_ptr<AudioOutput> output(new AudioOutput(std::move(backend)));
    if (!output->backend_->Start(*output->mixer_)) {
        return nullptr;
    }
    Current() = output;
    return output;
}

AudioBackendFactory AudioOutput::SetBackendFactory(AudioBackendFactory factory) {
    AudioBackendFactory previous = std::move(Factory());
    Factory() = std::move(factory);
    return previous;
}

AudioOutput::AudioOutput(std::unique_ptr<AudioBackend> backend)
    : backend_(std::move(backend)),
      mixer_(std::make_unique<Mixer>(backend_->Clock(), backend_->LatencyMilliseconds())) {}

AudioOutput::~AudioOutput() {
    // The device stops calling the mixer before the mixer goes.
    backend_->Stop();
    mixer_.reset();
}

}  // namespace stepweave
