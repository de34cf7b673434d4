#pragma once
// The notes of a conversion as a Standard MIDI File (format 0, one track):
// a tempo of 480000 microseconds per quarter note at the start, then every
// record of the stream buffer with its delta (ticks of 480 per quarter note,
// so one tick is one millisecond), then the end of the track.
#include <filesystem>
#include <string>

#include "voxnote/app/midi/midi_stream_records.h"

namespace voxnote {

std::string StandardMidiFileBytes(const MidiStreamBuffer& buffer);

// Writes the file through a temporary file; false when it could not be
// written (the old file, if any, is then unchanged).
bool WriteStandardMidiFile(const std::filesystem::path& path, const MidiStreamBuffer& buffer);

}  // namespace voxnote
