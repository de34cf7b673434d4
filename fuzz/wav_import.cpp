// Fuzzes the WAV reading of the conversion on a file image in memory: the
// header peek and duration text of the information panel, and the RIFF walk,
// format checks and block conversion. Blocks handed on never exceed the
// analysis block.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "voxnote/app/byte_source.h"
#include "voxnote/app/duration_text.h"
#include "voxnote/app/wav_block_reader.h"
#include "voxnote/app/wav_header_peek.h"

namespace {

class SilentReporter : public voxnote::MessageReporter {
public:
    void Report(voxnote::MessageKind, const std::string&) override {}
};

class CheckingSink : public voxnote::AnalysisBlockSink {
public:
    void Begin() override {}
    bool AnalyseBlock(std::span<const int16_t> samples) override {
        if (samples.empty() || samples.size() > voxnote::kAnalysisBlockSamples) {
            std::abort();
        }
        for (int16_t sample : samples) {
            sum_ += sample;
        }
        return true;
    }

private:
    int64_t sum_ = 0;
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
