#include "voxnote/app/conversion/wav_dialog_session.h"

#include <system_error>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/midi/standard_midi_file.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

std::optional<PeekedWavHeader> PeekFile(const std::filesystem::path& file) {
    std::error_code error;
    if (file.empty() || !std::filesystem::is_regular_file(file, error)) {
        return std::nullopt;
    }
    std::unique_ptr<FileByteSource> source = FileByteSource::Open(file);
    return source ? PeekWavHeader(*source) : std::nullopt;
}

std::optional<std::filesystem::file_time_type> ModificationTime(const std::filesystem::path& file) {
    std::error_code error;
    std::filesystem::file_time_type time = std::filesystem::last_write_time(file, error);
    if (error) {
        return std::nullopt;
    }
    return time;
}

}  // namespace

WavDialogSession::WavDialogSession(WavDialogHost& host, MessageReporter& messages, MidiStream& midiStream,
                                   std::unique_ptr<AudioOutput> audioOutput, DetectorState& detector,
                                   WavDialogSettings settings)
    : host_(host), messages_(messages), midi_(midiStream, messages), player_(std::move(audioOutput)),
      detector_(detector), settings_(settings), voice_(settings.voice),
      detectorChoice_(settings.detector) {}

WavDialogSession::~WavDialogSession() {
    Close();
}

void WavDialogSession::SelectFile(const std::filesystem::path& file) {
    if (processing_) {
        if (file == selected_) {
            return;
        }
        stopConversion_ = true;
    }
    selected_ = file;
    events_.reset();
    header_ = PeekFile(file);
    host_.PanelChanged();
}

void WavDialogSession::PressAudio() {
    if (player_.IsPlaying()) {
        player_.Stop(messages_);
    } else if (header_ && !midi_.IsPlaying() && !processing_) {
        player_.Play(selected_, messages_);
    }
    host_.PanelChanged();
}

void WavDialogSession::PumpAudio() {
    if (player_.Pump()) {
        host_.PanelChanged();
    }
}

void WavDialogSession::PressMidi() {
    if (midi_.IsPlaying()) {
        midi_.Stop();
    } else if (header_ && !player_.IsPlaying() && !processing_) {
        if (MidiStreamBuffer* events = EnsureEvents()) {
            midi_.Play(settings_.midiDeviceIndex, *events,
                       [this] { host_.PostToWindow([this] { MidiFinished(); }); });
        }
    }
    host_.PanelChanged();
}

void WavDialogSession::MidiFinished() {
    if (midi_.HandleDone()) {
        host_.PanelChanged();
    }
}

bool WavDialogSession::SaveMidiFile(const std::filesystem::path& target) {
    if (!header_ || processing_) {
        return false;
    }
    MidiStreamBuffer* events = EnsureEvents();
    host_.PanelChanged();
    if (events == nullptr) {
        return false;
    }
    if (!WriteStandardMidiFile(target, *events)) {
        messages_.Report(MessageKind::Warning, FormatText(strings::kCannotWriteFile, {target.string()}));
        return false;
    }
    return true;
}

void WavDialogSession::ChangeVoice(int voice) {
    voice_ = voice;
    midi_.ChangeVoice(voice, events_ ? &*events_ : nullptr);
}

void WavDialogSession::ChangeDetector(DetectorChoice detector) {
    detectorChoice_ = detector;
}

MidiStreamBuffer* WavDialogSession::EnsureEvents() {
    const std::filesystem::path file = selected_;
    const std::optional<std::filesystem::file_time_type> time = ModificationTime(file);
    if (events_ && time == eventsFileTime_ && eventsDetector_ == detectorChoice_) {
        return &*events_;
    }
    events_.reset();
    const DetectorChoice detector = detectorChoice_;
    ConversionResult result = Convert(file, detector);
    if (result.cancelled || closed_) {
        return nullptr;
    }
    if (!result.HasNotes()) {
        messages_.Report(MessageKind::Information, Text(strings::kNoNotesDetected));
        return nullptr;
    }
    // The voice may have been changed while the file was converted.
    result.stream->SetProgram(voice_);
    events_ = std::move(result.stream);
    eventsFileTime_ = time.value_or(std::filesystem::file_time_type{});
    eventsDetector_ = detector;
    return &*events_;
}

ConversionResult WavDialogSession::Convert(const std::filesystem::path& file, DetectorChoice detector) {
    std::unique_ptr<FileByteSource> source = FileByteSource::Open(file);
    if (!source) {
        return {};
    }
    processing_ = true;
    stopConversion_ = false;
    host_.PanelChanged();
    ConversionResult result =
        ConvertWavToMidi(*source, detector, detector_, settings_.analysis, voice_, messages_, nullptr, this);
    processing_ = false;
    host_.PanelChanged();
    return result;
}

bool WavDialogSession::KeepGoing() {
    host_.ProcessPendingEvents();
    return !stopConversion_;
}

void WavDialogSession::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    stopConversion_ = true;
    if (player_.IsPlaying()) {
        player_.Stop(messages_);
    }
    if (midi_.IsPlaying()) {
        midi_.Stop();
    }
}

WavDialogPanel WavDialogSession::Panel() const {
    WavDialogState state;
    state.header = header_;
    state.audioPlaying = player_.IsPlaying();
    state.midiPlaying = midi_.IsPlaying();
    state.processing = processing_;
    return PanelFor(state);
}

}  // namespace voxnote
