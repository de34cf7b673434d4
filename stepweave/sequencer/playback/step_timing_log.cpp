#include "stepweave/sequencer/playback/step_timing_log.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace stepweave {

std::optional<std::string> TimingLogPathFromEnvironment() {
    const char* value = std::getenv(kTimingLogVariable);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

void StepTimingLog::Open(const std::string& path) {
    file_.open(path, std::ios::out | std::ios::trunc);
    if (!file_) {
        throw std::runtime_error("Cannot write the step timing log \"" + path + "\": " + std::strerror(errno));
    }
    file_ << "# due, fired and played at (clock milliseconds), late = last sound started - played, and the sounds started"
          << std::endl;
}

StepTimingLog::~StepTimingLog() { WritePendingStep(); }

void StepTimingLog::Fired(uint32_t due, uint32_t polled, uint32_t countsAs) {
    if (!IsOpen()) {
        return;
    }
    WritePendingStep();
    pending_ = PendingStep{due, polled, countsAs, polled, {}};
}

void StepTimingLog::PlayKitInstrument(int instrument, int volume) {
    sounds_.PlayKitInstrument(instrument, volume);
    AddSound("kit " + std::to_string(instrument) + " " + std::to_string(volume));
}

void StepTimingLog::RestartUserSample(int sample) {
    sounds_.RestartUserSample(sample);
    AddSound("sample " + std::to_string(sample));
}

void StepTimingLog::StopUserSample(int sample) {
    sounds_.StopUserSample(sample);
    AddSound("stop " + std::to_string(sample));
}

// Sounds started outside a step (a preview, Stop) are not the steps' own.
// The clock is read once the sound side has the sound.
void StepTimingLog::AddSound(const std::string& sound) {
    if (!inStep_ || !pending_) {
        return;
    }
    pending_->lastStarted = clock_.Now();
    pending_->sounds += (pending_->sounds.empty() ? " " : ", ") + sound;
}

void StepTimingLog::BeginStep(uint32_t time) {
    sounds_.BeginStep(time);
    inStep_ = true;
}

void StepTimingLog::EndStep() {
    sounds_.EndStep();
    inStep_ = false;
    WritePendingStep();
}

void StepTimingLog::WritePendingStep() {
    if (!pending_) {
        return;
    }
    const PendingStep& step = *pending_;
    file_ << "step " << ++steps_ << " due " << step.due << " fired " << step.polled << " played " << step.countsAs
          << " late " << static_cast<int32_t>(step.lastStarted - step.countsAs) << ":" << step.sounds << std::endl;
    pending_.reset();
}

}  // namespace stepweave
