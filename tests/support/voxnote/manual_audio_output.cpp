#include "tests/support/voxnote/manual_audio_output.h"

namespace voxnote {

namespace {

// Hands out the planned failure once.
bool TakeFailure(std::string& planned, std::string& failure) {
    if (planned.empty()) {
        return false;
    }
    failure = std::move(planned);
    planned.clear();
    return true;
}

}  // namespace

bool ManualAudioOutput::Open(unsigned, unsigned, AudioRenderer& renderer, std::string& failure) {
    if (TakeFailure(openFailure_, failure)) {
        return false;
    }
    renderer_ = &renderer;
    running_ = false;
    rendered_.clear();
    return true;
}

bool ManualAudioOutput::Start(std::string& failure) {
    if (renderer_ == nullptr || TakeFailure(startFailure_, failure)) {
        return false;
    }
    running_ = true;
    return true;
}

bool ManualAudioOutput::Stop(std::string& failure) {
    if (TakeFailure(stopFailure_, failure)) {
        return false;
    }
    running_ = false;
    return true;
}

void ManualAudioOutput::Close() {
    running_ = false;
    renderer_ = nullptr;
}

bool ManualAudioOutput::Pull(unsigned frames) {
    if (!running_ || renderer_ == nullptr) {
        return false;
    }
    const size_t start = rendered_.size();
    rendered_.resize(start + 2 * size_t{frames});
    renderer_->Render(rendered_.data() + start, frames);
    return true;
}

}  // namespace voxnote
