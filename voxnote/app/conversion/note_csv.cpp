#include "voxnote/app/conversion/note_csv.h"

namespace voxnote {

void WriteEventsCsv(const MidiStreamBuffer& stream, std::ostream& out) {
    out << "time_ms,note,velocity\n";
    for (const TimedNoteEvent& event : NoteEventsOf(stream)) {
        out << event.timeMs << ',' << int{event.note} << ',' << int{event.velocity} << '\n';
    }
}

FramesCsvWriter::FramesCsvWriter(std::ostream& out) : out_(out) {
    out_ << "frame,level,band_level,weight,pitch\n";
}

void FramesCsvWriter::OnFrame(uint32_t frameIndex, const PitchFrame& frame) {
    out_ << frameIndex << ',' << frame.level << ',' << frame.bandLevel << ',' << frame.weight << ','
         << frame.pitch << '\n';
}

}  // namespace voxnote
