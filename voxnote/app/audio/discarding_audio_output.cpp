#include "voxnote/app/audio/discarding_audio_output.h"

#include <chrono>
#include <system_error>

#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

// One buffer every 10 ms.
constexpr unsigned kBuffersPerSecond = 100;

}  // namespace

DiscardingAudioOutput::~DiscardingAudioOutput() {
    Close();
}

bool DiscardingAudioOutput::Open(unsigned preferredRate, unsigned, AudioRenderer& renderer, std::string& failure) {
    if (preferredRate == 0) {
        failure = Text(strings::kNoAudioOutput);
        return false;
    }
    Close();
    renderer_ = &renderer;
    sampleRate_ = preferredRate;
    buffer_.assign(2 * (sampleRate_ / kBuffersPerSecond + 1), 0.0f);
    return true;
}

bool DiscardingAudioOutput::Start(std::string& failure) {
    if (renderer_ == nullptr) {
        failure = Text(strings::kNoAudioOutput);
        return false;
    }
    if (thread_.joinable()) {
        return true;
    }
    try {
        thread_ = std::jthread([this](std::stop_token stop) { Run(stop); });
    } catch (const std::system_error& error) {
        failure = FormatText(strings::kAudioOutputFailed, {error.what()});
        return false;
    }
    return true;
}

// Renders buffer after buffer, each at its due time on the steady clock,
// with the frames of a second spread evenly over the second.
void DiscardingAudioOutput::Run(std::stop_token stop) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    uint64_t rendered = 0;
    for (uint64_t buffer = 1; !stop.stop_requested(); ++buffer) {
        const uint64_t due = buffer * sampleRate_ / kBuffersPerSecond;
        const auto frames = static_cast<unsigned>(due - rendered);
        renderer_->Render(buffer_.data(), frames);
        rendered = due;
        std::this_thread::sleep_until(start + std::chrono::microseconds(buffer * 1000000 / kBuffersPerSecond));
    }
}

bool DiscardingAudioOutput::Stop(std::string&) {
    if (thread_.joinable()) {
        thread_.request_stop();
        thread_.join();
    }
    return true;
}

void DiscardingAudioOutput::Close() {
    std::string ignored;
    Stop(ignored);
    renderer_ = nullptr;
}

}  // namespace voxnote
