#pragma once
// One detector's run over a file, as the file conversion drives it: started
// with the settings, fed the file's analysis blocks in order, then flushed at
// the end (or abandoned when the user stops the conversion). Its note events
// are handed out as they are decided: block by block for the classic
// detector, all at the flush for the precise one, which hears the whole
// recording before it decides.
#include <cstdint>
#include <span>

#include "voxnote/analysis/detector/detector_header_settings.h"
#include "voxnote/app/conversion/event_collector.h"

namespace voxnote {

class ConversionAnalysis : public NoteEventSource {
public:
    // Takes the settings and starts afresh; events are timed from 0 ms.
    virtual void Start(const DetectorHeaderSettings& settings) = 0;
    // The next block of at most 4096 samples; false when events were lost.
    virtual bool Analyse(std::span<const int16_t> samples) = 0;
    // The end of the file: the last notes are decided; false when events were lost.
    virtual bool Flush() = 0;
    // The conversion stops early; the notes are dropped.
    virtual void Abandon() = 0;
};

}  // namespace voxnote
