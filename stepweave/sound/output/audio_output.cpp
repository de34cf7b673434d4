#include "stepweave/sound/output/audio_output.h"

#include <iostream>

#include "stepweave/sound/files/errors.h"

namespace stepweave {

std::shared_ptr<AudioOutput> AudioOutput::Open(std::unique_ptr<AudioBackend> backend, std::string* failure) {
    const auto fail = [&](const std::string& why) -> std::shared_ptr<AudioOutput> {
        if (failure != nullptr) {
            *failure = why;
        }
        return nullptr;
    };
    if (!backend->Open()) {
        return fail(backend->OpenFailure());
    }
    std::shared_ptr<AudioOutput> output(new AudioOutput(std::move(backend)));
    if (!output->backend_->Start(*output->mixer_)) {
        output->closed_ = true;
        return fail(output->backend_->OpenFailure());
    }
    return output;
}

std::shared_ptr<AudioOutput> OpenAudioOutput(const AudioBackendSource& source) {
    std::string cause;
    std::unique_ptr<AudioBackend> backend = source ? source(cause) : nullptr;
    std::shared_ptr<AudioOutput> output = backend ? AudioOutput::Open(std::move(backend), &cause) : nullptr;
    if (!output) {
        // The system's message first; the real cause and the way out, when
        // known, on the line below it.
        std::string message = FormatMessage("%s cannot be initialized", "DirectSound");
        if (!cause.empty()) {
            message += "\n" + cause;
        }
        throw SoundOutputError(message);
    }
    return output;
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
}

}  // namespace stepweave
