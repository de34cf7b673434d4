#pragma once
// Reading a WAV file for conversion: the RIFF walk to its format and sound,
// the format checks (every check is made and each failure reported), then the
// sound in file blocks of 8192 × k bytes (k = channels × rate / 11025, so one
// file block makes one analysis block), converted to 11025 Hz mono 16 bit and
// handed on in analysis blocks of 4096 samples, the last one shorter.
#include <cstdint>
#include <span>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/shell/message_reporter.h"

namespace voxnote {

inline constexpr size_t kAnalysisBlockBytes = 8192;
inline constexpr size_t kAnalysisBlockSamples = kAnalysisBlockBytes / 2;

class AnalysisBlockSink {
public:
    virtual ~AnalysisBlockSink() = default;
    // Called once, when the format is accepted and the sound found.
    virtual void Begin() = 0;
    // One block of at most 4096 samples; false stops the reading.
    virtual bool AnalyseBlock(std::span<const int16_t> samples) = 0;
};

enum class WavReadResult {
    Completed,       // every sample was handed on
    Stopped,         // the sink asked to stop
    NotWav,          // no "RIFF"/"WAVE" with a whole "fmt " chunk (no message)
    FormatRejected,  // a format the converter does not take (reported)
    NoDataChunk,     // reported
    ReadError,       // the data chunk holds fewer bytes than it says (reported)
};

WavReadResult ReadAnalysisBlocks(ByteSource& source, AnalysisBlockSink& sink, MessageReporter& reporter);

}  // namespace voxnote
