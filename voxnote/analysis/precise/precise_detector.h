#pragma once
// The precise detector for files: the notes of a whole recording of 11025 Hz
// mono 16-bit samples, as the same note-on / note-off event stream the exact
// detector gives, under the same note rules (note_rules.h).
//
// Pitch mode: probabilistic YIN candidates per frame, a Viterbi decode of
// pitch and voicing, a note decode over the pitch track, repeated notes split
// at onsets with a level rise, each note's MIDI pitch from its median pitch
// and its velocity from its loudness. Rhythm mode (the constant note set):
// every onset of the spectral flux is a hit, lasting until its level has
// fallen by the release drop.
//
// Everything is allocated by the constructor for recordings of up to a given
// length; Detect allocates nothing.
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/analysis/precise/detected_note.h"

namespace voxnote {

namespace precise {
struct DetectorWork;
}

class PreciseDetector {
public:
    explicit PreciseDetector(size_t largestSampleCount);
    ~PreciseDetector();
    PreciseDetector(const PreciseDetector&) = delete;
    PreciseDetector& operator=(const PreciseDetector&) = delete;

    size_t LargestSampleCount() const { return largestSampleCount_; }

    // Analyses the samples (at most the largest count; false for more, with
    // nothing detected). Pitch mode or rhythm mode as settings.constantNote says.
    bool Detect(std::span<const int16_t> samples, const DetectorHeaderSettings& settings);

    // The notes heard by the last Detect, before the rules, in time order.
    std::span<const DetectedNote> Notes() const;
    // The events of the last Detect: note-on, then its note-off, note by note.
    std::span<const NoteEvent> Events() const;

private:
    size_t largestSampleCount_;
    std::unique_ptr<precise::DetectorWork> work_;
};

// One run over a whole recording: the events the precise detector gives.
std::vector<NoteEvent> DetectNotesPrecisely(std::span<const int16_t> samples, const DetectorHeaderSettings& settings);

}  // namespace voxnote
