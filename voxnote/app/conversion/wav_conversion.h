#pragma once
// Converting a WAV file into MIDI stream records: the file is read and
// checked, converted to the analysis format block by block, analysed by the
// chosen detector, and the note events collected behind a program change for
// the chosen voice. The WAV dialog and "voxnote convert" both convert here,
// so the same file, detector and settings give them the same notes.
// Every failure is reported as it happens, a file that is no WAV file too;
// a conversion that fails has no notes. Reporting "No notes detected." is
// left to the caller, which shows it after these messages whenever there
// are no notes.
#include <optional>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/detector/detector_state.h"
#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/conversion/detector_session.h"
#include "voxnote/app/settings/detector_choice.h"
#include "voxnote/app/shell/message_reporter.h"
#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote {

// Asked after every analysed block whether to go on. A window that converts
// on its own thread processes its pending events here, so that it stays
// responsive, and says no once it is closing.
class ConversionProgress {
public:
    virtual ~ConversionProgress() = default;
    virtual bool KeepGoing() = 0;
};

struct ConversionResult {
    std::optional<MidiStreamBuffer> stream;  // nothing when the conversion failed
    uint32_t noteCount = 0;                  // note pairs collected
    bool cancelled = false;                  // progress said no: no notes, no message

    bool HasNotes() const { return stream && noteCount > 0; }
};

// The classic detector works in classicState (left unused by the precise
// one); frames sees the classic detector's analysis frames (the precise
// detector has none to show).
ConversionResult ConvertWavToMidi(ByteSource& source, DetectorChoice detector, DetectorState& classicState,
                                  const DetectorHeaderSettings& settings, int voice, MessageReporter& reporter,
                                  PitchFrameSink* frames = nullptr, ConversionProgress* progress = nullptr);

}  // namespace voxnote
