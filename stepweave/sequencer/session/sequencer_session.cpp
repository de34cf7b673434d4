#include "stepweave/sequencer/session/sequencer_session.h"

#include <filesystem>
#include <system_error>

#include "stepweave/data/default_kit.h"
#include "stepweave/sequencer/model/instrument_list.h"
#include "stepweave/sequencer/commands/library_commands.h"
#include "stepweave/sequencer/files/panning_file.h"
#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/device/kit_playback.h"

namespace stepweave {

namespace {

std::filesystem::path SampleExportPath(const std::string& startDirectory, int sample) {
    return std::filesystem::path(startDirectory) / kTempFolderName / ("sample" + std::to_string(sample) + ".wav");
}

}  // namespace

SequencerSession::SequencerSession(std::string startDirectory, TimerScheduler& timers)
    : startDirectory_(std::move(startDirectory)),
      timers_(timers),
      idle_(timers),
      mainWindowSound_(&mainWindow_, timers),
      wavePlayerSound_(&wavePlayer_, timers),
      samples_(wavePlayerSound_, startDirectory_),
      document_(startDirectory_, samples_),
      sounds_(drumKit_, samples_),
      engine_(document_, sounds_, idle_) {
    drumKit_.SetDXSound(&mainWindowSound_);
    FillLibraryFromStartDirectory(document_);
}

SequencerSession::~SequencerSession() {
    engine_.Stop();
    drumKit_.SetDXSound(nullptr);
}

void SequencerSession::LoadDefaultKit() {
    drumKit_.Items().LoadFromFile((std::filesystem::path(startDirectory_) / kDefaultKitFileName).string());
}

void SequencerSession::StartSoundOutput() {
    mainWindowSound_.Initialize();
    wavePlayerSound_.Initialize();
    samples_.OpenBlankFiles();
}

bool SequencerSession::ApplyPanningFile() {
    const std::filesystem::path path = std::filesystem::path(startDirectory_) / kPanningFileName;
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

void SequencerSession::WritePanningFile() {
    KitPanTable pans{};
    for (int instrument = InstrumentList::kFirstKitInstrument; instrument <= InstrumentList::kLastKitInstrument;
         ++instrument) {
        const int index = drumKit_.Items().IndexOf(InstrumentList::Label(instrument));
        if (index >= 0) {
            pans[static_cast<size_t>(instrument)] = drumKit_.Items().Items(index).Pan();
        }
    }
    stepweave::WritePanningFile((std::filesystem::path(startDirectory_) / kPanningFileName).string(), pans);
}

void SequencerSession::ResetSampleExports() {
    const std::string blank = (std::filesystem::path(startDirectory_) / kBlankWaveFileName).string();
    const std::vector<uint8_t> silence = ReadWholeFile(blank);
    for (int sample = 1; sample <= kSampleExports; ++sample) {
        const std::filesystem::path path = SampleExportPath(startDirectory_, sample);
        std::error_code ignored;  // a copy that cannot be removed fails to be replaced below
        std::filesystem::remove(path, ignored);
        WriteFileSafely(path.string(), silence.data(), static_cast<int64_t>(silence.size()));
    }
}

bool SequencerSession::Sounding() {
    if (drumKit_.Items().Playback().PlayingCount() > 0) {
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
