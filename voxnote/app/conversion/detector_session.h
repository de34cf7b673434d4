#pragma once
// One run of the classic detector over a file, in the order its analysis
// expects: settings and reset at the start, then per block the samples into
// its input area and the block analysis, the events drained after each
// block, and the flush at the end. This is the one place the file conversion
// calls the classic analysis.
#include <cstdint>
#include <span>

#include "voxnote/analysis/detector/detector.h"
#include "voxnote/app/conversion/conversion_analysis.h"

namespace voxnote {

// Receives every analysis frame as the note segmenter reads it.
class PitchFrameSink {
public:
    virtual ~PitchFrameSink() = default;
    virtual void OnFrame(uint32_t frameIndex, const PitchFrame& frame) = 0;
};

class DetectorSession : public ConversionAnalysis {
public:
    // Works in the caller's record; frames, when given, sees every frame.
    explicit DetectorSession(DetectorState& state, PitchFrameSink* frames = nullptr);
    ~DetectorSession() override;
    DetectorSession(const DetectorSession&) = delete;
    DetectorSession& operator=(const DetectorSession&) = delete;

    // Writes the settings into the record and resets it; events are timed
    // from 0 ms.
    void Start(const DetectorHeaderSettings& settings) override;
    // Analyses up to 4096 samples; false when the event queue has overflowed.
    bool Analyse(std::span<const int16_t> samples) override;
    // Ends the run (the last sounding note is ended); false after an overflow.
    bool Flush() override;
    // The analysis still ends its run, so that its record is left as after
    // any run; the events are not handed out.
    void Abandon() override;

    bool NextEvent(AnalysedNoteEvent& event) override;

private:
    DetectorState& state_;
    PitchFrameSink* frames_;
};

}  // namespace voxnote
