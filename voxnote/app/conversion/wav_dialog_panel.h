#pragma once
// What the information and play panel of the WAV dialog shows: the format
// of the selected file, the captions and enabled state of its buttons and
// the status text, worked out from the dialog's state.
#include <optional>
#include <string>

#include "voxnote/app/wavfile/wav_header_peek.h"

namespace voxnote {

struct WavDialogState {
    std::optional<PeekedWavHeader> header;  // nothing unless the header peek passed
    bool audioPlaying = false;
    bool midiPlaying = false;
    bool processing = false;
};

struct WavDialogPanel {
    // Empty unless the header is valid.
    std::string sampleRate;
    std::string bitsPerSample;
    std::string channels;
    std::string duration;

    std::string audioCaption;  // "Audio", or "Stop" while the file sounds
    bool audioEnabled = false;
    std::string midiCaption;   // "MIDI", or "Stop" while its notes play
    bool midiEnabled = false;
    bool saveEnabled = false;  // "Save as MIDI file"
    std::string status;        // "Processing..." while converting

    bool operator==(const WavDialogPanel&) const = default;
};

// Only one kind of playback runs at a time, and nothing starts while the
// file is being converted; a running playback can always be stopped.
WavDialogPanel PanelFor(const WavDialogState& state);

}  // namespace voxnote
