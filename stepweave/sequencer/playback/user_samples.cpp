#include "stepweave/sequencer/playback/user_samples.h"

#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <system_error>

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

// A stream of its own on the file, with the pan and volume of `controlsFrom`
// when given. A file that cannot be opened raises its error, marked with its
// name, and nothing else changes.
std::unique_ptr<AudioFileStream> UserSamples::StreamOn(const std::string& fileName,
                                                       const AudioFileStream* controlsFrom) {
    auto stream = std::make_unique<AudioFileStream>(device_);
    MarkedWithFile(fileName, [&] { stream->SetFileName(ResolvedPath(fileName)); });
    if (controlsFrom != nullptr) {
        stream->SetPan(controlsFrom->Pan());
        stream->SetVolume(controlsFrom->Volume());
    }
    return stream;
}

// The slot takes the stream (the one before stops as it goes) at the file's
// own pitch.
void UserSamples::Replace(UserSample& slot, std::unique_ptr<AudioFileStream> stream, const std::string& fileName) {
    slot.stream = std::move(stream);
    slot.fileName = fileName;
    slot.baseFrequency = static_cast<int>(slot.stream->Frequency());
    slot.semitoneOffset = 0;
}

void UserSamples::OpenBlank(UserSample& slot) {
    slot.stream->SetFileName(ResolvedPath(std::string(kBlankWaveFileName)));
    slot.baseFrequency = static_cast<int>(slot.stream->Frequency());
}

void UserSamples::Load(int sample, const std::string& fileName) {
    UserSample& slot = Slot(sample);
    try {
        Replace(slot, StreamOn(fileName, slot.stream.get()), fileName);
    } catch (const StepweaveError&) {
        HoldSilently(slot, fileName);
        throw;
    }
}

// A file a song or pattern names that cannot be opened: the slot plays the
// blank file but keeps the name.
void UserSamples::HoldSilently(UserSample& slot, const std::string& fileName) {
    try {
        Replace(slot, StreamOn(std::string(kBlankWaveFileName), slot.stream.get()), fileName);
    } catch (const StepweaveError&) {
        slot.stream->SetFileName("");  // without a blank file the slot is closed: it cannot sound
        slot.fileName = fileName;
        slot.semitoneOffset = 0;
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
    UserSample& slot = Slot(sample);
    std::error_code unknown;  // a file that is not there is not the same as any
    const bool sameFile = std::filesystem::equivalent(ResolvedPath(path), ResolvedPath(slot.fileName), unknown);
    std::unique_ptr<AudioFileStream> stream = StreamOn(path, sameFile ? slot.stream.get() : nullptr);
    const std::filesystem::path copy = std::filesystem::path(startDirectory_) / kTempFolderName / kOpenedSampleCopy;
    CopyFileSafely(ResolvedPath(path), copy.string());
    Replace(slot, std::move(stream), path);
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
