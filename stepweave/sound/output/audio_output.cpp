#include "stepweave/sound/output/audio_output.h"

#include <iostream>

#include "stepweave/sound/backend/audio_backend_choice.h"

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

std::shared_ptr<AudioOutput> AudioOutput::Acquire(std::string* failure) {
    if (auto running = Current().lock()) {
        return running;
    }
    std::string reason;
    std::unique_ptr<AudioBackend> backend = Factory() ? Factory()() : AudioBackendFromEnvironment(reason);
    const auto fail = [&](const std::string& why) -> std::shared_ptr<AudioOutput> {
        if (failure != nullptr) {
            *failure = why;
        }
        return nullptr;
    };
    if (!backend) {
        return fail(reason);
    }
    if (!backend->Open()) {
        return fail(backend->OpenFailure());
    }
    std::shared_ptr<AudioOutput> output(new AudioOutput(std::move(backend)));
    if (!output->backend_->Start(*output->mixer_)) {
        output->closed_ = true;
        return fail(output->backend_->OpenFailure());
    }
    Current() = output;
    return output;
}

std::shared_ptr<AudioOutput> AudioOutput::Running() { return Current().lock(); }

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
    if (!closed_) {
        if (const std::exception_ptr failure = backend_->RunFailure()) {
            try {
                std::rethrow_exception(failure);
            } catch (const std::exception& error) {
                std::cerr << "stepweave: the sound output failed: " << error.what() << std::endl;
            }
        }
    }
    mixer_.reset();
}

void AudioOutput::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    backend_->Stop();
    LetGo();
    if (const std::exception_ptr failure = backend_->RunFailure()) {
        std::rethrow_exception(failure);
    }
}

void AudioOutput::Discard() {
    if (closed_) {
        return;
    }
    closed_ = true;
    backend_->Discard();
    LetGo();
}

// Whoever asks for the output from now on gets a new one.
void AudioOutput::LetGo() {
    if (Current().lock().get() == this) {
        Current().reset();
    }
}

}  // namespace stepweave
