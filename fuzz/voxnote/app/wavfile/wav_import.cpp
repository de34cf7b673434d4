// Fuzzes the WAV reading of the conversion on a file image in memory: the
// header peek and duration text of the information panel, and the RIFF walk,
// format checks and conversion to analysis blocks. Blocks handed on are never
// empty and never larger than an analysis block. (The analysis behind it is
// slow under the sanitizers; the tests run it on whole files.)
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "voxnote/analysis/wavfile/byte_source.h"
#include "voxnote/app/wavfile/duration_text.h"
#include "voxnote/app/wavfile/wav_block_reader.h"
#include "voxnote/app/wavfile/wav_header_peek.h"

namespace {

class SilentReporter : public voxnote::MessageReporter {
public:
    void Report(voxnote::MessageKind, const std::string&) override {}
};

class CheckingSink : public voxnote::AnalysisBlockSink {
public:
    void Begin() override { begun_ = true; }
    bool AnalyseBlock(std::span<const int16_t> samples) override {
        if (!begun_ || samples.empty() || samples.size() > voxnote::kAnalysisBlockSamples) {
            std::abort();
        }
        return true;
    }

private:
    bool begun_ = false;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    voxnote::MemoryByteSource source(std::span<const uint8_t>(data, size));
    if (auto header = voxnote::PeekWavHeader(source)) {
        if (auto duration = voxnote::DurationMilliseconds(*header)) {
            voxnote::DurationText(*duration);
        }
    }
    CheckingSink sink;
    SilentReporter reporter;
    voxnote::ReadAnalysisBlocks(source, sink, reporter);
    return 0;
}
