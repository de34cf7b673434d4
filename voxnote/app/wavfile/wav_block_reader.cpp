#include "voxnote/app/wavfile/wav_block_reader.h"

#include <memory>
#include <vector>

#include "voxnote/app/wavfile/analysis_format_converter.h"
#include "voxnote/app/settings/string_table.h"
#include "voxnote/app/wavfile/wav_format_checks.h"

namespace voxnote {

namespace {

// Converted samples waiting to be handed on in analysis blocks.
class SampleQueue {
public:
    explicit SampleQueue(size_t capacity) { samples_.reserve(capacity); }

    std::vector<int16_t>& Samples() { return samples_; }

    // Hands on whole blocks, and with flushAll also the rest; false when the
    // sink stopped the reading.
    bool Deliver(AnalysisBlockSink& sink, bool flushAll) {
        size_t start = 0;
        bool going = true;
        while (going && (samples_.size() - start >= kAnalysisBlockSamples || (flushAll && start < samples_.size()))) {
            size_t count = std::min(kAnalysisBlockSamples, samples_.size() - start);
            going = sink.AnalyseBlock(std::span<const int16_t>(samples_.data() + start, count));
            start += count;
        }
        samples_.erase(samples_.begin(), samples_.begin() + static_cast<std::ptrdiff_t>(start));
        return going;
    }

private:
    std::vector<int16_t> samples_;
};

class DataChunkReader {
public:
    DataChunkReader(ByteSource& source, const WavFormat& format, uint64_t dataOffset, uint32_t dataSize)
        : source_(source), format_(format), offset_(dataOffset), dataSize_(dataSize) {}

    WavReadResult Run(AnalysisBlockSink& sink, MessageReporter& reporter);

private:
    ByteSource& source_;
    WavFormat format_;
    uint64_t offset_;
    uint32_t dataSize_;
};

WavReadResult DataChunkReader::Run(AnalysisBlockSink& sink, MessageReporter& reporter) {
    const uint32_t k = format_.channels * format_.sampleRate / kAnalysisSampleRate;
    const size_t fileBlockBytes = kAnalysisBlockBytes * k;
    const uint32_t fullBlocks = static_cast<uint32_t>(dataSize_ / fileBlockBytes);
    const size_t remainder = dataSize_ % fileBlockBytes;

    std::unique_ptr<AnalysisFormatConverter> converter =
        AnalysisFormatConverter::Create(format_.channels, format_.sampleRate, fileBlockBytes / (2 * format_.channels));
    if (!converter) {
        return WavReadResult::FormatRejected;
    }
    std::vector<uint8_t> fileBlock(fileBlockBytes);
    SampleQueue queue(4 * kAnalysisBlockSamples);
    sink.Begin();

    uint64_t position = offset_;
    for (uint32_t block = 0; block < fullBlocks; ++block, position += fileBlockBytes) {
        if (!source_.ReadExactly(position, fileBlock)) {
            reporter.Report(MessageKind::Warning, Text(strings::kErrorReadingDivision));
            return WavReadResult::ReadError;
        }
        converter->Convert(fileBlock, queue.Samples());
        if (!queue.Deliver(sink, false)) {
            return WavReadResult::Stopped;
        }
    }
    if (remainder > 0) {
        std::span<uint8_t> last(fileBlock.data(), remainder);
        if (!source_.ReadExactly(position, last)) {
            reporter.Report(MessageKind::Warning, Text(strings::kErrorReadingFinalPart));
            return WavReadResult::ReadError;
        }
        converter->Convert(last, queue.Samples());
    }
    converter->Finish(queue.Samples());
    return queue.Deliver(sink, true) ? WavReadResult::Completed : WavReadResult::Stopped;
}

}  // namespace

WavReadResult ReadAnalysisBlocks(ByteSource& source, AnalysisBlockSink& sink, MessageReporter& reporter) {
    std::optional<WavLayout> layout = ReadWavLayout(source, RiffExtent::Declared);
    if (!layout) {
        return WavReadResult::NotWav;
    }
    std::vector<int> problems = FormatProblems(layout->format);
    for (int problem : problems) {
        reporter.Report(MessageKind::Warning, Text(problem));
    }
    if (!problems.empty()) {
        return WavReadResult::FormatRejected;
    }
    std::optional<RiffChunk> data = FindDataChunk(source, *layout);
    if (!data) {
        reporter.Report(MessageKind::Warning, Text(strings::kNoDataChunk));
        return WavReadResult::NoDataChunk;
    }
    return DataChunkReader(source, layout->format, data->dataOffset, data->size).Run(sink, reporter);
}

}  // namespace voxnote
