#include "stepweave/sequencer/session/sequencer_session.h"

#include <filesystem>
#include <stdexcept>
#include <system_error>
#include <utility>

#include "stepweave/data/start_folder_files.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/commands/kit_import.h"
#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sequencer/render/render_sounds.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/output/audio_output.h"

namespace stepweave {

SequencerSession::SequencerSession(std::string startDirectory, TimerScheduler& timers, SessionSound sound,
                                   AudioBackendSource output)
    : outputSource_(std::move(output)),
      startDirectory_(std::move(startDirectory)),
      sound_(sound),
      timers_(timers),
      idle_(timers),
      mainWindowSound_(timers),
      wavePlayerSound_(timers),
      samples_(wavePlayerSound_, startDirectory_),
      document_(startDirectory_, DocumentSamples()),
      sounds_(drumKit_, samples_),
      timingLog_(sounds_, timers.Clock()),
      engine_(document_, timingLog_, idle_) {
    engine_.SetFiringObserver(&timingLog_);
    drumKit_.SetDevice(&mainWindowSound_);
    FillLibraryFromStartDirectory(document_);
}

SequencerSession::~SequencerSession() {
    engine_.Stop();
    drumKit_.SetDevice(nullptr);
}

UserSampleSlots& SequencerSession::DocumentSamples() {
    if (sound_ == SessionSound::None) {
        return sampleSettings_;
    }
    return samples_;
}

void SequencerSession::KeepTimingLog(const std::string& path) { timingLog_.Open(path); }

void SequencerSession::LoadDefaultKit() {
    LoadKit((std::filesystem::path(startDirectory_) / kDefaultKitFileName).string());
}

void SequencerSession::LoadKit(const std::string& path) { drumKit_.Items().LoadFromFile(path); }

void SequencerSession::LoadKitOrDefault(const std::string& path) {
    if (path.empty()) {
        LoadDefaultKit();
    } else {
        LoadKit(path);
    }
}

void SequencerSession::ImportKit(const std::string& path) {
    stepweave::ImportKit(drumKit_, path);
    if (!panningApplied_) {
        ApplyPanningFile();
    }
}

void SequencerSession::StartSoundOutput() {
    if (sound_ == SessionSound::None) {
        throw std::logic_error("a session without sound opens no sound device");
    }
    std::shared_ptr<AudioOutput> output = OpenAudioOutput(outputSource_);
    output_ = output;
    mainWindowSound_.Open(output);
    wavePlayerSound_.Open(output);
    samples_.OpenBlankFiles();
}

void SequencerSession::StopSoundOutput() {
    if (const std::shared_ptr<AudioOutput> output = CloseDevices()) {
        output->Close();
    }
}

void SequencerSession::DiscardSoundOutput() {
    if (const std::shared_ptr<AudioOutput> output = CloseDevices()) {
        output->Discard();
    }
}

// Stops playback and closes both devices; the output they played through,
// handed to the caller to close.
std::shared_ptr<AudioOutput> SequencerSession::CloseDevices() {
    engine_.Stop();
    wavePlayerSound_.Close();
    mainWindowSound_.Close();
    return std::exchange(output_, nullptr);
}

bool SequencerSession::ApplyPanningFile() {
    const std::filesystem::path path = std::filesystem::path(startDirectory_) / kPanningFileName;
    // A damaged file holds no pans to keep: the next one written replaces it.
    panningApplied_ = true;
    if (!std::filesystem::exists(path)) {
        return false;
    }
    const KitPanTable pans = ReadPanningFile(path.string());
    for (int instrument = InstrumentList::kFirstKitInstrument; instrument <= InstrumentList::kLastKitInstrument;
         ++instrument) {
        const int index = drumKit_.Items().IndexOf(InstrumentList::Label(instrument));
        if (index >= 0) {
            drumKit_.Items().Items(index).SetPan(pans[static_cast<size_t>(instrument)]);
        }
    }
    return true;
}

bool SequencerSession::WritePanningFile() {
    if (!panningApplied_) {
        return false;
    }
    KitPanTable pans{};
    for (int instrument = InstrumentList::kFirstKitInstrument; instrument <= InstrumentList::kLastKitInstrument;
         ++instrument) {
        const int index = drumKit_.Items().IndexOf(InstrumentList::Label(instrument));
        if (index >= 0) {
            pans[static_cast<size_t>(instrument)] = drumKit_.Items().Items(index).Pan();
        }
    }
    stepweave::WritePanningFile((std::filesystem::path(startDirectory_) / kPanningFileName).string(), pans);
    return true;
}

void SequencerSession::ResetSampleExports() {
    const std::string blank = (std::filesystem::path(startDirectory_) / kBlankWaveFileName).string();
    const std::vector<uint8_t> silence = ReadWholeFile(blank);
    for (int sample = 1; sample <= kSampleExports; ++sample) {
        const std::string path = SampleExportPath(startDirectory_, sample);
        std::error_code ignored;  // a copy that cannot be removed fails to be replaced below
        std::filesystem::remove(path, ignored);
        WriteFileSafely(path, silence.data(), static_cast<int64_t>(silence.size()));
    }
}

RenderSampleSettings SequencerSession::RenderSamples() const {
    RenderSampleSettings settings = RenderSampleSettingsFrom(document_.Samples());
    if (sound_ == SessionSound::Devices) {
        for (int sample = 1; sample <= kUserSampleCount; ++sample) {
            settings[static_cast<size_t>(sample - 1)].volume = samples_.Volume(sample);
        }
    }
    return settings;
}

bool SequencerSession::Sounding() {
    if (drumKit_.Playing().Count() > 0) {
        return true;
    }
    for (int sample = 1; sample <= kUserSampleCount; ++sample) {
        if (samples_.Playing(sample)) {
            return true;
        }
    }
    return false;
}

}  // namespace stepweave
