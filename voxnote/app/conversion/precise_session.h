#pragma once
// One run of the precise detector over a file: the analysis blocks are
// gathered as they come, and at the flush the whole recording is analysed at
// once (the detector decides each note from all of it); its events are then
// handed out in order.
#include <cstdint>
#include <span>
#include <vector>

#include "voxnote/analysis/notes/note_event.h"
#include "voxnote/app/conversion/conversion_analysis.h"

namespace voxnote {

class PreciseSession : public ConversionAnalysis {
public:
    void Start(const DetectorHeaderSettings& settings) override;
    // Keeps the samples for the flush; never loses events.
    bool Analyse(std::span<const int16_t> samples) override;
    bool Flush() override;
    void Abandon() override;

    bool NextEvent(AnalysedNoteEvent& event) override;

private:
    DetectorHeaderSettings settings_;
    std::vector<int16_t> samples_;
    std::vector<NoteEvent> events_;
    size_t nextEvent_ = 0;
};

}  // namespace voxnote
