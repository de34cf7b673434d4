#pragma once
// The conversion's results as comma-separated text for other tools: the
// note events ("time_ms,note,velocity", a velocity of 0 ends a note) and
// the analysis frames ("frame,level,band_level,weight,pitch").
#include <ostream>

#include "voxnote/app/conversion/detector_session.h"
#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote {

// The note events of the stream, in order, times in ms from the file's start.
void WriteEventsCsv(const MidiStreamBuffer& stream, std::ostream& out);

// Writes each frame as a CSV row as the analysis hands it over, after the
// header line.
class FramesCsvWriter : public PitchFrameSink {
public:
    explicit FramesCsvWriter(std::ostream& out);
    void OnFrame(uint32_t frameIndex, const PitchFrame& frame) override;

private:
    std::ostream& out_;
};

}  // namespace voxnote
