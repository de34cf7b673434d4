#include "stepweave/sequencer/playback/user_samples.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>

#include "stepweave/data/start_folder_files.h"
#include "stepweave/sound/voices/audio_file_stream.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/voices/sound_device.h"
#include "stepweave/sound/files/errors.h"

namespace stepweave {

namespace {

constexpr uint32_t kOutputRate = 44100;
constexpr uint16_t kOutputChannels = 2;

// Copies through a temporary file that replaces the target only when whole.
void CopyFileSafely(const std::string& from, const std::string& to) {
    FileStream source(from);
    SafeFileStream target(to);
    target.CopyFrom(source, 0);
    target.Commit();
}

}  // namespace

int SemitoneFrequency(int baseFrequency, int cents) {
    return static_cast<int>(std::lround(baseFrequency * std::exp2(cents / 1200.0)));
}

UserSamples::UserSamples(SoundDevice& device, std::string startDirectory)
    : device_(device), startDirectory_(std::move(startDirectory)) {
    for (UserSample& slot : samples_) {
        slot.stream = std::make_unique<AudioFileStream>(device_);
    }
}

void UserSamples::OpenBlankFiles() {
    for (UserSample& slot : samples_) {
        slot.fileName = kBlankWaveFileName;
        slot.semitoneOffset = 0;
        OpenBlank(slot);
    }
    if (device_.IsOpen()) {
        const uint16_t bits = samples_[0].stream->Format().bitsPerSample;
        device_.SetOutputFormat(PcmFormat(kOutputRate, bits, kOutputChannels));
    }
}

UserSamples::~UserSamples() = default;

const UserSamples::UserSample& UserSamples::Slot(int sample) const {
    if (sample < 1 || sample > kUserSampleCount) {
        throw std::out_of_range("user sample " + std::to_string(sample));
    }
    return samples_[static_cast<size_t>(sample - 1)];
}

UserSamples::UserSample& UserSamples::Slot(int sample) {
    return const_cast<UserSample&>(static_cast<const UserSamples&>(*this).Slot(sample));
}

std::string UserSamples::ResolvedPath(const std::string& fileName) const {
    const std::filesystem::path path(fileName);
    if (path.is_absolute() || startDirectory_.empty()) {
        return fileName;
    }
    return (std::filesystem::path(startDirectory_) / path).string();
}

std::string UserSamples::FileName(int sample) const { return Slot(sample).fileName; }

int UserSamples::Frequency(int sample) const { return static_cast<int>(Slot(sample).stream->Frequency()); }

int UserSamples::Pan(int sample) const { return Slot(sample).stream->Pan(); }

int UserSamples::Volume(int sample) const { return Slot(sample).stream->Volume(); }

void UserSamples::SetVolume(int sample, int volume) { Slot(sample).stream->SetVolume(volume); }

bool UserSamples::HoldsSample(int sample) const { return !IsBlankSampleFile(Slot(sample).fileName); }

bool UserSamples::Playing(int sample) const { return Slot(sample).stream->Playing(); }

void UserSamples::OpenBlank(UserSample& slot) {
    slot.stream->SetFileName(ResolvedPath(std::string(kBlankWaveFileName)));
    slot.baseFrequency = static_cast<int>(slot.stream->Frequency());
}

void UserSamples::Load(int sample, const std::string& fileName) {
    UserSample& slot = Slot(sample);
    slot.fileName = fileName;
    slot.semitoneOffset = 0;
    try {
        MarkedWithFile(fileName, [&] { slot.stream->SetFileName(ResolvedPath(fileName)); });
        slot.baseFrequency = static_cast<int>(slot.stream->Frequency());
    } catch (const StepweaveError&) {
        try {
            OpenBlank(slot);
        } catch (const StepweaveError&) {
            // Without a blank file the slot stays closed: it cannot sound.
        }
        throw;
    }
}

void UserSamples::SetBaseFrequency(int sample, int hertz) { Slot(sample).baseFrequency = hertz; }

void UserSamples::SetFrequency(int sample, int hertz) {
    Slot(sample).stream->SetFrequency(static_cast<uint32_t>(std::max(hertz, 0)));
}

void UserSamples::SetPan(int sample, int pan) { Slot(sample).stream->SetPan(pan); }

void UserSamples::Restart(int sample) {
    AudioFileStream& stream = *Slot(sample).stream;
    stream.SetPosition(0);
    stream.Play();
}

void UserSamples::Stop(int sample) { Slot(sample).stream->Stop(); }

void UserSamples::OpenFile(int sample, const std::string& path) {
    const std::filesystem::path copy = std::filesystem::path(startDirectory_) / kTempFolderName / kOpenedSampleCopy;
    CopyFileSafely(ResolvedPath(path), copy.string());
    Load(sample, path);
}

bool UserSamples::StepSemitone(int sample, int cents) {
    UserSample& slot = Slot(sample);
    if (IsBlankSampleFile(slot.stream->FileName())) {
        return false;
    }
    slot.semitoneOffset += cents;
    slot.stream->SetFrequency(static_cast<uint32_t>(SemitoneFrequency(slot.baseFrequency, slot.semitoneOffset)));
    Restart(sample);
    return true;
}

}  // namespace stepweave
