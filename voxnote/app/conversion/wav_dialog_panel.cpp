#include "voxnote/app/conversion/wav_dialog_panel.h"

#include "voxnote/app/wavfile/duration_text.h"
#include "voxnote/app/settings/string_table.h"

namespace voxnote {

namespace {

void ShowFormat(const PeekedWavHeader& header, WavDialogPanel& panel) {
    panel.sampleRate = SampleRateText(header.sampleRate);
    panel.bitsPerSample = std::to_string(header.bitsPerSample);
    panel.channels = std::to_string(header.channels);
    if (std::optional<uint64_t> milliseconds = DurationMilliseconds(header)) {
        panel.duration = DurationText(*milliseconds);
    }
}

}  // namespace

WavDialogPanel PanelFor(const WavDialogState& state) {
    WavDialogPanel panel;
    const bool valid = state.header.has_value();
    if (valid) {
        ShowFormat(*state.header, panel);
    }
    panel.audioEnabled = (valid && !state.midiPlaying && !state.processing) || state.audioPlaying;
    panel.midiEnabled = (valid && !state.audioPlaying && !state.processing) || state.midiPlaying;
    panel.saveEnabled = valid && !state.processing;
    panel.audioCaption = Text(state.audioPlaying ? strings::kStopCaption : strings::kAudioCaption);
    panel.midiCaption = Text(state.midiPlaying ? strings::kStopCaption : strings::kMidiCaption);
    panel.status = state.processing ? Text(strings::kProcessing) : std::string();
    return panel;
}

}  // namespace voxnote
